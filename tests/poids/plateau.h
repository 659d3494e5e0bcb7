// Small boards for the tests of joueur_poids, written cell by cell.
#pragma once

#include <map>
#include <string>

namespace essai {

// The notation of a board whose listed cells hold "<height><j|r>" and whose
// other cells are empty; `trait` is 'j' or 'r'.
inline std::string plateau(const std::map<int, std::string> &cellules, char trait)
{
    static const int casesParLigne[9] = {2, 4, 6, 8, 8, 8, 6, 4, 2};
    std::string n;
    int cellule = 0;
    for (int ligne = 0; ligne < 9; ligne++) {
        if (ligne > 0)
            n += '/';
        for (int k = 0; k < casesParLigne[ligne]; k++, cellule++) {
            auto it = cellules.find(cellule);
            n += it == cellules.end() ? std::string("0.") : it->second;
        }
    }
    n += ' ';
    n += trait;
    return n;
}

} // namespace essai
