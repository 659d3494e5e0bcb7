// joueur_score: every move gets the sum of seven rules, the best sum plays.
//
// Each rule looks at the two columns of a move (heights, own or opponent's
// tops) and most of them at the destination's neighbours once the move is
// played: a five made with an own top, a four or a three that the opponent
// cannot finish at once, a two built away from opponent threes, own columns
// isolated by the move, more own than opponent tops around the new column,
// and the colours of the two tops.  The first move of the list with the
// highest positive sum is handed; when no sum is above 0, the first move of
// the list.  Nothing is printed.
#include "joueur.h"
#include "nb_coups.h"

namespace {

// The chosen move before any move scored above 0: in no list.
constexpr Coup AUCUN_COUP = {NBCASES, NBCASES};

bool propre(uint8_t couleur, uint8_t trait) { return couleur == trait; }

// A column of the other side: non-empty and not topped by `trait`.
bool adverse(Colonne c, uint8_t trait) { return c.nb != 0 && c.couleur != trait; }

Position apresCoup(Position position, Coup coup)
{
    return jouerCoup(position, coup.origine, coup.destination);
}

} // namespace

// The isolated columns of the side `position.trait`, ascending, then -1: a
// column no neighbour can join without making more than four.
void pile_isole(Position position, int liste[NBCASES + 1])
{
    int n = 0;
    for (int c = 0; c < NBCASES; c++) {
        if (position.cols[c].couleur != position.trait)
            continue;
        Voisins v = getVoisins(static_cast<uint8_t>(c));
        bool isolee = true;
        for (int k = 0; k < v.nb; k++) {
            Colonne voisin = position.cols[v.cases[k]];
            if (voisin.nb != 0 && position.cols[c].nb + voisin.nb <= 4)
                isolee = false;
        }
        if (isolee)
            liste[n++] = c;
    }
    liste[n] = -1;
}

namespace {

int nbIsolees(Position position, int cellule, bool *contient)
{
    int liste[NBCASES + 1];
    pile_isole(position, liste);
    int n = 0;
    for (; liste[n] != -1; n++)
        if (liste[n] == cellule)
            *contient = true;
    return n;
}

} // namespace

int pile5(Coup coup, Position position)
{
    Colonne o = position.cols[coup.origine];
    Colonne d = position.cols[coup.destination];
    if (o.nb + d.nb != 5)
        return 0;
    bool oPropre = propre(o.couleur, position.trait);
    bool dPropre = propre(d.couleur, position.trait);
    if (oPropre)
        return dPropre ? 80 : 100;
    return dPropre ? 0 : 5;
}

int pile4(Coup coup, Position position)
{
    Colonne o = position.cols[coup.origine];
    Colonne d = position.cols[coup.destination];
    if (o.nb + d.nb != 4)
        return 0;
    // A single piece of another colour than the new top would take the four.
    Position apres = apresCoup(position, coup);
    Voisins v = getVoisins(coup.destination);
    int a = 0;
    for (int k = 0; k < v.nb; k++) {
        Colonne n = apres.cols[v.cases[k]];
        if (n.nb == 1 && n.couleur != o.couleur)
            a++;
    }
    if (a > 0)
        return -300;
    if (!propre(o.couleur, position.trait))
        return 0;
    return propre(d.couleur, position.trait) ? 50 : 60;
}

int pile3(Coup coup, Position position)
{
    Colonne o = position.cols[coup.origine];
    Colonne d = position.cols[coup.destination];
    uint8_t t = position.trait;
    if (!propre(o.couleur, t) || o.nb + d.nb != 3)
        return 0;
    Position apres = apresCoup(position, coup);
    Voisins v = getVoisins(coup.destination);
    int a = 0;
    int b = 0;
    bool danger = false;
    for (int k = 0; k < v.nb; k++) {
        Colonne n = apres.cols[v.cases[k]];
        if (n.nb == 1 && adverse(n, t))
            a++;
        else if (n.nb == 2 && adverse(n, t))
            danger = true;
        else if (n.nb == 1 && propre(n.couleur, t))
            b++;
    }
    if (danger)
        return -200;
    if (a > 0 && b > 0)
        return (propre(d.couleur, t) ? 35 : 40) + 2 * (b - a);
    if (a == 0)
        return 45 + 2 * b;
    return 0;
}

int pile2(Coup coup, Position position)
{
    Colonne o = position.cols[coup.origine];
    Colonne d = position.cols[coup.destination];
    uint8_t t = position.trait;
    if (o.nb + d.nb != 2)
        return 0;
    Position apres = apresCoup(position, coup);
    Voisins v = getVoisins(coup.destination);
    int a = 0;
    int b = 0;
    bool danger = false;
    for (int k = 0; k < v.nb; k++) {
        Colonne n = apres.cols[v.cases[k]];
        if (n.nb == 1 && adverse(n, t))
            a++;
        else if (n.nb == 3 && !(propre(n.couleur, t) && propre(o.couleur, t)))
            danger = true;
        else if (n.nb == 1)
            b++;
    }
    if (danger)
        return -300;
    bool oPropre = propre(o.couleur, t);
    bool dPropre = propre(d.couleur, t);
    if (!oPropre && !dPropre)
        return 25 + b - a;
    if (oPropre && !dPropre)
        return 20 + b - a;
    if (oPropre && dPropre)
        return 5 + b - a;
    return 0;
}

int coup_isole(Coup coup, Position position)
{
    bool ignore = false;
    int n0 = nbIsolees(position, -1, &ignore);
    Position apres = apresCoup(position, coup);
    apres.trait = position.trait;
    bool destinationIsolee = false;
    int n1 = nbIsolees(apres, coup.destination, &destinationIsolee);
    if (n1 <= n0)
        return 0;
    return (n1 - n0) * (destinationIsolee ? 50 : 80);
}

int Coup_Futur_deplacer(Coup coup, Position position)
{
    uint8_t t = position.trait;
    Position apres = apresCoup(position, coup);
    Voisins v = getVoisins(coup.destination);
    int a = 0;
    int b = 0;
    for (int k = 0; k < v.nb; k++) {
        Colonne n = apres.cols[v.cases[k]];
        if (adverse(n, t))
            a++;
        else if (n.nb != 0)
            b++;
    }
    if (a > b)
        return -40;
    if (a < b)
        return 40;
    return 0;
}

int sid_couleur(Coup coup, Position position)
{
    bool oPropre = propre(position.cols[coup.origine].couleur, position.trait);
    bool dPropre = propre(position.cols[coup.destination].couleur, position.trait);
    if (!oPropre)
        return dPropre ? -50 : 40;
    return dPropre ? 10 : 50;
}

// The first move of the list with the highest total above 0, or AUCUN_COUP.
Coup score(Position position, ListeCoups coups, int n)
{
    Coup choisi = AUCUN_COUP;
    int meilleur = 0;
    for (int i = 0; i < n; i++) {
        Coup c = coups.coups[i];
        int total = pile5(c, position) + pile4(c, position) + pile3(c, position) +
                    pile2(c, position) + coup_isole(c, position) +
                    Coup_Futur_deplacer(c, position) + sid_couleur(c, position);
        if (total > meilleur) {
            meilleur = total;
            choisi = c;
        }
    }
    return choisi;
}

// The first index of the move in the list, 0 when it is not there.
int recherchecoup(Coup coup, ListeCoups coups, int n)
{
    for (int i = 0; i < n; i++)
        if (coups.coups[i].origine == coup.origine &&
            coups.coups[i].destination == coup.destination)
            return i;
    return 0;
}

void choisirCoup(Position position, ListeCoups coups)
{
    int n = bornerNbCoups(coups.nb);
    ecrireIndexCoup(recherchecoup(score(position, coups, n), coups, n));
}
