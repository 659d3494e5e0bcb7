// joueur_garder: keeps the last move of the list that carries one of its
// own columns onto an opponent column, and plays it.
//
// The whole list is printed.  A move that would make a column of four is
// passed over.  When no move carries an own column onto a column not its
// own, the player hands no index for the turn.
#include "couleur.h"
#include "nb_coups.h"
#include "trace.h"
#include "joueur.h"

#include <cstdio>

namespace {

constexpr int HAUTEUR_ECARTEE = 4;

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
        afficherCoupNumero(position, i, coups.coups[i]);
        if (faitQuatre(position, coups.coups[i]))
            continue;
        if (estPrise(position, coups.coups[i], moi))
            choixPrise = i;
    }
    if (choixPrise != -1)
        ecrireIndexCoup(choixPrise);
}
