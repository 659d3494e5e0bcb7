// Positions for the tests and benchmarks that go over many of them.
#pragma once

#include "tessor.h"

#include <random>
#include <vector>

namespace essai {

// Every position of one game of uniformly random legal moves, seeded, from
// the initial position to the last one, where no move remains.
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

// The positions of `parties` seeded random games, every `pas`-th of each and
// its last one.
inline std::vector<Position> positionsDeJeu(int parties, int pas, unsigned graine)
{
    std::vector<Position> positions;
    for (int k = 0; k < parties; k++) {
        std::vector<Position> partie = partieAuHasard(graine + static_cast<unsigned>(k));
        for (size_t i = 0; i < partie.size(); i++)
            if (i % static_cast<size_t>(pas) == 0 || i + 1 == partie.size())
                positions.push_back(partie[i]);
    }
    return positions;
}

} // namespace essai
