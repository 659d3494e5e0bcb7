// A test-only player with its own board tables, different from the kit's on
// purpose: a board where only cells 0 and 1 touch, and a start where every
// column is two high with red to move.  Whatever the host and the rules
// library compute must come from these copies.
#include "joueur.h"

#include <cstdio>

Voisins topologie[NBCASES] = {{1, {1}}, {1, {0}}};

Position positionInitiale = [] {
    Position p = {};
    p.trait = ROUGE;
    for (Colonne &c : p.cols)
        c = {2, JAUNE};
    return p;
}();

void choisirCoup(Position, ListeCoups coups)
{
    Position initiale = getPositionInitiale();
    std::printf("coups %d, premier %d-%d\n", coups.nb, coups.coups[0].origine,
                coups.coups[0].destination);
    std::printf("initiale : trait %d, hauteur %d\n", initiale.trait, initiale.cols[47].nb);
    std::printf("voisins de 0 : %d\n", nbVoisins(0));
    ecrireIndexCoup(0);
}
