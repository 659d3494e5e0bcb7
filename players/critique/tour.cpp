// The turn shared by the joueur_critique family.
#include "tour_critique.h"

#include "joueur.h"
#include "risque.h"

#include <cstdio>

int prendrecinq(const Position *pos, const ListeCoups *liste)
{
    for (int i = 0; i < liste->nb; i++) {
        if (prisedecinq(pos, liste, i)) {
            ecrireIndexCoup(i);
            std::printf("tour de 5 prise par le coup %d : %d ---> %d \n", i,
                        liste->coups[i].origine, liste->coups[i].destination);
            return 1;
        }
    }
    return 0;
}

void jouerpremiercandidat(const int candidats[], const char *const messages[], int nb,
                          const ListeCoups *liste)
{
    for (int s = 0; s < nb; s++) {
        if (candidats[s] != -1) {
            const Coup c = liste->coups[candidats[s]];
            ecrireIndexCoup(candidats[s]);
            std::printf(messages[s], candidats[s], c.origine, c.destination);
            return;
        }
    }
    std::puts("aucune strat choisi, coup par default");
}
