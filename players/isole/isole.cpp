// joueur_isole: the first move of the list that any rule accepts.
//
// How the player decides: every move is printed and tried, in list order,
// against the shared rules (a five taken from the opponent, an own column
// isolated, the reverse of an opponent five on our column, a small own
// column put where no opponent column could complete it); the first move
// that one of them accepts is played (for the reverse rule, the reverse
// move).  When no rule accepts any move, the first move of the list is
// played; with no move at all nothing is handed.
#include "couleur.h"
#include "joueur.h"
#include "regles.h"

#include <cstdio>

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = nbCoupsLisibles(&coups);
    int choix = -1;

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));

    for (int i = 0; i < n && choix == -1; i++) {
        afficherCoup(position, &coups, i);
        for (int regle = PREMIERE_REGLE; regle <= DERNIERE_REGLE_ISOLE && choix == -1; regle++)
            choix = appliquerRegle(regle, position, &coups, i);
    }

    if (n == 0)
        return;
    jouerChoix(position, &coups, choix == -1 ? 0 : choix);
}
