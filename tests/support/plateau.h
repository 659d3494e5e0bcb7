// Boards for the tests, written as a few columns on an otherwise empty board.
#pragma once

#include "notation.h"
#include "tessor.h"

#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace essai {

// Columns by cell: "2j" is a yellow-topped column of height 2, "5r" a red
// five.  Every other cell is empty.
using Colonnes = std::map<int, std::string>;

inline Position plateau(const Colonnes &colonnes, char trait = 'j')
{
    Position p = {};
    p.trait = trait == 'r' ? ROUGE : JAUNE;
    for (const auto &[cellule, texte] : colonnes) {
        p.cols[cellule].nb = static_cast<uint8_t>(texte.at(0) - '0');
        p.cols[cellule].couleur = texte.at(1) == 'r' ? ROUGE : JAUNE;
    }
    return p;
}

inline std::string notation(const Position &p) { return hote::ecrireNotation(p); }
inline std::string notation(const Colonnes &colonnes, char trait = 'j')
{
    return notation(plateau(colonnes, trait));
}

// The same board with yellow and red exchanged, trait included.
inline Position couleursEchangees(Position p)
{
    p.trait = p.trait == ROUGE ? JAUNE : ROUGE;
    for (Colonne &c : p.cols)
        if (c.couleur != VIDE)
            c.couleur = c.couleur == ROUGE ? JAUNE : ROUGE;
    return p;
}

// "0:2j 1:3r r": each non-empty cell as cell:column, then the trait.
inline std::optional<Position> positionCourte(const std::string &texte)
{
    Colonnes colonnes;
    std::istringstream mots(texte);
    std::string mot, trait;
    while (mots >> mot) {
        size_t deuxPoints = mot.find(':');
        if (deuxPoints == std::string::npos) {
            if (!trait.empty() || (mot != "j" && mot != "r"))
                return std::nullopt;
            trait = mot;
            continue;
        }
        std::string col = mot.substr(deuxPoints + 1);
        int cellule = std::atoi(mot.substr(0, deuxPoints).c_str());
        if (cellule < 0 || cellule >= NBCASES || col.size() != 2 || col[0] < '1' || col[0] > '5' ||
            (col[1] != 'j' && col[1] != 'r') || colonnes.count(cellule))
            return std::nullopt;
        colonnes[cellule] = col;
    }
    if (trait.empty())
        return std::nullopt;
    return plateau(colonnes, trait[0]);
}

} // namespace essai
