// Small boards for the joueur_rapport tests, written as a few columns on an
// otherwise empty board.
#pragma once

#include "notation.h"
#include "tessor.h"

#include <string>
#include <utility>
#include <vector>

namespace essai {

// Each column as "<height><j|r>", e.g. {7, "2j"}.
using Colonnes = std::vector<std::pair<int, std::string>>;

inline Position plateau(const Colonnes &colonnes, uint8_t trait = JAUNE)
{
    Position p = {};
    p.trait = trait;
    for (const auto &[c, texte] : colonnes) {
        p.cols[c].nb = static_cast<uint8_t>(texte.at(0) - '0');
        p.cols[c].couleur = texte.at(1) == 'j' ? JAUNE : ROUGE;
    }
    return p;
}

inline std::string notation(const Colonnes &colonnes, uint8_t trait = JAUNE)
{
    return hote::ecrireNotation(plateau(colonnes, trait));
}

} // namespace essai
