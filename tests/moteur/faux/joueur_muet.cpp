// Test-only player: never hands an index.
#include "joueur.h"

void choisirCoup(Position, ListeCoups) {}
