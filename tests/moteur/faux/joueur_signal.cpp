// Test-only player: plays the first move and signals the engine, as a
// person's program does when the person has chosen, then takes a moment
// more before its answer reaches the engine.
#include "joueur.h"

#include <csignal>
#include <unistd.h>

void choisirCoup(Position, ListeCoups)
{
    usleep(20000);
    ecrireIndexCoup(0);
    if (pidMoteur > 0)
        kill(pidMoteur, SIGUSR1);
    usleep(10000);
}
