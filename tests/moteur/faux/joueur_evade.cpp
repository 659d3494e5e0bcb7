// Test-only player: plays its first move of a game; on its second it starts
// a process that leaves the player's session and process group, keeps its
// pipes and lingers, then never answers.
#include "commun.h"
#include "joueur.h"

#include <unistd.h>

void choisirCoup(Position position, ListeCoups)
{
    if (casesVides(position) >= 2) {
        if (fork() == 0) {
            setsid();
            sleep(30);
            _exit(0);
        }
        for (;;)
            pause();
    }
    ecrireIndexCoup(0);
}
