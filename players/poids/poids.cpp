// joueur_poids: the situations a move creates and what each one weighs.
//
// A move is judged on the board before it is played: the colours of the two
// tops (own or the opponent's), whether it builds a five, whether the column
// it builds can never be joined again, and whether it is the last pair of
// same-coloured columns that can still meet.  Each situation adds one row of
// listconstpoid (column of the rank) and prints its label.
#include "poids.h"

#include <cstdio>

// Rank 1, rank 2, third value (never read by the player, which looks two
// ranks deep).  The row numbers are fixed: see LignePoids.
const double listconstpoid[NB_LIGNES_POIDS][NB_RANGS_POIDS] = {
    {800, 10, 200},        // five, M onto M
    {900, -10000, 200},    // five, M onto L
    {-900, -10000, 200},   // five, L onto M
    {-800, -10000, 200},   // five, L onto L
    {900, 10, 200},        // closed, M onto M
    {1000, -10000, 200},   // closed, M onto L
    {-1000, -10000, 200},  // closed, L onto M
    {-900, -9000, 200},    // closed, L onto L
    {-20000, 1000, 200},   // last pair of one colour
    {100000, 0, 0},        // no rule uses it
    {-100, 10, 200},       // every move, M onto M
    {-300, -30, 200},      // every move, L onto M
    {100, -10, 200},       // every move, L onto L
    {100, 3, 200},         // every move, M onto L
    {-10000, 0, 0},        // move not explored at rank 2
};

namespace {

// What each row prints before "origin->destination ".
const char *const libelles[NB_LIGNES_POIDS] = {
    "P5 M/M", "P5 M/L", "P5 L/M", "P5 L/L", "Pd M/M", "Pd M/L", "Pd L/M", "Pd L/L",
    "ine favo ", nullptr, "S M/M", "S L/M", "S L/L", "S M/L", nullptr,
};

void appliquer(int ligne, Coup coup, int rang, double *poids, const double table[][NB_RANGS_POIDS])
{
    std::printf("%s%d->%d ", libelles[ligne], coup.origine, coup.destination);
    afecterpoid(rang, table, ligne, poids);
}

bool estPropre(uint8_t couleur, Position position, uint8_t cellule)
{
    return position.cols[cellule].couleur == couleur;
}

// 0 to 3 in the order M/M, M/L, L/M, L/L: the offset inside the groups of
// rows of the five and the closed column.
int casCouleurs(uint8_t couleur, Coup coup, Position position)
{
    bool origine = estPropre(couleur, position, coup.origine);
    bool destination = estPropre(couleur, position, coup.destination);
    return (origine ? 0 : 2) + (destination ? 0 : 1);
}

int hauteurBatie(Coup coup, Position position)
{
    return position.cols[coup.origine].nb + position.cols[coup.destination].nb;
}

} // namespace

void afecterpoid(int rang, const double table[][NB_RANGS_POIDS], int ligne, double *poids)
{
    // Only ranks 1 and 2 occur; any other rank adds nothing rather than
    // reading outside the row.
    if (rang >= 1 && rang <= NB_RANGS_POIDS)
        *poids += table[ligne][rang - 1];
}

int ComparerCoup(int i, int j, const double poids[])
{
    return poids[i] >= poids[j] ? 1 : 0;
}

int voisinsInferieurs(uint8_t, Coup coup, Position position)
{
    int hauteur = hauteurBatie(coup, position);
    Voisins voisins = getVoisins(coup.destination);
    for (int k = 0; k < voisins.nb; k++) {
        uint8_t n = voisins.cases[k];
        if (n == coup.origine)
            continue;
        if (position.cols[n].nb + hauteur <= HAUTEUR_MAX)
            return 0;
    }
    return 1;
}

void situation1(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position)
{
    if (hauteurBatie(coup, position) > HAUTEUR_MAX - 1)
        return;
    if (voisinsInferieurs(couleur, coup, position))
        appliquer(FERMEE_MM + casCouleurs(couleur, coup, position), coup, rang, poids, table);
}

void situation2(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position)
{
    if (hauteurBatie(coup, position) != HAUTEUR_MAX)
        return;
    appliquer(CINQ_MM + casCouleurs(couleur, coup, position), coup, rang, poids, table);
}

void situation3(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position, ListeCoups coups)
{
    bool origine = estPropre(couleur, position, coup.origine);
    if (origine != estPropre(couleur, position, coup.destination))
        return;
    // Every move left joins these two columns, one way or the other.  A
    // count beyond the list's storage is read no further than the storage,
    // as choisirCoup does.
    int nb = coups.nb > CAPACITE_COUPS ? CAPACITE_COUPS : coups.nb;
    for (int k = 0; k < nb; k++) {
        Coup c = coups.coups[k];
        bool memePaire = (c.origine == coup.origine && c.destination == coup.destination) ||
                         (c.origine == coup.destination && c.destination == coup.origine);
        if (!memePaire)
            return;
    }
    appliquer(DERNIERE_PAIRE, coup, rang, poids, table);
}

void situation5(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position)
{
    static const int lignes[4] = {TOUT_MM, TOUT_ML, TOUT_LM, TOUT_LL};
    appliquer(lignes[casCouleurs(couleur, coup, position)], coup, rang, poids, table);
}

void analysersituation(int rang, int index, double *poids, uint8_t couleur,
                       const double table[][NB_RANGS_POIDS], Position position, ListeCoups coups)
{
    Coup coup = coups.coups[index];
    situation5(couleur, coup, rang, poids, table, position);
    situation3(couleur, coup, rang, poids, table, position, coups);
    situation1(couleur, coup, rang, poids, table, position);
    situation2(couleur, coup, rang, poids, table, position);
}

void recursif(int rang, double poids[], int rangMax, uint8_t couleur, uint8_t cellule,
              Position position, int indexCoup)
{
    if (rang > rangMax)
        return;
    ListeCoups reponses = getCoupsLegaux(position);
    for (int k = 0; k < reponses.nb; k++) {
        Coup r = reponses.coups[k];
        if (r.origine == cellule || r.destination == cellule)
            analysersituation(rang, k, &poids[indexCoup], couleur, listconstpoid, position,
                              reponses);
    }
    // The player looks two ranks deep: the replies are the last rank weighed.
}
