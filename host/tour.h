// One turn of the player: what the host hands it and what it hands back.
#pragma once

#include "tessor.h"

#include <vector>

namespace hote {

// The player's game clock for the turns to come (tempsRestant,
// incrementParCoup): milliseconds left, negative for none, and gained per move.
void reglerPendule(int32_t restantMs, int32_t incrementMs);

// Calls the player's choisirCoup on the position and its legal moves, and
// returns every index handed with ecrireIndexCoup, in order (the last counts).
std::vector<int> jouerTour(const Position &position);

// The same with the list given as it is, even one the host never builds (a
// count below zero or past the capacity): how a player's bounds are tried.
std::vector<int> jouerTour(const Position &position, const ListeCoups &coups);

} // namespace hote
