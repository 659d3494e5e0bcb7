// joueur_priorite: a ladder of priorities from 21 down to 1.
//
// Every move of the list is weighed against a fixed ladder of rules (a four
// of its own colour that can finish a five next to lone opponent pieces,
// fives built with an own top, own columns with no opponent around, fives of
// the opponent's that free a neighbour, and so on down to the colours of the
// two tops); each rule that holds proposes the move at its priority, and a
// proposal at least as high as the best so far this turn is handed at once,
// so the last move of the list among those of the highest priority stands.
// Yellow also knows two opening moves.  A random move of the list is proposed
// at priority 1 for every move.  Neighbour scans read all eight entries of a
// cell's neighbour record, so cell 0 stands in for each entry past the count.
// Nothing is printed.
#include "joueur.h"
#include "nb_coups.h"

#include <cstdlib>

// The highest priority handed so far this turn.
int priorite_max = 0;

void empilerIndex(int index, int priorite)
{
    if (priorite < priorite_max)
        return;
    priorite_max = priorite;
    ecrireIndexCoup(index);
}

namespace {

int longueurLue(ListeCoups liste)
{
    return bornerNbCoups(liste.nb);
}

} // namespace

void empiler(uint8_t origine, uint8_t destination, int priorite, ListeCoups liste)
{
    if (priorite < priorite_max)
        return;
    int n = longueurLue(liste);
    for (int i = 0; i < n; i++) {
        if (liste.coups[i].origine == origine && liste.coups[i].destination == destination) {
            priorite_max = priorite;
            ecrireIndexCoup(i);
            return;
        }
    }
}

namespace {

struct Tour {
    Position p;
    uint8_t t;   // own colour
    uint8_t a;   // opponent's colour
};

uint8_t h(const Tour &tour, uint8_t x) { return tour.p.cols[x].nb; }
uint8_t c(const Tour &tour, uint8_t x) { return tour.p.cols[x].couleur; }

int nbCouleur(const Tour &tour, Voisins v, uint8_t couleur)
{
    int n = 0;
    for (int k = 0; k < NBVOISINS_MAX; k++)
        if (c(tour, v.cases[k]) == couleur)
            n++;
    return n;
}

// Step 1: a lone opponent piece next to the origin.
bool seulAdverseAutour(const Tour &tour, uint8_t o)
{
    Voisins v = getVoisins(o);
    for (int k = 0; k < NBVOISINS_MAX; k++)
        if (c(tour, v.cases[k]) == tour.a && h(tour, v.cases[k]) == 1)
            return true;
    return false;
}

// Step 4: a neighbour of the origin low enough to join it.
bool voisinPlusBas(const Tour &tour, uint8_t o)
{
    Voisins v = getVoisins(o);
    for (int k = 0; k < NBVOISINS_MAX; k++)
        if (h(tour, v.cases[k]) < 5 - h(tour, o))
            return true;
    return false;
}

// Step 5: no neighbour of the destination above 5 - h(o).
bool voisinsAuPlus(const Tour &tour, Voisins vd, int plafond)
{
    for (int k = 0; k < NBVOISINS_MAX; k++)
        if (h(tour, vd.cases[k]) > plafond)
            return false;
    return true;
}

// Steps 6 and 7: an opponent neighbour of the destination of height at most `plafond`.
bool adverseAuPlus(const Tour &tour, Voisins vd, int plafond)
{
    for (int k = 0; k < NBVOISINS_MAX; k++)
        if (c(tour, vd.cases[k]) == tour.a && h(tour, vd.cases[k]) <= plafond)
            return true;
    return false;
}

void ouverture(const Tour &tour, ListeCoups liste)
{
    if (tour.t != JAUNE)
        return;
    int nbVides = 0;
    for (int x = 0; x < NBCASES; x++)
        if (tour.p.cols[x].nb == 0)
            nbVides++;
    if (h(tour, 4) == 2 && c(tour, 4) == tour.t && h(tour, 8) == 0 && nbVides == 2) {
        empiler(9, 16, 18, liste);
        return;
    }
    for (uint8_t x = 0; x <= 8; x++)
        if (h(tour, x) != 1)
            return;
    empiler(8, 4, 18, liste);
}

void proposer(const Tour &tour, int i, Coup coup)
{
    const uint8_t o = coup.origine;
    const uint8_t d = coup.destination;
    const uint8_t t = tour.t;
    const uint8_t a = tour.a;
    const Voisins vd = getVoisins(d);
    const int nbAmis = nbCouleur(tour, vd, t);
    const int nbAdv = nbCouleur(tour, vd, a);
    const int ho = h(tour, o);
    const int hd = h(tour, d);

    if (c(tour, o) == t && ho == 4 && nbAdv > 0) {
        if (seulAdverseAutour(tour, o))
            empilerIndex(i, 21);
    } else if (c(tour, o) == t && ((ho == 4 && hd == 1) || (ho == 1 && hd == 4) ||
                                   (ho == 3 && hd == 2) || (ho == 2 && hd == 3))) {
        empilerIndex(i, c(tour, d) == a ? 20 : 19);
    }
    if (c(tour, o) == t && nbAdv == 0)
        empilerIndex(i, 18);
    if (ho + hd == 5 && c(tour, o) == a && c(tour, d) == a && voisinPlusBas(tour, o))
        empilerIndex(i, 17);
    if (c(tour, o) == t && voisinsAuPlus(tour, vd, 5 - ho)) {
        if (c(tour, d) == a)
            empilerIndex(i, 17);
        else if (c(tour, d) == t)
            empilerIndex(i, 16);
    }
    if (c(tour, o) == t && nbAdv > 0 && !adverseAuPlus(tour, vd, 5 - ho - hd))
        empilerIndex(i, 15);
    if (c(tour, o) == t && ho + hd == 3 && nbAmis > 3 && !adverseAuPlus(tour, vd, 2)) {
        int p = 10;
        if (c(tour, d) == a && nbAdv == 0)
            p = 14;
        else if (c(tour, d) == a && nbAdv == 1)
            p = 13;
        else if (c(tour, d) == a && nbAdv == 2)
            p = 12;
        else if (c(tour, d) == t && nbAdv == 0)
            p = 11;
        empilerIndex(i, p);
    }
    const bool paireAdverse = ho == 1 && c(tour, o) == a && hd == 1 && c(tour, d) == a;
    if (paireAdverse && nbAmis > 3)
        empilerIndex(i, nbAdv <= 3 ? 9 : 8);
    if (paireAdverse)
        empilerIndex(i, 6);
    if (c(tour, o) == t && c(tour, d) == a)
        empilerIndex(i, 5);
    if (c(tour, o) == a && c(tour, d) == a)
        empilerIndex(i, 4);
    if (c(tour, o) == t && c(tour, d) == t)
        empilerIndex(i, 3);
    if (c(tour, o) == a && c(tour, d) == t)
        empilerIndex(i, 2);
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    priorite_max = 0;
    Tour tour = {position, position.trait, position.trait == JAUNE ? uint8_t(ROUGE) : uint8_t(JAUNE)};
    const int n = longueurLue(coups);

    ouverture(tour, coups);
    for (int i = 0; i < n; i++) {
        proposer(tour, i, coups.coups[i]);
        // A lone move is the only one to draw: it is proposed without a draw.
        empilerIndex(n > 1 ? std::rand() % (n - 1) : 0, 1);
    }
}
