// `moteur verifier`: whether a player program keeps the contract of the kit,
// before a long tournament tells it game after game.
//
// The program is run through the engine mode, as in a match, over positions
// drawn from a seed; each position is played twice, in two processes, and
// every check gets one line of a table with its counts and the first
// position that fails it, in notation, to be tried in one-turn mode.
#pragma once

#include "tessor.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

class Registre;

// The arguments that follow `verifier`.  Exit status 0 when every check
// holds, 1 otherwise, 2 for a command line that cannot be understood.
int verifier(const std::vector<std::string> &arguments, Registre &registre);

// The positions a player is tried on, all drawn from `graine`: the initial
// position, a full board where no column can move (the empty list, tried on
// its own), then in turn positions of random play and random boards of 48
// pieces, with either side to move, each with at least one legal move.
std::vector<Position> positionsAVerifier(int nombre, uint32_t graine);

// UTF-8 read in pieces, a sequence possibly cut between two of them.
class LecteurUtf8 {
public:
    // False when the piece holds a byte that no valid text could hold there.
    bool lire(std::string_view morceau);
    // No sequence left unfinished.
    bool complet() const { return reste_ == 0; }
    void reprendre() { reste_ = 0; }

private:
    int reste_ = 0; // continuation bytes still expected
    unsigned char bas_ = 0x80, haut_ = 0xBF; // the range of the next one
};

} // namespace moteur
