// Test-only player: floods its standard output (2 MB a turn), then plays
// the first move.
#include "joueur.h"

#include <cstdio>
#include <cstring>

void choisirCoup(Position, ListeCoups)
{
    char ligne[1024];
    std::memset(ligne, 'x', sizeof ligne - 1);
    ligne[sizeof ligne - 1] = '\0';
    for (int i = 0; i < 2048; i++)
        std::puts(ligne);
    ecrireIndexCoup(0);
}
