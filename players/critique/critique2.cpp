// joueur_critique2.
//
// How the player decides: a move of its own column that makes a column of
// five on an opponent column is played at once, the first such move of the
// list.  Otherwise every move is judged by five strategies, one candidate
// each, and the first strategy that found one wins, in this order:
//   0. isolate an own column safely, making the smallest column;
//   1. stack an opponent column on another opponent column safely, the
//      destination with the fewest live neighbours;
//   2. any safe move onto a column that is not ours, the last of the list;
//   3. isolate an own column even at a risk, smallest column, a five of our
//      own included;
//   4. the tallest safe stack, whatever the colours.
// With no candidate at all it hands no move and lets the host choose.
#include "couleur.h"
#include "joueur.h"
#include "risque.h"
#include "strategies2.h"
#include "tour_critique.h"

#include <cstdio>

namespace {

constexpr int NB_STRATEGIES = 5;

// Running values.  Isolation stays below a five; the risky isolation starts
// one above, so that a five of our own can fill it; any live-neighbour count,
// 1 to 8, can fill the stacking slot; any height beats 0.
constexpr int ISOLEMENT_DEPART = HAUTEUR_MAX;
constexpr int EMPILEMENT_DEPART = NBVOISINS_MAX + 1;
constexpr int SUICIDE_DEPART = HAUTEUR_MAX + 1;
constexpr int PLUS_HAUTE_DEPART = 0;

// What each slot says when its candidate is played: the two stacking slots
// carry each other's labels in this player.
const char *const MESSAGES[NB_STRATEGIES] = {
    "coup d'isolement la plus petite %d : %d ---> %d \n",
    "coup empilement  v2 %d : %d ---> %d \n",
    "coup empilement  v1 %d : %d ---> %d \n",
    "coup isolement suicide %d : %d ---> %d \n",
    "coup autoempileopti %d : %d ---> %d \n",
};

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    int candidats[NB_STRATEGIES] = {-1, -1, -1, -1, -1};
    int isolementMin = ISOLEMENT_DEPART;
    int voisinsMin = EMPILEMENT_DEPART;
    int suicideMin = SUICIDE_DEPART;
    int hauteurMax = PLUS_HAUTE_DEPART;

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
        r = isolementsuicide(&position, &coups, i, &suicideMin);
        if (r != -1)
            candidats[3] = r;
        r = autoempileopti(&position, &coups, i, &hauteurMax);
        if (r != -1)
            candidats[4] = r;
    }

    for (int s = 0; s < NB_STRATEGIES; s++)
        std::printf("%d\t", candidats[s]);
    std::putchar('\n');
    jouerpremiercandidat(candidats, MESSAGES, NB_STRATEGIES, &coups);
}
