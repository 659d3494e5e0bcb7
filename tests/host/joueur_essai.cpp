// A test-only player: prints what the host hands it, then hands 0, -1, one
// past the list and the last index, and signals the engine twice.
#include "joueur.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void choisirCoup(Position position, ListeCoups coups)
{
    std::printf("trait %d\n", position.trait);
    std::printf("coups %d\n", coups.nb);
    if (coups.nb > 0)
        std::printf("premier %d-%d dernier %d-%d\n", coups.coups[0].origine,
                    coups.coups[0].destination, coups.coups[coups.nb - 1].origine,
                    coups.coups[coups.nb - 1].destination);
    std::printf("pidMoteur %s\n", pidMoteur == getpid() ? "est le processus" : "autre");
    std::printf("rand %d\n", std::rand());
    std::printf("cellule 0 initiale %d\n", getPositionInitiale().cols[0].couleur);
    ecrireIndexCoup(0);
    ecrireIndexCoup(-1);
    ecrireIndexCoup(coups.nb);
    ecrireIndexCoup(coups.nb - 1);
    kill(pidMoteur, SIGUSR1);
    kill(pidMoteur, SIGUSR1);
}
