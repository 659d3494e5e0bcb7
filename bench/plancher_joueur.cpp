// What the floor of a tournament (plancher_tournoi.cpp) calls in one player,
// built into the player's own module beside its code, the host's turn and
// the host's output functions: a game begun as the host begins it, and one
// turn.  Each module answers for its player alone.
#include "sortie.h"
#include "tour.h"

#include <cstdint>
#include <cstdlib>

namespace {

// The C library's rand() is one generator for the whole process, where each
// player program has its own: each module keeps its own state, the
// generator's current one while its player plays.
alignas(8) char etatDuHasard[128];
bool hasardPret = false;

void prendreSonHasard()
{
    if (!hasardPret)
        initstate(1, etatDuHasard, sizeof etatDuHasard); // the C library's default kind
    else
        setstate(etatDuHasard);
    hasardPret = true;
}

} // namespace

// A new game whose output nobody keeps, seeded as the host seeds it.
extern "C" __attribute__((visibility("default"))) void plancherCommencer(uint32_t graine)
{
    hote::taireLaSortie(true);
    prendreSonHasard();
    std::srand(graine);
}

// One turn: how many indices the player handed, the last in `dernier`.
extern "C" __attribute__((visibility("default"))) int plancherJouer(const Position *position,
                                                                    int *dernier)
{
    prendreSonHasard();
    std::vector<int> indices = hote::jouerTour(*position);
    *dernier = indices.empty() ? -1 : indices.back();
    return static_cast<int>(indices.size());
}
