// Test-only player that remembers, against the rule: it counts the turns
// its process has played and takes that move of the list, so that its games
// show whether one process played them all.
#include "joueur.h"

void choisirCoup(Position, ListeCoups coups)
{
    static int tours = 0;
    if (coups.nb > 0)
        ecrireIndexCoup(tours++ % coups.nb);
}
