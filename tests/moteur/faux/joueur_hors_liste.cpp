// Test-only player: hands a good index, then one past the end of the list
// (the last call counts).
#include "joueur.h"

void choisirCoup(Position, ListeCoups coups)
{
    ecrireIndexCoup(0);
    ecrireIndexCoup(coups.nb);
}
