// Rules shared by joueur_fin and joueur_fin2.  Each judges one move of the
// list against the position before the move, for the side `trait`; none
// prints or calls the host.
#pragma once

#include "tessor.h"

bool memeCoup(Coup a, Coup b);

// The four five-making rules: an own column of height 1, 4, 2 or 3 (rule
// 0, 1, 2 or 3) onto a column of height 4, 1, 3 or 2, whatever its colour.
constexpr int NB_REGLES_CINQ = 4;
bool regleCinq(int regle, const Position &p, Coup coup);

// A single own piece onto a column not its own that is not a three.
bool petitePile(const Position &p, Coup coup);
