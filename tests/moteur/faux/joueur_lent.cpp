// Test-only player: thinks 100 ms a turn, says what its game clock holds,
// then plays the first move.
#include "joueur.h"

#include <cstdio>
#include <unistd.h>

void choisirCoup(Position, ListeCoups)
{
    usleep(100000);
    std::printf("restant %.3f increment %.3f\n", tempsRestant(), incrementParCoup());
    ecrireIndexCoup(0);
}
