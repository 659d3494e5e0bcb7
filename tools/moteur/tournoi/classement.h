// The standings of a tournament, from its games alone, whatever order they
// come in, so that a tournament's end, its slices merged and its resumption
// rank the same.
#pragma once

#include "partie/match.h"
#include "partie/statistiques.h"
#include "tournoi/calendrier.h"

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

// The same, game after game, in any order: what a game adds is counted as
// it comes, so that a record larger than memory is ranked in memory of its
// standings (and an int per game of the schedule).
class Classeur {
public:
    explicit Classeur(const Calendrier &calendrier);
    void ajouter(const Partie &p); // a game of the schedule, once
    Classement classement() const;

private:
    const Calendrier &calendrier_;
    Classement c_;
    std::vector<LigneClassement> lignes_; // by player index
    std::vector<int> demis_; // by game: half-points of its pairing's first player, -1 unplayed
};

} // namespace moteur
