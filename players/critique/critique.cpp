// joueur_critique and joueur_critique3 (one code, two programs).
//
// How the player decides: a move of its own column that makes a column of
// five on an opponent column is played at once, the first such move of the
// list.  Otherwise every move is judged by three strategies, one candidate
// each, and the first strategy that found one wins, in this order:
//   0. isolate an own column safely, making the smallest column;
//   1. stack an opponent column on another opponent column safely, the
//      destination with the fewest live neighbours;
//   2. any safe move onto a column that is not ours, the last of the list.
// With no candidate at all it hands no move and lets the host choose.
#include "couleur.h"
#include "joueur.h"
#include "risque.h"
#include "tour_critique.h"

#include <cstdio>

namespace {

constexpr int NB_STRATEGIES = 3;

// Running values: the isolation height must stay below a five; a count of
// 9 lets any live-neighbour count, 1 to 8, fill the stacking slot.
constexpr int ISOLEMENT_DEPART = HAUTEUR_MAX;
constexpr int EMPILEMENT_DEPART = NBVOISINS_MAX + 1;

// What each slot says when its candidate is played.
const char *const MESSAGES[NB_STRATEGIES] = {
    "coup d'isolement la plus petite %d : %d ---> %d \n",
    "coup empilement  v1 %d : %d ---> %d \n",
    "coup empilement  v2 %d : %d ---> %d \n",
};

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    int candidats[NB_STRATEGIES] = {-1, -1, -1};
    int isolementMin = ISOLEMENT_DEPART;
    int voisinsMin = EMPILEMENT_DEPART;

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));

    if (prendrecinq(&position, &coups))
        return;

    for (int i = 0; i < coups.nb; i++) {
        int r = isolement(&position, &coups, i, &isolementMin);
        if (r != -1)
            candidats[0] = r;
        r = empileradverse(&position, &coups, i, &voisinsMin);
        if (r != -1)
            candidats[1] = r;
        r = empileradverse2(&position, &coups, i);
        if (r != -1)
            candidats[2] = r;
    }

    std::printf("%d\t%d\t%d\n", candidats[0], candidats[1], candidats[2]);
    jouerpremiercandidat(candidats, MESSAGES, NB_STRATEGIES, &coups);
}
