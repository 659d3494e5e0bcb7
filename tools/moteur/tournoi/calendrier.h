// The schedule of a tournament: which games, between whom, with which seeds,
// colours and start positions.  It follows from the players and options
// alone, so that every run, slice or resumption of a tournament plays the
// same games, and a record file says which schedule its games belong to.
#pragma once

#include "partie/cadence.h"
#include "partie/livre.h"
#include "partie/partie.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moteur {

struct ReglageTournoi {
    std::vector<std::string> joueurs; // in the order of the command line
    bool defi = false;                // the first against each of the others only
    int parties = 2;                  // games per pairing, even
    int ouverture = 0;                // random legal moves before each pair of games
    RefLivre livre;                   // or each pair from a start of this book
    uint32_t graine = 0;
    Cadence temps;
    bool strict = false;
};
bool operator==(const ReglageTournoi &a, const ReglageTournoi &b);

// Two players who meet: `premier` (the earlier on the command line) is
// yellow in the odd games of the pairing.
struct Rencontre {
    int premier = 0, second = 0; // indices in ReglageTournoi::joueurs
};

struct PartiePrevue {
    int numero = 0;    // 1 to nbParties(), pairing after pairing
    int rencontre = 0; // 1 to nbRencontres()
    int rang = 0;      // 1 to `parties` within the pairing
    int jaune = 0, rouge = 0;
    uint32_t graine = 0;
    Position depart = {};
};

class Calendrier {
public:
    explicit Calendrier(ReglageTournoi reglage);
    const ReglageTournoi &reglage() const { return r_; }
    int nbRencontres() const { return static_cast<int>(rencontres_.size()); }
    const Rencontre &rencontre(int numero) const { return rencontres_[numero - 1]; }
    int nbParties() const { return nbRencontres() * r_.parties; }
    // Game `numero`, from 1 to nbParties().  Game k of every pairing has the
    // same seed, and the same start as every other pairing's game k: each
    // pairing plays what `moteur A B` plays with the same seed and options.
    PartiePrevue partie(int numero) const;
    // The games of slice k of m (1 <= k <= m): a run of whole game pairs,
    // the first and the last game numbers; empty (first > last) when there
    // are more slices than pairs.
    std::pair<int, int> tranche(int k, int m) const;
    // Why a recorded game is not this schedule's game of its number; empty
    // when it is.  Its start is checked unless the schedule's book is known
    // by its header alone (its fingerprint then vouches for the starts).
    std::string ecartAvec(const Partie &p) const;

private:
    ReglageTournoi r_;
    std::vector<Rencontre> rencontres_;
    std::vector<uint32_t> graines_; // by rank within a pairing
    std::vector<Position> departs_; // by rank
};

} // namespace moteur
