/* joueur_rapport: choosing among its own point moves, and among all moves.
 *
 * Among its own point moves the player prefers those around a cell that three
 * or more of them touch, then the moves that make five, then any; it rates
 * them by lookahead, likes taking the opponent's point moves away, dislikes
 * losing its own or giving the opponent some, and keeps a five made of two of
 * its own columns for later when nothing can be built around it.  Over all
 * moves it likes gaining point moves and covering opponent columns, and
 * refuses to make a four that changes the opponent's point moves. */
#include "rapport.h"

namespace {

int hauteur(const Position &pos, uint8_t c) { return pos.cols[c].nb; }
bool estPropre(const Position &pos, uint8_t c) { return pos.cols[c].couleur == pos.trait; }

// Lookahead, rating and ranking of one table; its entry 0 is then the best.
void evaluerPoints(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, const Position &pos,
                   const ListeCoups &liste)
{
    prevoirCoupAvance(table, n, nbOrdi, nbAdvr, pos);
    calculerTestSupp1(table, n, nbOrdi, nbAdvr, pos, liste);
    classertestsupp(table, n);
}

} // namespace

/* ---- Family 1: own point moves ------------------------------------------- */

int contrerAdvr1(const CoupEvalue table[], int i, int nbAdvr)
{
    return table[i].apresAdvr < nbAdvr ? 2 : 0;
}

int pointPlusTard1(const CoupEvalue table[], int i, Position pos, ListeCoups liste)
{
    const uint8_t o = table[i].origine, d = table[i].destination;
    if (!estPropre(pos, o) || !estPropre(pos, d) || hauteur(pos, o) + hauteur(pos, d) != HAUTEUR_MAX)
        return 0;
    // Both columns are already ours: the five can wait unless a column of two
    // among them leaves something to play around it.
    CoupEvalue brouillon[CAPACITE_TABLE];
    return bloquerLib1(brouillon, o, d, 0, pos, liste) == 0 ? INTERDIT : 0;
}

int contrerOrdi1(const CoupEvalue table[], int i, int nbOrdi)
{
    return table[i].apresOrdi < nbOrdi - 1 ? -2 : 0;
}

int donnerAdrv1(const CoupEvalue table[], int i, int nbAdvr)
{
    return table[i].apresAdvr > nbAdvr ? -4 : 0;
}

int empiler1(const CoupEvalue table[], int i, Position pos)
{
    return estPropre(pos, table[i].destination) ? -1 : 0;
}

void calculerTestSupp1(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos,
                       ListeCoups liste)
{
    for (int i = 0; i < n; i++) {
        table[i].testsupp += contrerAdvr1(table, i, nbAdvr);
        table[i].testsupp += pointPlusTard1(table, i, pos, liste);
        table[i].testsupp += contrerOrdi1(table, i, nbOrdi);
        table[i].testsupp += donnerAdrv1(table, i, nbAdvr);
        table[i].testsupp += empiler1(table, i, pos);
    }
}

/* ---- Family 3: every legal move ------------------------------------------ */

int donnerOrdi3(const CoupEvalue table[], int i, int nbOrdi, int nbAdvr)
{
    return table[i].apresOrdi > nbOrdi && table[i].apresAdvr == nbAdvr ? 10 : 0;
}

int donnerAdrv3(const CoupEvalue table[], int i, int nbAdvr)
{
    return table[i].apresAdvr > nbAdvr ? -20 : 0;
}

int marquerOrdi3(const CoupEvalue table[], int i, Position pos)
{
    return hauteur(pos, table[i].origine) + hauteur(pos, table[i].destination) == HAUTEUR_MAX ? -1
                                                                                               : 0;
}

int empilerCouleur3(const CoupEvalue table[], int i, Position pos)
{
    const bool origine = estPropre(pos, table[i].origine);
    const bool destination = estPropre(pos, table[i].destination);
    if (!origine)
        return destination ? -8 : 6;
    return destination ? -4 : 4;
}

int pileQuatre3(const CoupEvalue table[], int i, int nbAdvr, Position pos)
{
    const int somme = hauteur(pos, table[i].origine) + hauteur(pos, table[i].destination);
    return somme == HAUTEUR_MAX - 1 && table[i].apresAdvr != nbAdvr ? INTERDIT : 0;
}

void calculerTestSupp3(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos)
{
    for (int i = 0; i < n; i++) {
        table[i].testsupp += donnerOrdi3(table, i, nbOrdi, nbAdvr);
        table[i].testsupp += donnerAdrv3(table, i, nbAdvr);
        table[i].testsupp += marquerOrdi3(table, i, pos);
        table[i].testsupp += empilerCouleur3(table, i, pos);
        table[i].testsupp += pileQuatre3(table, i, nbAdvr, pos);
    }
}

/* ---- Choices ------------------------------------------------------------- */

CoupEvalue trouverCoup(CoupEvalue tabOrdi[], int nbOrdi, int nbAdvr, Position pos, ListeCoups liste)
{
    const int n = nbOrdi;

    // Point moves crowding around one cell come first.
    if (n > 2) {
        CoupEvalue chargees[CAPACITE_TABLE];
        const int nbChargees = rassemblerCasesChargees(tabOrdi, n, chargees);
        if (nbChargees > 0) {
            evaluerPoints(chargees, nbChargees, nbOrdi, nbAdvr, pos, liste);
            return chargees[0];
        }
    }

    CoupEvalue cinqs[CAPACITE_TABLE];
    int nbCinqs = 0;
    for (int i = 0; i < n; i++)
        if (tabOrdi[i].motif == 1)
            cinqs[nbCinqs++] = tabOrdi[i];

    if (nbCinqs == 1) {
        prevoirCoupAvance(cinqs, 1, nbOrdi, nbAdvr, pos);
        calculerTestSupp1(cinqs, 1, nbOrdi, nbAdvr, pos, liste);
        if (estAcceptable(&cinqs[0]))
            return cinqs[0];
    } else if (nbCinqs > 1) {
        evaluerPoints(cinqs, nbCinqs, nbOrdi, nbAdvr, pos, liste);
        return cinqs[0];
    }

    evaluerPoints(tabOrdi, n, nbOrdi, nbAdvr, pos, liste);
    return tabOrdi[0];
}

int coupAvantageux(CoupEvalue table[], int nbOrdi, int nbAdvr, Position pos, ListeCoups liste)
{
    const int n = nbCoupsLisibles(&liste);
    // With no legal move there is nothing to choose; the first index is handed.
    if (n == 0)
        return 0;
    for (int k = 0; k < n; k++)
        ajouterEntree(table, k, k, liste.coups[k].origine, liste.coups[k].destination, 0);
    prevoirCoupAvance(table, n, nbOrdi, nbAdvr, pos);
    calculerTestSupp3(table, n, nbOrdi, nbAdvr, pos);
    // No refusal here: the best-rated move is played even when all are forbidden.
    classertestsupp(table, n);
    return table[0].numero;
}
