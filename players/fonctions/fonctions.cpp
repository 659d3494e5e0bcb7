// joueur_fonctions: six ranked stages, each playing the first move it accepts.
//
// How the player decides: stage 0 takes, move by move in list order, an own
// column that makes a five, then the isolation of a column that has a single
// neighbour, then an own column making a safe four.  Stages 1 to 5 follow,
// one rule each and only when every earlier stage found nothing: an opponent
// column onto an opponent column making three, then two; an own column onto
// an opponent column making three, then two; an own column onto an own
// column.  Every move of stages 1 to 5 must also be safe: no other
// neighbour of the destination may complete the new column to five for the
// opponent (analyserVoisins).  When nothing is accepted, no move is handed.
#include "couleur.h"
#include "nb_coups.h"
#include "joueur.h"

#include <cstdio>

namespace {

int nbLus(const ListeCoups &coups) { return bornerNbCoups(coups.nb); }

// What stages 1 to 5 ask of a move: whether its origin and its destination
// are ours, the height it makes (AUCUN: any), and what the stage says.
constexpr int AUCUN = -1;
struct Etape {
    bool origineAMoi;
    bool destinationAMoi;
    int total;
    const char *message;
};

const Etape ETAPES[] = {
    {false, false, 3, "On choisit ce coup : deuxieme fonction "},
    {false, false, 2, "On choisit ce coup : troisieme fonction "},
    {true, false, 3, "On choisit ce coup : quatrieme fonction "},
    {true, false, 2, "On choisit ce coup : cinquieme fonction "},
    {true, true, AUCUN, "On choisit ce coup : sixieme fonction "},
};

const char *const ISOLEMENT = "On choisit ce coup : isolement d'une pile ";

void annoncer(const char *message) { std::printf("%s\n", message); }

// Hands an index found by trouverCoup; its "not listed" answer is no index.
void envoyer(int index)
{
    if (index != -1)
        ecrireIndexCoup(index);
}

} // namespace

// The index of the move x onto y in the list, -1 when it is not listed;
// prints every index it looks at.
int trouverCoup(uint8_t x, uint8_t y, ListeCoups coups)
{
    int nb = nbLus(coups);
    for (int k = 0; k < nb; k++) {
        std::printf("%d", k);
        if (coups.coups[k].origine == x && coups.coups[k].destination == y)
            return k;
    }
    return -1;
}

// 1 when the column that b onto c builds (hb + hc high) is safe, 0 when
// another neighbour of c has exactly the height that would complete five
// and, for a column topped by our colour, is not ours.
int analyserVoisins(uint8_t moi, uint8_t b, uint8_t c, int hb, int hc, Position position)
{
    int manque = 5 - (hb + hc);
    bool bAMoi = position.cols[b].couleur == moi;
    Voisins voisins = getVoisins(c);
    int nb = nbVoisins(c);
    for (int i = 0; i < nb; i++) {
        uint8_t n = voisins.cases[i];
        if (n == b || position.cols[n].nb != manque)
            continue;
        if (!bAMoi || position.cols[n].couleur != moi)
            return 0;
    }
    return 1;
}

namespace {

struct Tour {
    Position position;
    ListeCoups coups;
    int nb;
    uint8_t moi;
};

bool estAMoi(const Tour &tour, uint8_t c) { return tour.position.cols[c].couleur == tour.moi; }
int hauteur(const Tour &tour, uint8_t c) { return tour.position.cols[c].nb; }

bool sansDanger(const Tour &tour, uint8_t o, uint8_t d)
{
    return analyserVoisins(tour.moi, o, d, hauteur(tour, o), hauteur(tour, d), tour.position) == 1;
}

// Stage 0, rule 2: the origin has a single neighbour, the destination.  An
// opponent column left alone next to ours is covered by ours; an own column
// is first offered the destination's safe escape, then covered.  True when
// the rule applied (the turn is over).
bool isolerPile(const Tour &tour, uint8_t o, uint8_t d)
{
    if (nbVoisins(o) != 1)
        return false;
    if (estAMoi(tour, d) && !estAMoi(tour, o)) {
        annoncer(ISOLEMENT);
        envoyer(trouverCoup(d, o, tour.coups));
        return true;
    }
    if (!estAMoi(tour, o))
        return false;
    Voisins voisins = getVoisins(d);
    for (int i = 0; i < voisins.nb; i++) {
        uint8_t n = voisins.cases[i];
        if (n != o && !estAMoi(tour, n) &&
            analyserVoisins(tour.moi, d, n, hauteur(tour, d), hauteur(tour, n), tour.position) == 1) {
            annoncer(ISOLEMENT);
            envoyer(trouverCoup(d, n, tour.coups));
            break;
        }
    }
    annoncer(ISOLEMENT);
    envoyer(trouverCoup(d, o, tour.coups));
    return true;
}

// Stage 0 on move k: a five, an isolation, a safe four of ours.
bool etapeZero(const Tour &tour, int k)
{
    uint8_t o = tour.coups.coups[k].origine;
    uint8_t d = tour.coups.coups[k].destination;
    int total = hauteur(tour, o) + hauteur(tour, d);
    if (estAMoi(tour, o) && total == 5) {
        annoncer("On choisit ce coup : formation d'une pile de 5 ");
        ecrireIndexCoup(k);
        return true;
    }
    if (isolerPile(tour, o, d))
        return true;
    if (estAMoi(tour, o) && total == 4 && sansDanger(tour, o, d)) {
        annoncer("On choisit ce coup : formation d'une pile de 4 pour nous ");
        ecrireIndexCoup(k);
        return true;
    }
    return false;
}

bool accepte(const Tour &tour, const Etape &etape, int k)
{
    uint8_t o = tour.coups.coups[k].origine;
    uint8_t d = tour.coups.coups[k].destination;
    if (estAMoi(tour, o) != etape.origineAMoi || estAMoi(tour, d) != etape.destinationAMoi)
        return false;
    if (etape.total != AUCUN && hauteur(tour, o) + hauteur(tour, d) != etape.total)
        return false;
    return sansDanger(tour, o, d);
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    Tour tour = {position, coups, nbLus(coups), position.trait};

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));
    for (int k = 0; k < tour.nb; k++)
        if (etapeZero(tour, k))
            return;
    for (const Etape &etape : ETAPES)
        for (int k = 0; k < tour.nb; k++)
            if (accepte(tour, etape, k)) {
                annoncer(etape.message);
                ecrireIndexCoup(k);
                return;
            }
}
