// humain_liste: a person plays by index.  Every legal move is listed with
// the state of its two cells; the number typed is handed to the host as it
// is, even outside the list.
#include "couleur.h"
#include "entree.h"
#include "joueur.h"

#include <cstdio>

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
