// humain_saisie: a person types origin and destination; each failed entry
// hands -1 to the host before the question comes again.
#include "saisie.h"

void choisirCoup(Position position, ListeCoups coups)
{
    saisie::dialoguer(position, coups, {.remettreEchec = true, .apresLeCoup = nullptr});
}
