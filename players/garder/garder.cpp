// joueur_garder: keeps the last move of the list that carries one of its
// own columns onto an opponent column, and plays it.
//
// The whole list is printed.  A move that would make a column of four is
// passed over.  When no move carries an own column onto a column not its
// own, the player hands no index for the turn.
#include "couleur.h"
#include "nb_coups.h"
#include "joueur.h"

#include <cstdio>

namespace {

constexpr int HAUTEUR_ECARTEE = 4;

void afficherCoup(const Position &pos, const ListeCoups &coups, int i)
{
    const Coup coup = coups.coups[i];
    const Colonne o = pos.cols[coup.origine];
    const Colonne d = pos.cols[coup.destination];
    std::printf("Coup %d : ", i);
    std::printf("%d (%d - %s) ->", coup.origine, o.nb, motCouleur(o.couleur));
    std::printf("%d (%d - %s) \n", coup.destination, d.nb, motCouleur(d.couleur));
}

// The destination filter: a move joining a column of four is not examined.
bool faitQuatre(const Position &pos, Coup coup)
{
    return pos.cols[coup.origine].nb + pos.cols[coup.destination].nb == HAUTEUR_ECARTEE;
}

// Our column onto a column that is not ours (an empty cell is never ours).
bool estPrise(const Position &pos, Coup coup, uint8_t moi)
{
    return pos.cols[coup.origine].couleur == moi && pos.cols[coup.destination].couleur != moi;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    const uint8_t moi = position.trait;
    int choixPrise = -1;

    std::printf("Ma couleur : %s\n", motCouleur(moi));

    for (int i = 0; i < n; i++) {
        afficherCoup(position, coups, i);
        if (faitQuatre(position, coups.coups[i]))
            continue;
        if (estPrise(position, coups.coups[i], moi))
            choixPrise = i;
    }
    if (choixPrise != -1)
        ecrireIndexCoup(choixPrise);
}
