// joueur_hasard: seven passes over the move list, a random move otherwise.
//
// How the player decides: it plays the first move of the list of the best
// kind the list holds, the kinds ranked in this order:
//   1. its own column onto a column not its own, making a five;
//   2. two columns not its own joined into a five;
//   3. its own column onto a column not its own, making a column of more
//      than three beside a column of exactly three (the origin counts);
//   4. its own column onto a column not its own, making a three;
//   5. two single pieces not its own joined;
//   6. any move of its own column onto a column not its own;
//   7. any move that does not make a column of four.
// When every move makes a four it draws an index at random, never the last
// of the list; with one move or none it hands index 0 without drawing.
#include "couleur.h"
#include "nb_coups.h"
#include "joueur.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int NB_PASSES = 7;

// Does a column of exactly three stand among the neighbours of cell x?
bool voisinDeTrois(const Position &p, uint8_t x)
{
    const Voisins v = getVoisins(x);
    for (int k = 0; k < v.nb && k < NBVOISINS_MAX; k++)
        if (p.cols[v.cases[k]].nb == 3)
            return true;
    return false;
}

// Does the move meet the condition of pass `passe` (1 to 7) for the side to move?
bool remplitPasse(int passe, const Position &p, Coup coup)
{
    const Colonne o = p.cols[coup.origine];
    const Colonne d = p.cols[coup.destination];
    const uint8_t t = p.trait;
    const int s = o.nb + d.nb;
    const bool prise = o.couleur == t && d.couleur != t;
    const bool adverses = o.couleur != t && d.couleur != t;
    switch (passe) {
    case 1: return s == 5 && prise;
    case 2: return s == 5 && adverses;
    case 3: return prise && s > 3 && voisinDeTrois(p, coup.destination);
    case 4: return s == 3 && prise;
    case 5: return s == 2 && adverses;
    case 6: return prise;
    default: return s != 4;
    }
}

void annoncer(const Position &p, Coup coup)
{
    const Colonne o = p.cols[coup.origine];
    const Colonne d = p.cols[coup.destination];
    std::printf("On joue ce coup :");
    std::printf("%d (%d - %s) ->", coup.origine, o.nb, motCouleur(o.couleur));
    std::printf("%d (%d - %s) \n", coup.destination, d.nb, motCouleur(d.couleur));
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));

    for (int passe = 1; passe <= NB_PASSES; passe++)
        for (int i = 0; i < n; i++)
            if (remplitPasse(passe, position, coups.coups[i])) {
                annoncer(position, coups.coups[i]);
                ecrireIndexCoup(i);
                return;
            }

    // Every move makes a four, or there is none.  The draw leaves out the
    // last index; with one move or none there is nothing to draw.
    ecrireIndexCoup(n > 1 ? std::rand() % (n - 1) : 0);
}
