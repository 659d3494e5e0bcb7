// joueur_coins: a chain of named rules, each proposing to bring a neighbour's
// column onto one cell, and one acceptance test for every proposal.
//
// How the player decides: it asks takeCorner (which never proposes), then
// SimpleEfficace (an own column onto an opponent column, making a five),
// Prudence (a neighbour onto a cell whose first neighbour is not its own) and
// lonely (the one neighbour of a cell that has only one); the first proposal
// accepted is sent, and sent again at each later check.  unEtunVautDeux then
// runs for its trace only, and ErreurParDefaut (a cell's first neighbour onto
// it) is sent last.  A proposal is accepted only when it joins two columns
// that are not its own into a five, between two cells that have one
// neighbour each: no cell of this board has fewer than three, so the player
// prints its trace and hands no move.  Every rule and most tests print a
// short word, all on one line.
//
// The program carries its own copies of the board's two tables; the rules
// library reads those.
#include "joueur.h"
#include "nb_coups.h"

#include <cstdio>

namespace {

// What a rule answers when it has nothing to propose.
constexpr Coup AUCUN_COUP = {NBCASES, NBCASES};

constexpr int HAUTEUR_PAIRE = 2;

bool estUnCoup(Coup c) { return c.origine != NBCASES; }

int h(const Position &p, uint8_t x) { return p.cols[x].nb; }

bool estAMoi(const Position &p, uint8_t x) { return p.cols[x].couleur == p.trait; }

// Hands every index of the list that holds the move.
void envoyerCoup(uint8_t origine, uint8_t destination, Position, ListeCoups coups)
{
    std::printf("send 1");
    const int nb = bornerNbCoups(coups.nb);
    for (int k = 0; k < nb; k++) {
        if (coups.coups[k].origine == origine && coups.coups[k].destination == destination) {
            std::printf("send 2");
            ecrireIndexCoup(k);
        }
    }
}

int memeCouleur(uint8_t a, uint8_t b, Position position)
{
    std::printf("mmcouleur");
    if (position.cols[a].couleur == position.cols[b].couleur) {
        std::printf("take corner 2");
        return 1;
    }
    return 0;
}

// Two columns that are not mine, making a five.
int pasPointGratuitAdv(uint8_t origine, uint8_t destination, Position position)
{
    return !estAMoi(position, origine) && !estAMoi(position, destination) &&
           h(position, origine) + h(position, destination) == HAUTEUR_MAX;
}

// Two cells with one neighbour each, topped by the same colour.
int ecoTesCoups(uint8_t origine, uint8_t destination, Position position)
{
    return nbVoisins(origine) == 1 && nbVoisins(destination) == 1 &&
           memeCouleur(destination, origine, position) == 1;
}

int testGlobales(Coup candidat, Position position)
{
    std::printf("testglob 1");
    if (pasPointGratuitAdv(candidat.origine, candidat.destination, position) != 1)
        return 0;
    if (ecoTesCoups(candidat.origine, candidat.destination, position) == 1) {
        std::printf("testglob 2");
        return 1;
    }
    return 0;
}

Coup takeCorner(Position) { return AUCUN_COUP; }

// My column n can go onto the opponent column i.
bool mienneSurAdverse(const Position &p, uint8_t n, uint8_t i)
{
    return h(p, i) != 0 && h(p, n) != 0 && estAMoi(p, n) && !estAMoi(p, i) &&
           h(p, i) + h(p, n) <= HAUTEUR_MAX;
}

Coup SimpleEfficace(Position position)
{
    std::printf("smple 1");
    for (uint8_t i = 0; i < NBCASES; i++) {
        const Voisins voisins = getVoisins(i);
        for (int k = 0; k < voisins.nb; k++) {
            const uint8_t n = voisins.cases[k];
            if (!mienneSurAdverse(position, n, i))
                continue;
            if (h(position, i) + h(position, n) != HAUTEUR_MAX) {
                std::printf("smple 3");
                return AUCUN_COUP;
            }
            const Coup candidat = {n, i};
            if (testGlobales(candidat, position)) {
                std::printf("smple 2");
                return candidat;
            }
        }
    }
    return AUCUN_COUP;
}

// The cell's first neighbour is not mine and could go onto it.
bool premierVoisinPossible(const Position &p, uint8_t i, uint8_t premier)
{
    return p.trait != VIDE && !estAMoi(p, premier) && h(p, i) + h(p, premier) <= HAUTEUR_MAX;
}

Coup Prudence(Position position)
{
    std::printf("prud 1");
    for (uint8_t i = 0; i < NBCASES; i++) {
        const Voisins voisins = getVoisins(i);
        if (!premierVoisinPossible(position, i, voisins.cases[0]))
            continue;
        for (int k = 1; k < voisins.nb; k++) {
            const uint8_t n = voisins.cases[k];
            if (n == i)
                continue;
            const Coup candidat = {n, i};
            if (testGlobales(candidat, position)) {
                std::printf("prud 2");
                return candidat;
            }
        }
    }
    return AUCUN_COUP;
}

Coup lonely(Position position)
{
    std::printf("lonely 1");
    for (uint8_t i = 0; i < NBCASES; i++) {
        if (nbVoisins(i) != 1)
            continue;
        const uint8_t n = getVoisins(i).cases[0];
        if (!estAMoi(position, i) && estAMoi(position, n) &&
            h(position, i) + h(position, n) <= HAUTEUR_MAX) {
            const Coup candidat = {n, i};
            if (testGlobales(candidat, position)) {
                std::printf("lonely 2");
                return candidat;
            }
        } else if (estAMoi(position, i) && !estAMoi(position, n)) {
            return AUCUN_COUP;
        }
    }
    return AUCUN_COUP;
}

// Neighbour j of every cell that has one, j = 0 to 7: stops at the first pair
// of columns that are not mine making two, or at the first column of mine.
Coup unEtunVautDeux(Position position)
{
    std::printf("undeux 1");
    for (int j = 0; j < NBVOISINS_MAX; j++) {
        for (uint8_t i = 0; i < NBCASES; i++) {
            const Voisins voisins = getVoisins(i);
            if (voisins.nb <= j)
                continue;
            const uint8_t n = voisins.cases[j];
            if (estAMoi(position, i) || estAMoi(position, n)) {
                std::printf("undeux 3");
                return AUCUN_COUP;
            }
            if (h(position, i) + h(position, n) == HAUTEUR_PAIRE) {
                std::printf("undeux 2");
                return {n, i};
            }
        }
    }
    return AUCUN_COUP;
}

Coup ErreurParDefaut(Position position)
{
    std::printf("ERREUR DEB");
    for (uint8_t i = 0; i < NBCASES; i++) {
        const uint8_t premier = getVoisins(i).cases[0];
        if (!premierVoisinPossible(position, i, premier))
            continue;
        const Coup candidat = {premier, i};
        if (testGlobales(candidat, position)) {
            std::printf("ERREUR FIN");
            return candidat;
        }
    }
    return AUCUN_COUP;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    std::printf("choos1");
    Coup c = takeCorner(position);
    if (estUnCoup(c)) {
        envoyerCoup(c.origine, c.destination, position, coups);
        std::printf("choos2");
    } else {
        c = SimpleEfficace(position);
        std::printf("choos3");
    }

    if (estUnCoup(c))
        envoyerCoup(c.origine, c.destination, position, coups);
    else
        c = Prudence(position);

    if (estUnCoup(c))
        envoyerCoup(c.origine, c.destination, position, coups);
    else
        c = lonely(position);

    if (estUnCoup(c))
        envoyerCoup(c.origine, c.destination, position, coups);

    // Its answer is not used: only what it prints.
    unEtunVautDeux(position);

    c = ErreurParDefaut(position);
    envoyerCoup(c.origine, c.destination, position, coups);
}
