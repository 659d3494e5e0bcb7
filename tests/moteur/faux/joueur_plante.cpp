// Test-only player: plays its first move of a game, then writes one line and
// crashes.
#include "commun.h"
#include "joueur.h"

#include <cstdio>
#include <cstdlib>

void choisirCoup(Position position, ListeCoups)
{
    if (casesVides(position) >= 2) {
        std::puts("plante : dernière ligne");
        std::abort();
    }
    ecrireIndexCoup(0);
}
