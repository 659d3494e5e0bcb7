// A worker's waiting players: the programs of its pairing, and those of its
// earlier pairings kept running for the pairings to come, so that in a
// round robin each program starts about once per worker rather than once
// per pairing (a start costs more than many moves).  A game's own request
// resets what a game needs, and the kit's players keep nothing from one game
// to the next, so a kept process plays the games a fresh one would.
//
// A waiting program is stopped, with whatever it started: it takes no
// processor from the games under way.  At most VIVIER_MAX programs wait per
// worker: past that, the one unused the longest ends.  With traces, each
// pairing has files of its own, which a process opens at its start: no
// process is kept into another pairing then.
#pragma once

#include "tournoi/ordonnanceur.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace moteur {

class Vivier {
public:
    // Enough for a class's tournament: 32 small processes, and as many
    // sandbox keepers, per worker.
    static constexpr size_t VIVIER_MAX = 32;

    Vivier(const TravailTournoi &t, Registre &registre) : t_(t), registre_(registre) {}
    ~Vivier();
    Vivier(const Vivier &) = delete;
    Vivier &operator=(const Vivier &) = delete;

    // The players of `rencontre`, ready: kept ones taken back, others made.
    void prendre(int rencontre);
    Participant &premier() { return *premier_; }
    Participant &second() { return *second_; }

private:
    struct Tenu {
        int joueur;
        std::unique_ptr<Participant> participant;
    };
    Participant *tenir(int joueur, int rencontre);
    void finirTout();

    const TravailTournoi &t_;
    Registre &registre_;
    std::vector<Tenu> tenus_; // the least recently used first
    Participant *premier_ = nullptr, *second_ = nullptr;
};

} // namespace moteur
