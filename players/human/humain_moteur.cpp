// humain_moteur: a person types origin and destination; only the found move
// is handed, and the engine is then told, by SIGUSR1, that the person's
// thinking time is over.
#include "saisie.h"

#include <csignal>

// Only a real process id: kill with 0 or -1 would signal whole process groups.
static void signalerMoteur()
{
    if (pidMoteur > 0)
        kill(pidMoteur, SIGUSR1);
}

void choisirCoup(Position position, ListeCoups coups)
{
    saisie::dialoguer(position, coups, {.remettreEchec = false, .apresLeCoup = signalerMoteur});
}
