// The word the players' traces use for a colour: "rouge" for red, "jaune"
// for any other value (an empty cell included).
#pragma once

#include "tessor.h"

inline const char *motCouleur(uint8_t couleur) { return couleur == ROUGE ? "rouge" : "jaune"; }
