// The two strategies that only joueur_critique2 plays.
#include "strategies2.h"

int isolementsuicide(const Position *pos, const ListeCoups *liste, int index, int *meilleur)
{
    const Coup c = liste->coups[index];
    if (pos->cols[c.origine].couleur != pos->trait)
        return -1;
    if (nbvoisin(pos, c.destination) != 1)
        return -1;
    const int somme = pos->cols[c.origine].nb + pos->cols[c.destination].nb;
    if (somme >= *meilleur)
        return -1;
    *meilleur = somme;
    return index;
}

int autoempileopti(const Position *pos, const ListeCoups *liste, int index, int *meilleur)
{
    const Coup c = liste->coups[index];
    if (erreurcritique(pos, index, liste) != 0)
        return -1;
    const int somme = pos->cols[c.origine].nb + pos->cols[c.destination].nb;
    if (somme <= *meilleur)
        return -1;
    *meilleur = somme;
    return index;
}
