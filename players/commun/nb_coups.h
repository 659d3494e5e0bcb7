// How far a player reads the list it was handed: a list from the host never
// holds more than its capacity, and a count outside 0..capacity is not
// trusted past the list's own storage.
#pragma once

#include "tessor.h"

inline int bornerNbCoups(int32_t nb)
{
    return nb < 0 ? 0 : (nb > CAPACITE_COUPS ? CAPACITE_COUPS : nb);
}
