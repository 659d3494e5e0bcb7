// Test-only player: plays its first move of a game, then crashes.
#include "commun.h"
#include "joueur.h"

#include <cstdlib>

void choisirCoup(Position position, ListeCoups)
{
    if (casesVides(position) >= 2)
        std::abort();
    ecrireIndexCoup(0);
}
