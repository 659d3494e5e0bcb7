// Test-only player: reads its standard input to the end, hands nothing.
#include "joueur.h"

#include <cstdio>

void choisirCoup(Position, ListeCoups)
{
    while (std::getchar() != EOF) {
    }
}
