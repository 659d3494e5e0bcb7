/* joueur_rapport: spoiling the opponent's point moves.
 *
 * When only the opponent has point moves, the player answers them: around a
 * column of two in an opponent's five it either makes that column three (when
 * no other column of two stands next to it) or carries it onto a lone piece;
 * an opponent point move of three pieces or fewer is answered by the reverse
 * move.  Answers are rated by lookahead: taking the opponent's point moves
 * away is good, giving some or making a four that changes them is not. */
#include "rapport.h"

namespace {

int hauteur(const Position &pos, uint8_t c) { return pos.cols[c].nb; }

} // namespace

int bloquerLib23(CoupEvalue table[], uint8_t o, uint8_t d, int count, ListeCoups liste)
{
    return ajouterEntree(table, count, indiceDuCoup(&liste, d, o), d, o, 1);
}

int fairePile3(CoupEvalue table[], uint8_t x, int count, Position pos, ListeCoups liste)
{
    const Voisins vx = getVoisins(x);
    for (int i = 0; i < vx.nb; i++)
        if (hauteur(pos, vx.cases[i]) == 2)
            return count;
    for (int i = 0; i < vx.nb; i++) {
        const uint8_t v = vx.cases[i];
        if (hauteur(pos, v) == 1)
            count = ajouterEntree(table, count, indiceDuCoup(&liste, v, x), v, x, 1);
    }
    return count;
}

int eloignerPile(CoupEvalue table[], uint8_t x, int count, Position pos, ListeCoups liste)
{
    const Voisins vx = getVoisins(x);
    // Kept for the whole call: once raised, no later neighbour of x is taken.
    int compteur = 0;
    for (int j = 0; j < vx.nb; j++) {
        const uint8_t v = vx.cases[j];
        if (hauteur(pos, v) != 1)
            continue;
        // The cell at the same place in v's own neighbour list.
        const Voisins vv = getVoisins(v);
        const uint8_t w = j < vv.nb ? vv.cases[j] : 0;
        if (hauteur(pos, w) == 2)
            compteur += vv.nb;
        if (compteur == 0)
            count = ajouterEntree(table, count, indiceDuCoup(&liste, x, v), x, v, 1);
    }
    return count;
}

int bloquerLib1(CoupEvalue table[], uint8_t o, uint8_t d, int count, Position pos, ListeCoups liste)
{
    if (hauteur(pos, o) == 2) {
        count = fairePile3(table, o, count, pos, liste);
        count = eloignerPile(table, o, count, pos, liste);
    }
    if (hauteur(pos, d) == 2) {
        count = fairePile3(table, d, count, pos, liste);
        count = eloignerPile(table, d, count, pos, liste);
    }
    return count;
}

/* ---- Family 2: answers to the opponent ----------------------------------- */

int donnerOrdi2(const CoupEvalue table[], int i, int nbOrdi, int nbAdvr)
{
    return table[i].apresOrdi > nbOrdi && table[i].apresAdvr == nbAdvr ? 4 : 0;
}

int pileQuatre2(const CoupEvalue table[], int i, int nbAdvr, Position pos)
{
    const int somme = hauteur(pos, table[i].origine) + hauteur(pos, table[i].destination);
    return somme == HAUTEUR_MAX - 1 && table[i].apresAdvr != nbAdvr ? INTERDIT : 0;
}

int contrerOrdi2(const CoupEvalue table[], int i, int nbOrdi)
{
    return table[i].apresOrdi < nbOrdi ? -4 : 0;
}

int donnerAdrv2(const CoupEvalue table[], int i, int nbAdvr)
{
    return table[i].apresAdvr > nbAdvr ? -4 : 0;
}

int contrerAdvr2(const CoupEvalue table[], int i, int nbAdvr)
{
    return table[i].apresAdvr < nbAdvr ? 4 : 0;
}

void calculerTestSupp2(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos)
{
    for (int i = 0; i < n; i++) {
        table[i].testsupp += donnerOrdi2(table, i, nbOrdi, nbAdvr);
        table[i].testsupp += pileQuatre2(table, i, nbAdvr, pos);
        table[i].testsupp += contrerOrdi2(table, i, nbOrdi);
        table[i].testsupp += donnerAdrv2(table, i, nbAdvr);
        table[i].testsupp += contrerAdvr2(table, i, nbAdvr);
    }
}

/* ---- Choosing the answer ------------------------------------------------- */

CoupEvalue bloquerAdvr(const CoupEvalue tabAdvr[], int nbOrdi, int nbAdvr, Position pos,
                       ListeCoups liste)
{
    CoupEvalue blocage[CAPACITE_TABLE];
    int count = 0;

    CoupEvalue chargees[CAPACITE_TABLE];
    const int nbChargees = nbAdvr > 2 ? rassemblerCasesChargees(tabAdvr, nbAdvr, chargees) : 0;
    if (nbChargees > 0) {
        // The opponent's point moves crowding around one cell are answered first.
        for (int i = 0; i < nbChargees; i++) {
            const CoupEvalue &e = chargees[i];
            if (e.motif == 1)
                count = bloquerLib1(blocage, e.origine, e.destination, count, pos, liste);
            else if (hauteur(pos, e.origine) + hauteur(pos, e.destination) <= 3)
                count = bloquerLib23(blocage, e.origine, e.destination, count, liste);
        }
    } else {
        int nbCinqs = 0;
        for (int i = 0; i < nbAdvr; i++)
            if (tabAdvr[i].motif == 1) {
                count = bloquerLib1(blocage, tabAdvr[i].origine, tabAdvr[i].destination, count,
                                    pos, liste);
                nbCinqs++;
            }
        if (nbCinqs == 0)
            for (int i = 0; i < nbAdvr; i++)
                if (hauteur(pos, tabAdvr[i].origine) + hauteur(pos, tabAdvr[i].destination) <= 3)
                    count = bloquerLib23(blocage, tabAdvr[i].origine, tabAdvr[i].destination,
                                         count, liste);
    }

    prevoirCoupAvance(blocage, count, nbOrdi, nbAdvr, pos);
    calculerTestSupp2(blocage, count, nbOrdi, nbAdvr, pos);
    classertestsupp(blocage, count);
    if (count == 0) {
        const CoupEvalue vide = {};
        return vide;
    }
    return blocage[0];
}
