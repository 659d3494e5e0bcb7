// Test-only player: always the first move of the list, with one trace line.
#include "joueur.h"

#include <cstdio>

void choisirCoup(Position, ListeCoups coups)
{
    std::printf("premier : coup 0 sur %d\n", coups.nb);
    ecrireIndexCoup(0);
}
