// humain_liste: a person plays by index.  Every legal move is listed with
// the state of its two cells; the number typed is handed to the host as it
// is, even outside the list.
#include "joueur.h"

#include <cstdio>

static const char *motCouleur(uint8_t couleur) { return couleur == ROUGE ? "rouge" : "jaune"; }

// Drops what is left of the line that could not be read as a number.
static void ignorerLigne()
{
    int c;
    do
        c = getchar();
    while (c != '\n' && c != EOF);
}

void choisirCoup(Position position, ListeCoups coups)
{
    printf("Ma couleur : %s\n", motCouleur(position.trait));
    for (int k = 0; k < coups.nb; k++) {
        uint8_t o = coups.coups[k].origine, d = coups.coups[k].destination;
        printf("Coup %d : ", k);
        printf("%d (%d - %s) ->", o, position.cols[o].nb, motCouleur(position.cols[o].couleur));
        printf("%d (%d - %s) \n", d, position.cols[d].nb, motCouleur(position.cols[d].couleur));
    }
    int choix;
    for (;;) {
        printf("Votre choix ? ");
        int lus = scanf("%d", &choix);
        if (lus == 1)
            break;
        if (lus == EOF) // the person left: hand nothing
            return;
        ignorerLigne();
    }
    printf("Vous avez choisi %d\n", choix);
    ecrireIndexCoup(choix);
}
