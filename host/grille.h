// The board drawn on its 9 x 9 grid: which cell stands at each grid square.
#pragma once

#include <array>
#include <cstdint>

namespace hote {

constexpr int TAILLE_GRILLE = 9;
constexpr int8_t HORS = -1; // a grid square that is no cell

// Cells are numbered row by row, left to right; the centre is no cell.
constexpr std::array<std::array<int8_t, TAILLE_GRILLE>, TAILLE_GRILLE> grille = {{
    {HORS, HORS, 0, 1, HORS, HORS, HORS, HORS, HORS},
    {HORS, 2, 3, 4, 5, HORS, HORS, HORS, HORS},
    {HORS, 6, 7, 8, 9, 10, 11, HORS, HORS},
    {HORS, 12, 13, 14, 15, 16, 17, 18, 19},
    {20, 21, 22, 23, HORS, 24, 25, 26, 27},
    {28, 29, 30, 31, 32, 33, 34, 35, HORS},
    {HORS, HORS, 36, 37, 38, 39, 40, 41, HORS},
    {HORS, HORS, HORS, HORS, 42, 43, 44, 45, HORS},
    {HORS, HORS, HORS, HORS, HORS, 46, 47, HORS, HORS},
}};

// Number of cells on one grid row (2, 4, 6, 8, 8, 8, 6, 4, 2).
constexpr int casesDeLaLigne(int ligne)
{
    int n = 0;
    for (int8_t c : grille[static_cast<size_t>(ligne)])
        n += c != HORS;
    return n;
}

} // namespace hote
