// The replay page: one self-contained HTML file (its style, script and data
// inside, nothing fetched) that shows the games of a record in a browser:
// the list of games, the board after any move, the moves, the result.
#pragma once

#include "tournoi/classement.h"
#include "partie/partie.h"

#include <string>
#include <vector>

namespace moteur {

// The whole page for these games; `titre` heads it (the record's name).
// With the standings of a tournament (its games, in the order of their
// numbers), the page opens on them: the standings, the crosstable with a
// link to each game, and the ratings drawn with their intervals.
std::string textePage(const std::vector<Partie> &parties, const std::string &titre,
                      const Classement *classement = nullptr);

} // namespace moteur
