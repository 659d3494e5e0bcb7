// The dialogue shared by the two players in which a person types a move as
// its origin and destination cells.  The move is looked up in the list of
// legal moves; one that is not there is refused and asked for again.  One
// line is one answer: a line without exactly two numbers is a failed entry.
#pragma once

#include "couleur.h"
#include "entree.h"
#include "joueur.h"

#include <cstdio>

namespace saisie {

struct Variante {
    bool remettreEchec;      // hand -1 to the host after each failed entry
    void (*apresLeCoup)();   // called once the move is handed, or nullptr
};

// Index of the move (origine, destination) in the list, or -1.  Typed
// numbers are compared as integers, so a negative one never matches.
inline int chercherCoup(const ListeCoups &coups, int origine, int destination)
{
    for (int k = 0; k < coups.nb; k++)
        if (coups.coups[k].origine == origine && coups.coups[k].destination == destination)
            return k;
    return -1;
}

inline void dialoguer(const Position &position, const ListeCoups &coups, Variante variante)
{
    int choix = -1;
    while (choix == -1) {
        printf("Votre couleur : %s\n", motCouleur(position.trait));
        printf("Votre choix (org dest) ? ");
        int cases[2];
        Lecture lue = lireNombres(cases, 2);
        if (lue == LECTURE_FIN) // the person left: hand nothing more
            return;
        if (lue == LECTURE_OK) {
            int origine = cases[0], destination = cases[1];
            printf("Vous avez choisi %d->%d\n", origine, destination);
            puts("Recherche de l'indice du coup correspondant...");
            choix = chercherCoup(coups, origine, destination);
            if (choix != -1)
                printf("Coup correspondant trouvé : %d\n", choix);
        }
        if (choix == -1)
            puts("Erreur de saisie !");
        if (choix != -1 || variante.remettreEchec)
            ecrireIndexCoup(choix);
    }
    if (variante.apresLeCoup != nullptr)
        variante.apresLeCoup();
}

} // namespace saisie
