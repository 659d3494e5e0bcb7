/* joueur_rapport: how it sees a position.
 *
 * A point move of one side is a move that makes a column of five, or makes a
 * column that no neighbour can ever join again, or takes away the only
 * neighbour of a column and leaves it alone.  The player counts such moves for
 * both sides, and judges a candidate by looking one move ahead: how many point
 * moves each side has once the candidate is on the board. */
#include "rapport.h"

#include "nb_coups.h"

#include <stdio.h>

namespace {

int hauteur(const Position &pos, uint8_t c) { return pos.cols[c].nb; }

void echanger(CoupEvalue table[], int j)
{
    CoupEvalue e = table[j];
    table[j] = table[j + 1];
    table[j + 1] = e;
}

} // namespace

int nbCoupsLisibles(const ListeCoups *liste) { return bornerNbCoups(liste->nb); }

int indiceDuCoup(const ListeCoups *liste, uint8_t o, uint8_t d)
{
    const int nb = nbCoupsLisibles(liste);
    for (int k = 0; k < nb; k++)
        if (liste->coups[k].origine == o && liste->coups[k].destination == d)
            return k;
    return -1;
}

int ajouterEntree(CoupEvalue table[], int count, int numero, uint8_t o, uint8_t d, int motif)
{
    if (count >= CAPACITE_TABLE || numero < 0)
        return count;
    CoupEvalue e = {};
    e.numero = numero;
    e.origine = o;
    e.destination = d;
    e.motif = motif;
    table[count] = e;
    return count + 1;
}

int rassemblerCasesChargees(const CoupEvalue table[], int n, CoupEvalue collection[])
{
    int count = 0;
    for (int x = 0; x < NBCASES; x++) {
        int touchent = 0;
        for (int i = 0; i < n; i++)
            touchent += table[i].origine == x || table[i].destination == x;
        if (touchent < 3)
            continue;
        // An entry touching two such cells is taken twice: it weighs more.
        for (int i = 0; i < n && count < CAPACITE_TABLE; i++)
            if (table[i].origine == x || table[i].destination == x)
                collection[count++] = table[i];
    }
    return count;
}

int estAcceptable(const CoupEvalue *entree) { return entree->testsupp >= SEUIL_REFUS; }

int estValideint(uint8_t a, uint8_t b, Position pos)
{
    const int ha = hauteur(pos, a), hb = hauteur(pos, b);
    if (ha == 0 || hb == 0 || ha + hb > HAUTEUR_MAX)
        return 0;
    const Voisins v = getVoisins(a);
    for (int i = 0; i < v.nb; i++)
        if (v.cases[i] == b)
            return 1;
    return 0;
}

int marquerPoint(CoupEvalue table[], int camp, Position pos, ListeCoups liste)
{
    int count = 0;
    const int nbCoups = nbCoupsLisibles(&liste);
    // The neighbours of every cell and how many of them are non-empty, read
    // once for the whole list.
    Voisins voisins[NBCASES];
    uint8_t occupes[NBCASES];
    for (int c = 0; c < NBCASES; c++) {
        voisins[c] = getVoisins(static_cast<uint8_t>(c));
        occupes[c] = 0;
        for (int i = 0; i < voisins[c].nb; i++)
            occupes[c] = static_cast<uint8_t>(occupes[c] + (hauteur(pos, voisins[c].cases[i]) != 0));
    }
    for (int k = 0; k < nbCoups; k++) {
        const uint8_t o = liste.coups[k].origine;
        const uint8_t d = liste.coups[k].destination;
        const bool propre = pos.cols[o].couleur == pos.trait;
        if ((camp == 1) != propre)
            continue;
        // One counter for the whole move: once a neighbour of o is found
        // joinable, the later neighbours of o are not recorded either.
        int bloc = 0;
        const int ho = hauteur(pos, o), hd = hauteur(pos, d);

        if (ho + hd == HAUTEUR_MAX) {
            count = ajouterEntree(table, count, k, o, d, 1);
            continue;
        }

        // o is always one of the non-empty neighbours of d.
        if (occupes[d] == 1) {
            // o is d's only neighbour: moving o anywhere leaves d alone.  The
            // opponent's moves are weighed with the height of d in place of n's.
            const Voisins &vo = voisins[o];
            for (int i = 0; i < vo.nb; i++) {
                const uint8_t n = vo.cases[i];
                if (estValideint(o, n, pos) != 1)
                    continue;
                const int x = camp == 1 ? hauteur(pos, n) : hd;
                const Voisins &vn = voisins[n];
                for (int j = 0; j < vn.nb; j++)
                    if (ho + x + hauteur(pos, vn.cases[j]) > HAUTEUR_MAX - 1)
                        bloc++;
                if (bloc == 0)
                    count = ajouterEntree(table, count, indiceDuCoup(&liste, o, n), o, n, 3);
            }
        } else if (occupes[d] >= 2) {
            // The new column is closed when no other neighbour can ever join
            // it; one that can is enough to spoil it.
            const Voisins &vd = voisins[d];
            for (int i = 0; i < vd.nb && bloc == 0; i++) {
                const uint8_t m = vd.cases[i];
                const int hm = hauteur(pos, m);
                if (m != o && hm != 0 && hm + ho + hd <= HAUTEUR_MAX)
                    bloc++;
            }
            if (bloc == 0)
                count = ajouterEntree(table, count, k, o, d, 2);
        }
    }
    return count;
}

void prevoirCoupAvance(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos)
{
    CoupEvalue brouillon[CAPACITE_TABLE];
    for (int i = 0; i < n; i++) {
        const uint8_t o = table[i].origine, d = table[i].destination;
        // The move is put on the board by hand and the trait stays: both
        // counts are taken from the player's own point of view.
        Position p = pos;
        p.cols[d].nb = static_cast<uint8_t>(p.cols[d].nb + p.cols[o].nb);
        p.cols[d].couleur = p.cols[o].couleur;
        p.cols[o].nb = 0;
        p.cols[o].couleur = VIDE;
        const ListeCoups l = getCoupsLegaux(p);
        table[i].apresOrdi = marquerPoint(brouillon, 1, p, l);
        table[i].apresAdvr = marquerPoint(brouillon, 0, p, l);
        table[i].rapport = (table[i].apresOrdi - nbOrdi) + (nbAdvr - table[i].apresAdvr);
    }
}

namespace {

// Bubble ranking on one field, best first; a swap only on a strict
// difference keeps equal entries in their order, so the earliest of the best
// is entry 0.  A pass without a swap leaves the table as the remaining passes
// would.
void classerPar(CoupEvalue table[], int n, int CoupEvalue::*champ)
{
    bool echange = true;
    for (int passe = 0; passe < n && echange; passe++) {
        echange = false;
        for (int j = 0; j + 1 < n; j++)
            if (table[j].*champ < table[j + 1].*champ) {
                echanger(table, j);
                echange = true;
            }
    }
}

} // namespace

void classertestsupp(CoupEvalue table[], int n) { classerPar(table, n, &CoupEvalue::testsupp); }

void classerrapport(CoupEvalue table[], int n) { classerPar(table, n, &CoupEvalue::rapport); }

void afficherTab(const CoupEvalue table[], int n)
{
    for (int j = 0; j < n; j++)
        printf("Position %d : coup numéro %d rapport : %d testsupp : %d\n", j, table[j].numero,
               table[j].rapport, table[j].testsupp);
}
