// The search of joueur_fort: negamax with alpha-beta, iterative deepening
// under a fixed node budget, a transposition table of fixed size.
#pragma once

#include "tessor.h"

#include <cstdint>

namespace fort {

// Values, always from the side to move.  A finished game is worth
// VICTOIRE (won), 0 (drawn) or -VICTOIRE (lost), plus 100 per column of
// difference and 1 per five of difference; a heuristic value stays well
// inside ±VICTOIRE / 2.
constexpr int VICTOIRE = 1000000;
constexpr int INFINI = 2 * VICTOIRE;

// Nodes (moves played in the search) allowed for one turn.
constexpr long BUDGET_NOEUDS = 60000;

struct Reponse {
    int index = -1;        // index of the move in the list received, -1: none
    int valeur = 0;        // value of the position for the side to move
    int profondeur = 0;    // last depth searched to the end
    long noeuds = 0;       // moves played by the search
    bool resolue = false;  // the value is the game's exact value
};

// Searches the position among the moves of `coups`: entries past the
// storage, or that the rules forbid, are never chosen, unless no entry is
// legal (then index 0).  The answer depends on the position, the list and
// the budget only.
Reponse chercher(const Position &position, const ListeCoups &coups,
                 long budget = BUDGET_NOEUDS);

// -1, 0 or 1: the result that a value says, for values of finished games.
inline int resultatDeValeur(int valeur)
{
    return valeur > VICTOIRE / 2 ? 1 : (valeur < -VICTOIRE / 2 ? -1 : 0);
}

} // namespace fort
