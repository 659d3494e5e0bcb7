// joueur_sept: the look-ahead its level 7 is built on.
#pragma once

#include "tessor.h"

// 1 when, after the column on `a` (one of ours) is put on `b`, no opponent
// column next to `b` could be put on the new column; else 0.
int verif5(uint8_t a, uint8_t b, Position position);
