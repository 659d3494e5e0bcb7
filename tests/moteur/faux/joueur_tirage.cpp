// Test-only player: a move drawn with rand, so that its games show whether
// the host seeded the generator with the game's seed.
#include "joueur.h"

#include <cstdlib>

void choisirCoup(Position, ListeCoups coups)
{
    if (coups.nb > 0)
        ecrireIndexCoup(std::rand() % coups.nb);
}
