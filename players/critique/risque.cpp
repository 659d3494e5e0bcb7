// Risk rating and candidate helpers of the joueur_critique family.
//
// A column of five can never move again and belongs for good to the colour
// on top of it, and a column with no live neighbour is frozen the same way.
// erreurcritique looks one move ahead for those two dangers: a five made or
// offered to the opponent, and a destination frozen or nearly frozen under
// an opponent top.
#include "risque.h"

namespace {

bool vivante(const Colonne &c) { return c.nb != 0 && c.nb != HAUTEUR_MAX; }

} // namespace

int nbvoisin(const Position *pos, uint8_t x)
{
    Voisins v = getVoisins(x);
    int n = 0;
    for (int k = 0; k < v.nb; k++)
        if (vivante(pos->cols[v.cases[k]]))
            n++;
    return n;
}

int erreurcritique(const Position *pos, int index, const ListeCoups *liste)
{
    const uint8_t t = pos->trait;
    const Coup m = liste->coups[index];
    const Colonne &o = pos->cols[m.origine];
    const Colonne &d = pos->cols[m.destination];
    const int somme = o.nb + d.nb;
    const Voisins voisins = getVoisins(m.destination);

    // A five made at once is settled for good: ours is a gain, theirs a loss.
    if (somme == HAUTEUR_MAX)
        return o.couleur != t ? 2 : 0;

    // A neighbour that can complete the five next move; it is harmless only
    // when both the new top and that neighbour are ours.
    for (int k = 0; k < voisins.nb; k++) {
        const uint8_t v = voisins.cases[k];
        if (v == m.origine)
            continue;
        if (somme + pos->cols[v].nb == HAUTEUR_MAX &&
            (o.couleur != t || pos->cols[v].couleur != t))
            return 2;
    }

    // The origin is the destination's only live neighbour: once it is gone,
    // the new column is frozen under the opponent's colour.
    const int vivantes = nbvoisin(pos, m.destination);
    if (vivantes == 1 && o.couleur != t)
        return 2;

    // One live neighbour left besides the origin: a neighbour whose only
    // live neighbour is the destination would close a pair with it.
    if (vivantes == 2) {
        for (int k = 0; k < voisins.nb; k++) {
            const uint8_t v = voisins.cases[k];
            if (v == m.origine)
                continue;
            if (nbvoisin(pos, v) == 1 && (o.couleur != t || pos->cols[v].couleur != t))
                return 1;
        }
    }
    return 0;
}

int isolement(const Position *pos, const ListeCoups *liste, int index, int *meilleur)
{
    const Coup m = liste->coups[index];
    if (pos->cols[m.origine].couleur != pos->trait)
        return -1;
    if (nbvoisin(pos, m.destination) != 1)
        return -1;
    if (erreurcritique(pos, index, liste) != 0)
        return -1;
    const int somme = pos->cols[m.origine].nb + pos->cols[m.destination].nb;
    if (somme >= *meilleur)
        return -1;
    *meilleur = somme;
    return index;
}

int empileradverse(const Position *pos, const ListeCoups *liste, int index, int *meilleur)
{
    const Coup m = liste->coups[index];
    if (pos->cols[m.origine].couleur == pos->trait)
        return -1;
    if (pos->cols[m.destination].couleur == pos->trait)
        return -1;
    if (erreurcritique(pos, index, liste) != 0)
        return -1;
    const int n = nbvoisin(pos, m.destination);
    if (n >= *meilleur)
        return -1;
    *meilleur = n;
    return index;
}

int empileradverse2(const Position *pos, const ListeCoups *liste, int index)
{
    const Coup m = liste->coups[index];
    if (pos->cols[m.destination].couleur == pos->trait)
        return -1;
    if (erreurcritique(pos, index, liste) != 0)
        return -1;
    return index;
}

int prisedecinq(const Position *pos, const ListeCoups *liste, int index)
{
    const Coup m = liste->coups[index];
    const Colonne &o = pos->cols[m.origine];
    const Colonne &d = pos->cols[m.destination];
    return o.couleur == pos->trait && o.nb + d.nb == HAUTEUR_MAX && d.couleur != pos->trait;
}
