// Legal moves and playing a move.
//
// The rules are colour-blind: either side may move any column onto a
// neighbouring non-empty column, provided the joined column holds at most
// five pieces.  The order of getCoupsLegaux is part of the contract with the
// players, who answer with an index into it.
#include "tessor.h"

#include <cstdio>

static bool tropHaut(const Position &p, uint8_t o, uint8_t d)
{
    return p.cols[o].nb + p.cols[d].nb > HAUTEUR_MAX;
}

// Internal twins of getVoisins and addCoup: calls between exported functions
// of a shared library go through its symbol table, which the move generator
// cannot afford in its inner loop.
static inline const Voisins &voisinsDe(uint8_t c) { return topologie[c]; }

static inline void ajouter(ListeCoups &liste, uint8_t origine, uint8_t destination)
{
    liste.coups[liste.nb].origine = origine;
    liste.coups[liste.nb].destination = destination;
    liste.nb++;
}

ListeCoups getCoupsLegaux(Position position)
{
    ListeCoups liste = {};
    int nb = 0;
    for (int o = 0; o < NBCASES; o++) {
        const int ho = position.cols[o].nb;
        if (ho == 0 || ho >= HAUTEUR_MAX) // nothing can join a full column
            continue;
        // A neighbour d is a destination when 1 <= h(d) <= 5 - h(o).  Every
        // neighbour is written at the next free entry and kept only when it
        // qualifies: no branch to mispredict in the inner loop.
        const unsigned place = static_cast<unsigned>(HAUTEUR_MAX - ho);
        const Voisins &v = voisinsDe(static_cast<uint8_t>(o));
        for (int k = 0; k < v.nb; k++) {
            const uint8_t d = v.cases[k];
            liste.coups[nb].origine = static_cast<uint8_t>(o);
            liste.coups[nb].destination = d;
            nb += static_cast<unsigned>(position.cols[d].nb - 1) < place;
        }
    }
    // The one entry past the list that may hold a rejected neighbour.
    liste.coups[nb] = Coup{0, 0};
    liste.nb = nb;
    return liste;
}

void addCoup(ListeCoups *liste, uint8_t origine, uint8_t destination)
{
    ajouter(*liste, origine, destination);
}

uint8_t estValide(Position position, uint8_t origine, uint8_t destination)
{
    if (position.cols[origine].nb == 0) {
        printf("jouerCoup impossible : la colonne %d est vide ! \n", origine);
        return 0;
    }
    if (position.cols[destination].nb == 0) {
        printf("jouerCoup impossible : la colonne %d est vide ! \n", destination);
        return 0;
    }
    if (tropHaut(position, origine, destination)) {
        printf("jouerCoup impossible : trop de jetons entre %d et %d ! \n", origine, destination);
        return 0;
    }
    const Voisins &v = voisinsDe(origine);
    for (int k = 0; k < v.nb; k++)
        if (v.cases[k] == destination)
            return 1;
    printf("jouerCoup impossible : cases %d et %d inaccessibles! \n", origine, destination);
    return 0;
}

Position jouerCoup(Position position, uint8_t origine, uint8_t destination)
{
    if (!estValide(position, origine, destination))
        return position;
    Colonne &o = position.cols[origine];
    Colonne &d = position.cols[destination];
    d.nb = static_cast<uint8_t>(d.nb + o.nb);
    d.couleur = o.couleur;
    o.nb = 0;
    o.couleur = VIDE;
    position.trait = position.trait == JAUNE ? ROUGE : JAUNE;
    return position;
}
