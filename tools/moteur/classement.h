// Standings of a tournament, and the statistics of a two-player match: from
// the games alone, whatever order they come in, so that a tournament's end,
// its slices merged and its resumption print the same tables byte for byte.
#pragma once

#include "calendrier.h"
#include "match.h"
#include "statistiques.h"

#include <string>
#include <vector>

namespace moteur {

struct LigneClassement {
    int joueur = 0; // index in the schedule's players
    int parties = 0, victoires = 0, nulles = 0, defaites = 0;
    int demiPoints = 0;
    int fautes = 0, coupsImposes = 0;
    Cote cote;
};

struct Classement {
    ReglageTournoi reglage;
    int partiesJouees = 0, partiesPrevues = 0;
    std::vector<LigneClassement> lignes;  // by rank
    std::vector<std::vector<int>> demiPoints; // [i][j]: half-points of i against j, by player index
    std::vector<std::vector<int>> parties;    // [i][j]: games between i and j
    std::vector<std::vector<int>> victoires;  // [i][j]: wins of i against j
    std::vector<Paires> paires;               // by pairing: the first player's game pairs
};

// The standings of these games (each a game of the schedule, once).
Classement classer(const Calendrier &calendrier, const std::vector<Partie> &parties);

// The standings table, the crosstable, and for a challenge (or two players)
// the statistics of each pairing.
std::string texteClassement(const Classement &c);
// The same for scripts, as JSON.
std::string jsonClassement(const Classement &c);

// A two-player match seen from the first player: Elo difference with its
// interval, likelihood of superiority, and with `avecPaires` the game pairs
// and the difference they give.  Empty before any game.
std::string texteEcartMatch(const std::string &premier, const std::string &second,
                            const Tally &t, const Paires &paires, bool avecPaires);

// What `moteur A B` adds to its summary from the second game on: the Elo
// difference (texteEcartMatch) and the sequential test's outcome.
std::string texteStatistiquesMatch(const BilanMatch &bilan, const std::string &premier,
                                   const std::string &second, const ReglageMatch &reglage);

// "-0,5" / "+190,8": an Elo value with one decimal and its sign.
std::string texteElo(double elo);

} // namespace moteur
