// joueur_empeche: eight ranked categories, partners counted in the list.
//
// How the player decides: the partners of a cell are the moves of the list
// that start from it.  Every move is tested against eight categories, from
// the best: 8 and 7, an own column on an opponent column when the two can
// only be joined to each other (making five, or four or less); 6 and 5, an
// own column put on a column with no other partner (opponent's, then own);
// 4, an own column making five on an opponent column; 3, any own five;
// 2, stacking two opponent columns when the origin has no other partner;
// 1, two opponent single pieces stacked.  The first move of the highest
// category found is played, index 0 when none holds.  The sentence said at
// the end follows the categories that held for the last move examined.
#include "joueur.h"
#include "nb_coups.h"

#include <cstdio>

namespace {

constexpr int NB_CATEGORIES = 8;

const char *const PHRASES[NB_CATEGORIES + 1] = {
    "J'empile deux pions adverses !",
    "J'empile deux pions adverses pour faire des piles de deux !",
    "J'empêche l'adversaire de faire une pile isolée !",
    "Je peux faire une Pile Finie !",
    "Je peux faire une Pile Finie sur une tour adverse !",
    "Je peux isoler un de mes pions",
    "Je peux isoler un de mes pions (sur un pion adverse)",
    "Je peux faire une Pile pour empêcher l'adversaire d'en faire une ! (deux pions isolés)",
    "Je peux faire une Pile Finie pour empêcher l'adversaire d'en faire une ! (deux pions isolés)",
};

// The moves of the list that start from the cell.
int NombreVoisins(uint8_t c, const ListeCoups *coups)
{
    int nombre = 0;
    for (int k = 0; k < coups->nb; k++)
        if (coups->coups[k].origine == c)
            nombre++;
    return nombre;
}

// Whether move (o, d) falls in the category.
bool categorieTient(int categorie, Position position, const ListeCoups *coups, uint8_t o, uint8_t d)
{
    const Colonne co = position.cols[o];
    const Colonne cd = position.cols[d];
    const bool oMien = co.couleur == position.trait;
    const bool dMien = cd.couleur == position.trait;
    const int hauteur = co.nb + cd.nb;

    switch (categorie) {
    case 8:
        return NombreVoisins(o, coups) == 1 && NombreVoisins(d, coups) == 1 && oMien &&
               !dMien && hauteur == HAUTEUR_MAX;
    case 7:
        return NombreVoisins(o, coups) == 1 && NombreVoisins(d, coups) == 1 && oMien &&
               !dMien && hauteur <= HAUTEUR_MAX - 1;
    case 6:
        return oMien && !dMien && NombreVoisins(d, coups) == 1;
    case 5:
        return oMien && dMien && NombreVoisins(d, coups) == 1;
    case 4:
        return oMien && !dMien && hauteur == HAUTEUR_MAX;
    case 3:
        return oMien && hauteur == HAUTEUR_MAX;
    case 2:
        return !oMien && !dMien && NombreVoisins(o, coups) == 1 &&
               NombreVoisins(d, coups) > 1;
    case 1:
        return !oMien && !dMien && hauteur == 2;
    default:
        return false;
    }
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    coups.nb = bornerNbCoups(coups.nb);
    int choix = 0;
    int meilleure = 0;
    int message = 0; // the sentence said at the end

    std::puts("La liste de coup est: ");
    afficherListeCoups(coups);

    for (int i = 0; i < coups.nb; i++) {
        const uint8_t o = coups.coups[i].origine;
        const uint8_t d = coups.coups[i].destination;
        std::printf("On test %3d sur %3d\n", o, d);
        // Every category is tested: the last one that holds, the lowest,
        // sets the sentence.
        for (int categorie = NB_CATEGORIES; categorie >= 1; categorie--) {
            if (!categorieTient(categorie, position, &coups, o, d))
                continue;
            if (categorie > meilleure) {
                meilleure = categorie;
                choix = i;
            }
            message = categorie;
        }
        if (position.cols[o].couleur != position.trait &&
            position.cols[d].couleur != position.trait)
            message = 0;
    }

    std::puts(PHRASES[message]);
    ecrireIndexCoup(choix);
}
