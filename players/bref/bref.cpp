// joueur_bref: four short rules, the first that finds a move plays it.
//
//   1. the first move of one of our pieces onto a column of four, making a
//      five topped with our colour (each move looked at is printed);
//   2. else the first move of one of our columns onto a column not ours;
//   3. else the first move onto a column not ours, whoever owns the column
//      carried;
//   4. else the first move of the list (index 0, even when the list is
//      empty).
#include "couleur.h"
#include "nb_coups.h"
#include "trace.h"
#include "joueur.h"

#include <cstdio>

namespace {

constexpr uint8_t HAUTEUR_AVANT_CINQ = HAUTEUR_MAX - 1;

// Rule 1: our piece onto a four (a legal move onto a four carries one piece).
bool faitCinqPropre(const Position &pos, Coup coup)
{
    return pos.cols[coup.origine].couleur == pos.trait &&
           pos.cols[coup.destination].nb == HAUTEUR_AVANT_CINQ;
}

// Rule 2: our column onto a column not ours.
bool prendColonneAdverse(const Position &pos, Coup coup)
{
    return pos.cols[coup.origine].couleur == pos.trait &&
           pos.cols[coup.destination].couleur != pos.trait;
}

// Rule 3: any column onto a column not ours (an empty cell is never ours).
bool versColonneAdverse(const Position &pos, Coup coup)
{
    return pos.cols[coup.destination].couleur != pos.trait;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));

    for (int i = 0; i < n; i++) {
        afficherCoupNumero(position, i, coups.coups[i]);
        if (faitCinqPropre(position, coups.coups[i])) {
            std::puts("On choisit ce coup ! ");
            ecrireIndexCoup(i);
            return;
        }
    }
    for (int i = 0; i < n; i++) {
        if (prendColonneAdverse(position, coups.coups[i])) {
            ecrireIndexCoup(i);
            return;
        }
    }
    for (int i = 0; i < n; i++) {
        if (versColonneAdverse(position, coups.coups[i])) {
            ecrireIndexCoup(i);
            return;
        }
    }
    ecrireIndexCoup(0);
}
