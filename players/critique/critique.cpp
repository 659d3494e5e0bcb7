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
#include "joueur.h"
#include "risque.h"

#include <cstdio>

namespace {

constexpr int NB_STRATEGIES = 3;

// Running values: the isolation height must stay below a five; a count of
// 9 lets any live-neighbour count, 1 to 8, fill the stacking slot.
constexpr int ISOLEMENT_DEPART = HAUTEUR_MAX;
constexpr int EMPILEMENT_DEPART = NBVOISINS_MAX + 1;

void annoncer(int strategie, int index, const Coup &c)
{
    switch (strategie) {
    case 0:
        std::printf("coup d'isolement la plus petite %d : %d ---> %d \n", index, c.origine,
                    c.destination);
        break;
    case 1:
        std::printf("coup empilement  v1 %d : %d ---> %d \n", index, c.origine, c.destination);
        break;
    default:
        std::printf("coup empilement  v2 %d : %d ---> %d \n", index, c.origine, c.destination);
        break;
    }
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    int candidats[NB_STRATEGIES] = {-1, -1, -1};
    int isolementMin = ISOLEMENT_DEPART;
    int voisinsMin = EMPILEMENT_DEPART;

    std::printf("Ma couleur : %s\n", motcouleur(position.trait));

    for (int i = 0; i < coups.nb; i++) {
        if (prisedecinq(&position, &coups, i)) {
            ecrireIndexCoup(i);
            std::printf("tour de 5 prise par le coup %d : %d ---> %d \n", i,
                        coups.coups[i].origine, coups.coups[i].destination);
            return;
        }
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

    for (int s = 0; s < NB_STRATEGIES; s++) {
        if (candidats[s] != -1) {
            ecrireIndexCoup(candidats[s]);
            annoncer(s, candidats[s], coups.coups[candidats[s]]);
            return;
        }
    }
    std::puts("aucune strat choisi, coup par default");
}
