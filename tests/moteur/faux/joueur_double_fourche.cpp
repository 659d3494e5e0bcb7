// Test-only player: plays its first move of a game; on its second it leaves
// a grandchild that keeps its pipes and lingers (its child exits at once),
// then exits itself.
#include "commun.h"
#include "joueur.h"

#include <unistd.h>

void choisirCoup(Position position, ListeCoups)
{
    if (casesVides(position) >= 2) {
        if (fork() == 0) {
            if (fork() == 0)
                sleep(30);
            _exit(0);
        }
        _exit(0);
    }
    ecrireIndexCoup(0);
}
