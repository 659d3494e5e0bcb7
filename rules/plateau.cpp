// Board topology: reading the neighbour table and the initial position.
//
// Both tables are read only through their exported names, so that the one
// definition the process chose (the host library's, or a player's own copy)
// is the one every module sees.
#include "tessor.h"

#include <cstdio>

// Zero-filled on purpose: an initialised definition earlier in the process's
// symbol search order replaces this one.
Position positionInitiale = {};

uint8_t nbVoisins(uint8_t c) { return topologie[c].nb; }

Voisins getVoisins(uint8_t c) { return topologie[c]; }

void listerVoisins(uint8_t c)
{
    Voisins v = getVoisins(c);
    for (int k = 0; k < v.nb; k++)
        printf("%d ", v.cases[k]);
    printf("\n");
}

Position getPositionInitiale(void) { return positionInitiale; }
