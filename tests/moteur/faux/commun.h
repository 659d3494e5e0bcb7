// Shared by the test-only players: how far the game has gone.
#pragma once

#include "tessor.h"

// Empty cells on the board: 0 before the first move of a game, 1 after it...
inline int casesVides(const Position &p)
{
    int n = 0;
    for (const Colonne &c : p.cols)
        n += c.nb == 0;
    return n;
}
