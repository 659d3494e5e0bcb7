// joueur_ouverture: three lists of candidate moves, and four opening moves.
//
// Every move of the list is printed with the occupied neighbours of its
// destination.  A move that could let the opponent make a five on the new
// column next turn, or that joins the two own columns of an isolated pair,
// is passed over.  The others are filed: list 1 holds own moves that make a
// five, that leave a neighbour of the origin alone while an own column can
// finish the new one, whose destination has one live neighbour left, or that
// make a four no opponent single can reach; list 2 own moves next to a column
// that could make a five with the destination; list 3 own moves onto an
// opponent column among more own single pieces than opponent ones.  On the
// first move of a game, with nothing in list 1, a scripted opening move is
// played.  Then list 1 (priority 5 first, list 2 before its priority-4
// entries), else list 3 by priority 5, 4, 3; with nothing filed, no move.
#include "couleur.h"
#include "nb_coups.h"
#include "joueur.h"

#include <cstdio>

namespace {

constexpr int CAPACITE_CANDIDATS = NBCASES;

struct Candidat {
    int index;
    int priorite;
};

struct Candidats {
    int nb;
    Candidat entrees[CAPACITE_CANDIDATS];
};

// A full list takes no more.
void ajouter(Candidats *liste, int index, int priorite)
{
    if (liste->nb < CAPACITE_CANDIDATS)
        liste->entrees[liste->nb++] = {index, priorite};
}

// The index of the first entry of this priority, -1 when there is none.
int premier(const Candidats &liste, int priorite)
{
    for (int k = 0; k < liste.nb; k++)
        if (liste.entrees[k].priorite == priorite)
            return liste.entrees[k].index;
    return -1;
}

} // namespace

Voisins getNbVoisins(uint8_t cellule, Position pos)
{
    Voisins tous = getVoisins(cellule);
    Voisins occupes = {};
    for (int k = 0; k < tous.nb; k++)
        if (pos.cols[tous.cases[k]].nb != 0)
            occupes.cases[occupes.nb++] = tous.cases[k];
    return occupes;
}

int calculerVoisins(Voisins v, int mode, int hauteur, uint8_t couleur, Position pos)
{
    int n = 0;
    for (int k = 0; k < v.nb; k++) {
        Colonne x = pos.cols[v.cases[k]];
        if (x.nb != hauteur)
            continue;
        if ((mode == 0 && x.couleur != couleur) || (mode == 1 && x.couleur == couleur) ||
            mode == 2)
            n++;
    }
    return n;
}

int calculerNbPilesPlateau(Position pos)
{
    int n = 0;
    for (int x = 0; x < NBCASES; x++)
        if (pos.cols[x].nb != 0)
            n++;
    return n;
}

void afficherVoisins(Voisins v)
{
    for (int j = 0; j < v.nb; j++)
        std::printf("\nvois num %d => %d", j, v.cases[j]);
}

namespace {

enum { AUTRE = 0, PROPRE = 1, TOUTE = 2 };

struct Examen {
    Position pos;
    uint8_t t;
    int m;
    uint8_t o, d;
    int s;
    Voisins vd, vo;
};

int h(const Examen &e, uint8_t x) { return e.pos.cols[x].nb; }
uint8_t c(const Examen &e, uint8_t x) { return e.pos.cols[x].couleur; }
int dansVd(const Examen &e, int mode, int hauteur)
{
    return calculerVoisins(e.vd, mode, hauteur, e.t, e.pos);
}

// A five the opponent could make next turn on the new column, or the two
// columns of an isolated own pair joined.
bool dangereux(const Examen &e)
{
    bool propreO = c(e, e.o) == e.t;
    if (!propreO && dansVd(e, TOUTE, 5 - e.s) > 0)
        return true;
    if (propreO && dansVd(e, AUTRE, 5 - e.s) > 0)
        return true;
    return propreO && e.vo.nb == 1 && c(e, e.d) == e.t && e.vd.nb == 1;
}

bool coupOuverture(const Examen &e)
{
    if (calculerNbPilesPlateau(e.pos) <= 47)
        return false;
    if (e.t == JAUNE)
        return (e.o == 18 && e.d == 27) || (e.o == 29 && e.d == 20);
    if (e.t == ROUGE)
        return (e.o == 26 && e.d == 19) || (e.o == 21 && e.d == 28);
    return false;
}

void liste1(const Examen &e, Candidats *l1)
{
    if (c(e, e.o) != e.t)
        return;
    if (e.s == 5)
        ajouter(l1, e.m, 5);
    if (e.s != 5) {
        for (int k = 0; k < e.vo.nb; k++)
            if (getNbVoisins(e.vo.cases[k], e.pos).nb == 1 && dansVd(e, PROPRE, 5 - e.s) > 0)
                ajouter(l1, e.m, 5);
    }
    if (e.vd.nb == 1)
        ajouter(l1, e.m, 5);
    int pasCinq = 0;
    for (int k = 0; k < e.vd.nb; k++)
        if (h(e, e.vd.cases[k]) != 5)
            pasCinq++;
    if (pasCinq == 1)
        ajouter(l1, e.m, 5);
    if (e.s == 4 && c(e, e.d) != e.t && dansVd(e, AUTRE, 1) == 0)
        ajouter(l1, e.m, 4);
}

void liste2(const Examen &e, Candidats *l2)
{
    if (c(e, e.o) != e.t)
        return;
    for (int k = 0; k < e.vd.nb; k++) {
        uint8_t x = e.vd.cases[k];
        if (h(e, e.d) + h(e, x) != 5 || (c(e, e.d) == e.t && c(e, x) == e.t))
            continue;
        if (calculerVoisins(getNbVoisins(x, e.pos), AUTRE, h(e, e.d), e.t, e.pos) <= 1)
            ajouter(l2, e.m, 5);
    }
}

void liste3(const Examen &e, Candidats *l3)
{
    if (c(e, e.o) != e.t || c(e, e.d) == e.t)
        return;
    int own1 = dansVd(e, PROPRE, 1);
    int other1 = dansVd(e, AUTRE, 1);
    if (e.s == 3 && own1 > other1 && dansVd(e, AUTRE, 2) == 0)
        ajouter(l3, e.m, 4);
    if (e.s == 2 && own1 > other1 && dansVd(e, AUTRE, 3) == 0)
        ajouter(l3, e.m, 5);
    if (e.s == 2 && dansVd(e, PROPRE, 2) == 1 && dansVd(e, AUTRE, 3) == 0)
        ajouter(l3, e.m, 3);
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    Candidats l1 = {}, l2 = {}, l3 = {};
    int ouverture = 0;

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));
    for (int m = 0; m < n; m++) {
        Examen e;
        e.pos = position;
        e.t = position.trait;
        e.m = m;
        e.o = coups.coups[m].origine;
        e.d = coups.coups[m].destination;
        e.s = h(e, e.o) + h(e, e.d);
        e.vd = getNbVoisins(e.d, position);
        e.vo = getNbVoisins(e.o, position);

        std::printf("\n\nCoup %d : ", m);
        std::printf("%d (%d - %s) ->", e.o, h(e, e.o), motCouleur(c(e, e.o)));
        std::printf("%d (%d - %s) \n", e.d, h(e, e.d), motCouleur(c(e, e.d)));
        std::printf("\nliste des voisins de la case %d:", e.d);
        afficherVoisins(e.vd);

        if (dangereux(e))
            continue;
        if (coupOuverture(e))
            ouverture = m;
        liste1(e, &l1);
        liste2(e, &l2);
        liste3(e, &l3);
    }

    if (l1.nb == 0 && ouverture != 0) {
        std::puts("\n-----COUP D OUVERTURE---");
        ecrireIndexCoup(ouverture);
        return;
    }
    if (l1.nb != 0) {
        int i = premier(l1, 5);
        if (i == -1 && l2.nb != 0)
            i = l2.entrees[0].index;
        if (i == -1)
            i = premier(l1, 4);
        ecrireIndexCoup(i);
        return;
    }
    for (int p = 5; p >= 3; p--) {
        int i = premier(l3, p);
        if (i != -1) {
            ecrireIndexCoup(i);
            return;
        }
    }
}
