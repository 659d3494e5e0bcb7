// One turn of the player: what the host hands it and what it hands back.
#pragma once

#include "tessor.h"

#include <vector>

namespace hote {

// Calls the player's choisirCoup on the position and its legal moves, and
// returns every index handed with ecrireIndexCoup, in order (the last counts).
std::vector<int> jouerTour(const Position &position);

} // namespace hote
