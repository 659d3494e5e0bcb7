// joueur_strategies: ten numbered strategies, tried in order.
//
// How the player decides: each of strategies 1 to 9 scans the whole move
// list, announces itself for every move it looks at, and plays the first
// move it accepts:
//   1. an own column onto an opponent column whose other neighbours are all
//      the opponent's (or empty) and cannot complete the new column to five;
//   2. an own column onto an opponent column with exactly one such neighbour;
//   3. an own column onto an opponent column making a five;
//   4. an own column making a five on any column;
//   5. to 7. an own column onto an opponent column making a four, a three,
//      or any height but four, when no neighbour of the destination (the
//      origin included, at its present height) would complete a five;
//   8. an opponent column onto another opponent column;
//   9. two single opponent pieces joined (never reached: 8 takes them).
// Strategy 10 draws moves at random until one takes an opponent column onto
// one of ours without making a five; when the list holds no such move it
// plays the first move of the list without drawing.
#include "couleur.h"
#include "nb_coups.h"
#include "joueur.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The turn as the strategies see it: the board, the list and the side.
struct Tour {
    Position position;
    ListeCoups coups;
    int nb; // entries of the list that are read, 0 to the list's capacity
    uint8_t moi;
};

constexpr int STRATEGIE_HASARD = 10;
const char *const TIRER_AU_SORT = " Tirer au sort  :  ";

bool estAMoi(const Tour &tour, uint8_t c) { return tour.position.cols[c].couleur == tour.moi; }
int hauteur(const Tour &tour, uint8_t c) { return tour.position.cols[c].nb; }
uint8_t origine(const Tour &tour, int k) { return tour.coups.coups[k].origine; }
uint8_t destination(const Tour &tour, int k) { return tour.coups.coups[k].destination; }
int total(const Tour &tour, int k) { return hauteur(tour, origine(tour, k)) + hauteur(tour, destination(tour, k)); }

// An own column onto a column that is not ours: the move most strategies want.
bool surAdversaire(const Tour &tour, int k)
{
    return estAMoi(tour, origine(tour, k)) && !estAMoi(tour, destination(tour, k));
}

// A neighbour n of the destination that the opponent could use to complete
// the new column to five: h(n) + t = 5.
bool completeCinq(const Tour &tour, int k, uint8_t n) { return hauteur(tour, n) + total(tour, k) == 5; }

// No neighbour of the destination, the origin included, completes a five.
bool aucunVoisinNeCompleteCinq(const Tour &tour, int k)
{
    Voisins v = getVoisins(destination(tour, k));
    for (int i = 0; i < v.nb; i++)
        if (completeCinq(tour, k, v.cases[i]))
            return false;
    return true;
}

void annoncer(int numero, const char *annonce)
{
    std::printf("\t---------------------------- Strat %d en cours :\n", numero);
    if (annonce != nullptr)
        std::printf("%s\n", annonce);
}

void choisir(int numero, int k)
{
    std::printf("On choisit ce coup ! -Strategie %d----------------------------\n", numero);
    ecrireIndexCoup(k);
}

// 1: every other neighbour of the destination is the opponent's (or empty)
// and none of them completes a five.
bool jouerAvecPionsAdverses(const Tour &tour, int k)
{
    if (!surAdversaire(tour, k))
        return false;
    Voisins v = getVoisins(destination(tour, k));
    for (int i = 0; i < v.nb; i++) {
        uint8_t n = v.cases[i];
        if (n != origine(tour, k) && (estAMoi(tour, n) || completeCinq(tour, k, n)))
            return false;
    }
    return true;
}

// 2: counts, aloud, the neighbours of the destination that are not ours and
// do not complete a five; exactly one surrounds the opponent's column.
bool encerclerAdversaire(const Tour &tour, int k)
{
    if (!surAdversaire(tour, k))
        return false;
    annoncer(2, "Encercler l'adversaire !!");
    std::printf("On récupère les voisins\n");
    Voisins v = getVoisins(destination(tour, k));
    int adverses = 0;
    for (int i = 0; i < v.nb; i++) {
        uint8_t n = v.cases[i];
        if (!estAMoi(tour, n) && !completeCinq(tour, k, n)) {
            std::printf("Incrémentation de vois adversaire \n");
            adverses++;
        }
    }
    return adverses == 1;
}

bool completerCinqSurAdversaire(const Tour &tour, int k) { return surAdversaire(tour, k) && total(tour, k) == 5; }

bool completerCinq(const Tour &tour, int k) { return estAMoi(tour, origine(tour, k)) && total(tour, k) == 5; }

bool completerQuatre(const Tour &tour, int k)
{
    return surAdversaire(tour, k) && total(tour, k) == 4 && aucunVoisinNeCompleteCinq(tour, k);
}

bool completerTrois(const Tour &tour, int k)
{
    return surAdversaire(tour, k) && total(tour, k) == 3 && aucunVoisinNeCompleteCinq(tour, k);
}

bool empilerSurAdversaire(const Tour &tour, int k)
{
    return surAdversaire(tour, k) && total(tour, k) != 4 && aucunVoisinNeCompleteCinq(tour, k);
}

bool empilerPionsAdverses(const Tour &tour, int k)
{
    return !estAMoi(tour, origine(tour, k)) && !estAMoi(tour, destination(tour, k));
}

void montrerColonne(const Tour &tour, uint8_t c, const char *fin)
{
    std::printf("%d (%d - %s) %s", c, hauteur(tour, c), motCouleur(tour.position.cols[c].couleur), fin);
}

// 9: two opponent columns of one piece each, shown before being joined.
bool pileDeDeuxAdverse(const Tour &tour, int k)
{
    if (total(tour, k) != 2 || !empilerPionsAdverses(tour, k))
        return false;
    std::printf("Pile de 2 de l'adversaire :\n");
    montrerColonne(tour, origine(tour, k), "->");
    montrerColonne(tour, destination(tour, k), "\n");
    return true;
}

typedef bool (*Test)(const Tour &tour, int k);

struct Strategie {
    const char *annonce; // printed under the header for every move; none for 9
    Test accepte;
    bool annonceParLeTest; // 2 announces itself, only for the moves it counts
};

const Strategie STRATEGIES[] = {
    {"Jouer avec les pions adverses : ", jouerAvecPionsAdverses, false},
    {nullptr, encerclerAdversaire, true},
    {"Vérifier la complétion en pile de 5 :  ", completerCinqSurAdversaire, false},
    {"Vérifier la complétion quelconque en pile de 5 : ", completerCinq, false},
    {"Vérifier la complétion en pile de 4 : ", completerQuatre, false},
    {"Vérifier la complétion en pile de 3 : ", completerTrois, false},
    {" Empiler une partie de mes pions sur l’adversaire sauf pile de 4 ou piles avec couleurs "
     "différentes : ",
     empilerSurAdversaire, false},
    {"Empiler des pions adverses pour réduire les points de l’adversaire : ", empilerPionsAdverses, false},
    {nullptr, pileDeDeuxAdverse, false},
};

// Scans the list with one strategy; true when it played a move.
bool essayer(const Tour &tour, int numero, const Strategie &strategie)
{
    for (int k = 0; k < tour.nb; k++) {
        if (!strategie.annonceParLeTest)
            annoncer(numero, strategie.annonce);
        if (strategie.accepte(tour, k)) {
            choisir(numero, k);
            return true;
        }
    }
    return false;
}

// 10: an opponent column onto one of ours, not making a five.
bool tirable(const Tour &tour, int k) { return !estAMoi(tour, origine(tour, k)) && total(tour, k) != 5; }

void tirerAuSort(const Tour &tour)
{
    if (tour.nb == 0)
        return;
    bool possible = false;
    for (int k = 0; k < tour.nb && !possible; k++)
        possible = tirable(tour, k);
    if (!possible) {
        // Drawing would never end: the first move of the list, undrawn.
        annoncer(STRATEGIE_HASARD, TIRER_AU_SORT);
        choisir(STRATEGIE_HASARD, 0);
        return;
    }
    for (;;) {
        annoncer(STRATEGIE_HASARD, TIRER_AU_SORT);
        int r = std::rand() % tour.nb;
        if (tirable(tour, r)) {
            choisir(STRATEGIE_HASARD, r);
            return;
        }
    }
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    int nb = bornerNbCoups(coups.nb);
    Tour tour = {position, coups, nb, position.trait};

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));
    int numero = 1;
    for (const Strategie &strategie : STRATEGIES) {
        if (essayer(tour, numero, strategie))
            return;
        numero++;
    }
    tirerAuSort(tour);
}
