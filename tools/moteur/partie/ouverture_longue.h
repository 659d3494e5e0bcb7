// How many games an opening of K random moves leaves to the players: with a
// long one, most games end before the players' first move.
#pragma once

#include <string>

namespace moteur {

// Per cent of start positions drawn with `coups` random moves (as the match
// draws them, over a fixed sample of seeds) that have no move left.
int partiesFiniesDansLOuverture(int coups);

struct AvisOuverture {
    std::string refus;          // most games would end in the opening
    std::string avertissement;  // some would
};
AvisOuverture jugerOuverture(int coups);

} // namespace moteur
