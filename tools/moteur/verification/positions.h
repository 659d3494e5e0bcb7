// The positions a player is tried on by `moteur verifier`.
#pragma once

#include "tessor.h"

#include <cstdint>
#include <vector>

namespace moteur {

// All drawn from `graine`: the initial position, a full board where no
// column can move (the empty list, tried on its own), then in turn positions
// of random play and random boards of 48 pieces, with either side to move,
// each with at least one legal move.
std::vector<Position> positionsAVerifier(int nombre, uint32_t graine);

} // namespace moteur
