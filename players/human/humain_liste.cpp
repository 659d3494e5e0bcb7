// humain_liste: a person plays by index.  Every legal move is listed with
// the state of its two cells; the number typed on one line is handed to the
// host as it is, even outside the list.  A line that is not one whole number
// is refused and the question comes again.
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
        Lecture lue = lireNombres(&choix, 1);
        if (lue == LECTURE_OK)
            break;
        if (lue == LECTURE_FIN) // the person left: hand nothing
            return;
    }
    printf("Vous avez choisi %d\n", choix);
    ecrireIndexCoup(choix);
}
