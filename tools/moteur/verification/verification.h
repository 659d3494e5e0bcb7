// `moteur verifier`: whether a player program keeps the contract of the kit,
// before a long tournament tells it game after game.
//
// The program is run through the engine mode, as in a match, over positions
// drawn from a seed; each position is played twice, in two processes, and
// every check gets one line of a table with its counts and the first
// position that fails it, in notation, to be tried in one-turn mode.
#pragma once

#include "partie/cadence.h"
#include "processus/orphelins.h"
#include "verification/essai.h"
#include "verification/positions.h"

#include <cstdint>
#include <string>

namespace moteur {

struct ReglageVerification {
    DescriptionJoueur programme; // as the user named it, found (trouverLeJoueur)
    int positions = 500;
    uint32_t graine = 0;
    Cadence temps;
    bool strict = false;
};

// Plays the positions, prints the table: whether every check holds.
bool verifier(const ReglageVerification &r, Registre &registre);

} // namespace moteur
