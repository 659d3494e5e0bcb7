// Small boards for the joueur_critique tests: a few columns on an otherwise
// empty board, so that the move list can be followed by hand.
#pragma once

#include "notation.h"
#include "tessor.h"

#include <map>
#include <string>

namespace essai {

// Columns by cell: "2j" is a yellow-topped column of height 2, "5r" a red
// five.  Every other cell is empty.
using Colonnes = std::map<int, std::string>;

inline Position plateau(const Colonnes &colonnes, char trait)
{
    Position p = {};
    p.trait = trait == 'r' ? ROUGE : JAUNE;
    for (const auto &[cellule, texte] : colonnes) {
        p.cols[cellule].nb = static_cast<uint8_t>(texte.at(0) - '0');
        p.cols[cellule].couleur = texte.at(1) == 'r' ? ROUGE : JAUNE;
    }
    return p;
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

inline std::string notation(const Position &p) { return hote::ecrireNotation(p); }

} // namespace essai

#include <random>
#include <vector>

namespace essai {

// Positions met in one game of uniformly random legal moves, seeded.
inline std::vector<Position> partieAuHasard(unsigned graine)
{
    std::mt19937 alea(graine);
    std::vector<Position> positions;
    Position p = getPositionInitiale();
    for (;;) {
        positions.push_back(p);
        ListeCoups l = getCoupsLegaux(p);
        if (l.nb == 0)
            return positions;
        std::uniform_int_distribution<int> tirage(0, l.nb - 1);
        Coup c = l.coups[tirage(alea)];
        p = jouerCoup(p, c.origine, c.destination);
    }
}

} // namespace essai
