// humain_liste: a person plays by index.  Every legal move is listed with
// the state of its two cells; the number typed is handed to the host as it
// is, even outside the list.
#include "couleur.h"
#include "trace.h"
#include "entree.h"
#include "joueur.h"

#include <cstdio>

void choisirCoup(Position position, ListeCoups coups)
{
    printf("Ma couleur : %s\n", motCouleur(position.trait));
    for (int k = 0; k < coups.nb; k++) {
        afficherCoupNumero(position, k, coups.coups[k]);
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
