// Position notation: `<row0>/<row1>/.../<row8> <trait>`.
//
// Each grid row lists its cells left to right (so in cell order), two
// characters a cell: the height digit 0 to 5, then `j`, `r` or `.` for the
// top colour (`.` with height 0 and only with it).  The trait is `j` or `r`.
#pragma once

#include "tessor.h"

#include <optional>
#include <string>
#include <string_view>

namespace hote {

struct LectureNotation {
    std::optional<Position> position; // set when the notation is sound
    std::string erreur;               // otherwise, what is wrong with it (in French)
};

LectureNotation lireNotation(std::string_view texte);
std::string ecrireNotation(const Position &position);

} // namespace hote
