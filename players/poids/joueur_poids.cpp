// joueur_poids: weighs every move, then looks at the opponent's replies.
//
// First pass: each legal move gets a weight from the situations it creates
// (colours of the two tops, a five, a column nothing can join any more, the
// last pair of same-coloured columns); the heaviest move, the later one on a
// tie, is handed at once.  Second pass: each move that weighs more than zero
// is played on a copy of the board and every reply that touches the new
// column adds its own weight (second column of the table), so that a move
// handing the opponent a five or a closed column sinks; a move not worth
// that look loses 10000.  The heaviest move after both passes, the later one
// on a tie, is the final answer.
#include "poids.h"
#include "nb_coups.h"

#include "joueur.h"

#include <cstdio>

namespace {
constexpr int RANG_JOUEUR = 1;
constexpr int RANG_REPONSE = 2;
} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    int n = bornerNbCoups(coups.nb);
    uint8_t couleur = position.trait;
    double poids[CAPACITE_COUPS];
    int meilleur = 0;

    for (int i = 0; i < n; i++)
        poids[i] = 0.0;

    for (int i = 0; i < n; i++) {
        Coup coup = coups.coups[i];
        std::printf("\nrang 1 %d->%d\n", coup.origine, coup.destination);
        analysersituation(RANG_JOUEUR, i, &poids[i], couleur, listconstpoid, position, coups);
        if (ComparerCoup(i, meilleur, poids))
            meilleur = i;
    }
    ecrireIndexCoup(meilleur);

    for (int i = 0; i < n; i++) {
        Coup coup = coups.coups[i];
        if (poids[i] > 0) {
            Position apres = jouerCoup(position, coup.origine, coup.destination);
            std::printf("\nrang 2 %d->%d\n", coup.origine, coup.destination);
            recursif(RANG_REPONSE, poids, RANG_REPONSE, couleur, coup.destination, apres, i);
        } else {
            afecterpoid(RANG_JOUEUR, listconstpoid, NON_EXPLORE, &poids[i]);
        }
    }

    // The best index of the first pass carries over: the last move of the
    // list with the highest weight wins.
    for (int i = 0; i < n; i++)
        if (ComparerCoup(i, meilleur, poids))
            meilleur = i;
    ecrireIndexCoup(meilleur);
}
