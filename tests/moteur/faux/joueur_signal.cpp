// Test-only player: plays the first move and signals the engine, as a
// person's program does when the person has chosen.
#include "joueur.h"

#include <csignal>
#include <unistd.h>

void choisirCoup(Position, ListeCoups)
{
    usleep(20000);
    ecrireIndexCoup(0);
    if (pidMoteur > 0)
        kill(pidMoteur, SIGUSR1);
}
