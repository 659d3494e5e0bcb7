// Test-only player: plays its first move of a game, then never answers.
#include "commun.h"
#include "joueur.h"

#include <unistd.h>

void choisirCoup(Position position, ListeCoups)
{
    while (casesVides(position) >= 2)
        pause();
    ecrireIndexCoup(0);
}
