// Test-only player: at each of its turns, sends its parent (the engine, when
// nothing stands between them) the signal whose number is in the
// environment variable JOUEUR_SIGNALEUR, then plays the first move.
#include "joueur.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

void choisirCoup(Position, ListeCoups)
{
    if (const char *numero = std::getenv("JOUEUR_SIGNALEUR"))
        kill(getppid(), std::atoi(numero));
    ecrireIndexCoup(0);
}
