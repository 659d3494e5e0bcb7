// The standings of a tournament and the statistics of a two-player match as
// text for people and JSON for programs.
#pragma once

#include "tournoi/classement.h"
#include "partie/match.h"
#include "partie/statistiques.h"

#include <string>
#include <vector>

namespace moteur {

// The standings table, the crosstable, and for a challenge (or two players)
// the statistics of each pairing.
// `largeurMax`: the terminal's width, when the text goes to one; a
// crosstable wider than that is left out, with a line saying how to see it.
std::string texteClassement(const Classement &c, size_t largeurMax = 0);
// The same for scripts, as JSON.
std::string jsonClassement(const Classement &c);

// A two-player match seen from the first player: Elo difference with its
// interval, likelihood of superiority, and with `avecPaires` the game pairs
// and the difference they give.  Empty before any game.
std::string texteEcartMatch(const std::string &premier, const std::string &second,
                            const Decompte &t, const Paires &paires, bool avecPaires);

// What `moteur A B` adds to its summary from the second game on: the Elo
// difference (texteEcartMatch) and the sequential test's outcome.
std::string texteStatistiquesMatch(const BilanMatch &bilan, const std::string &premier,
                                   const std::string &second, const ReglageMatch &reglage);


} // namespace moteur
