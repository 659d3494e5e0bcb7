// A match of two programs played several games at once, by the workers of
// the tournament's scheduler: its games are those of the tournament of its
// two players (game k of `moteur A B` is game k of that pairing), handed on
// in the order of their numbers, so that its records, its summary and its
// sequential test are those of the same match played one game at a time.
#pragma once

#include "partie/match.h"
#include "partie/participant.h"
#include "processus/orphelins.h"

#include <functional>
#include <vector>

namespace moteur {

// `joueurs`: the first and the second player.  `partieFinie` is called for
// each new game in the order of the numbers (never for those of
// `reglage.dejaJouees`, which are counted first), once every game before it
// has been handed on, and says what follows (as for jouerMatch).  The sequential test
// decides on whole pairs in that order: games already under way past the
// pair that decides are dropped.
BilanMatch jouerMatchEnParallele(const ReglageMatch &reglage,
                                 const std::vector<DescriptionJoueur> &joueurs, int concurrence,
                                 Registre &registre,
                                 const std::function<Suite(const Partie &)> &partieFinie);

} // namespace moteur
