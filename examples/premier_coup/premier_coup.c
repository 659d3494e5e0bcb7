/* premier_coup: a minimal player written in C.
 *
 * It takes the first move that covers an opponent's column with one of its
 * own, and otherwise the first move of the list. */
#include <stdio.h>

#include "joueur.h"

static const char *mot(uint8_t couleur) { return couleur == ROUGE ? "rouge" : "jaune"; }

void choisirCoup(Position position, ListeCoups coups)
{
    int choix = 0;
    for (int k = 0; k < coups.nb; k++) {
        Coup c = coups.coups[k];
        if (position.cols[c.origine].couleur == position.trait &&
            position.cols[c.destination].couleur != position.trait) {
            choix = k;
            break;
        }
    }
    printf("Ma couleur : %s\n", mot(position.trait));
    if (coups.nb > 0)
        printf("Je joue %d -> %d\n", coups.coups[choix].origine, coups.coups[choix].destination);
    ecrireIndexCoup(choix);
}
