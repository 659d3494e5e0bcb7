// Counting move sequences ("perft") from a position.
#pragma once

#include "tessor.h"

#include <cstdint>

inline uint64_t compterSequences(const Position &p, int profondeur)
{
    if (profondeur == 0)
        return 1;
    ListeCoups l = getCoupsLegaux(p);
    if (profondeur == 1)
        return static_cast<uint64_t>(l.nb);
    uint64_t n = 0;
    for (int k = 0; k < l.nb; k++)
        n += compterSequences(jouerCoup(p, l.coups[k].origine, l.coups[k].destination),
                              profondeur - 1);
    return n;
}
