// What --sprt takes: "elo0=E0 elo1=E1 [alpha=A beta=B]", in one or several
// words of the command line.
#pragma once

#include "partie/statistiques.h"

#include <optional>
#include <string>

namespace moteur {

// The test the words say, or nothing when they are not one.
std::optional<ReglageSprt> lireSprt(const std::string &v);
// Whether a word of the command line after --sprt belongs to it.
bool motDuSprt(const std::string &a);

} // namespace moteur
