// Test-only player: plays the first move; from its first turn on, a process
// of its own sends SIGUSR1 to pidMoteur every millisecond, whoever's turn it
// is, until it is killed: signals that no person's choice sent, and a
// process left behind.
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
            for (;;) {
                kill(moteur, SIGUSR1);
                usleep(1000);
            }
        }
    }
    ecrireIndexCoup(0);
}
