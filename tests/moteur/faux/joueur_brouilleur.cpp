// Test-only player: plays the first move; from its first turn on, a process
// of its own sends SIGUSR1 to the engine every millisecond, whoever's turn
// it is, until the engine is gone.
#include "joueur.h"

#include <csignal>
#include <unistd.h>

void choisirCoup(Position, ListeCoups)
{
    static bool lance = false;
    if (!lance && pidMoteur > 0) {
        lance = true;
        pid_t moteur = pidMoteur;
        if (fork() == 0) {
            while (kill(moteur, SIGUSR1) == 0)
                usleep(1000);
            _exit(0);
        }
    }
    ecrireIndexCoup(0);
}
