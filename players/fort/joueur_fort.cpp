// joueur_fort: a searching player, the kit's yardstick.
//
// Every move of the list the rules allow is searched by negamax with
// alpha-beta, deeper and deeper, until a fixed number of moves played in
// the search is spent: the answer depends on the position alone, never on
// the machine's speed.  The table of positions already searched, the
// killer moves and the history are cleared at the start of every turn.
//
// A finished game is worth what the engine says: more columns topped wins,
// then more columns of five.  Elsewhere a position is judged for the side
// to move, column by column, from a fixed table of weights (recherche.cpp):
//  - a closed column (a five, or one no neighbour can join any more) keeps
//    its colour to the end: worth the most, a five a little more;
//  - a column in play is weighed by its height, by how many own and enemy
//    columns can still join it (none, one, more), and by whether an enemy
//    column would make a five of it: a column the opponent can take is
//    worth less, least when taking it makes the opponent a five;
//  - a few things of the whole board: a side with nothing left to take, an
//    odd number of columns in play (who plays the last move), and pairs of
//    columns joined only to each other (one move each, whoever plays it).
// Own columns count for, the opponent's against.  The weights are fitted
// to games of the player against itself from random openings: every
// position of those games, labelled with the game's result, and the
// weights that best predict it through a logistic curve of the value.  When the closed columns alone decide
// the game, or only such pairs are left, the value is the game's exact end.
// When no leaf of a search needed the table, the value is proven and the
// move a best one; with 17 columns in play or fewer, the end of the game is
// searched first.

#include "couleur.h"
#include "joueur.h"
#include "recherche.h"

#include <cstdio>

void choisirCoup(Position position, ListeCoups coups)
{
    std::printf("Ma couleur : %s\n", motCouleur(position.trait));
    fort::Reponse r = fort::chercher(position, coups);
    if (r.index < 0) {
        std::puts("Aucun coup possible");
        return;
    }
    std::printf("Profondeur %d, %ld nœuds, valeur %d\n", r.profondeur, r.noeuds, r.valeur);
    if (r.resolue) {
        int resultat = fort::resultatDeValeur(r.valeur);
        std::printf("Fin de partie calculée : %s\n",
                    resultat > 0 ? "gagnée" : (resultat < 0 ? "perdue" : "nulle"));
    }
    Coup c = coups.coups[r.index];
    const Colonne &o = position.cols[c.origine % NBCASES];
    const Colonne &d = position.cols[c.destination % NBCASES];
    std::printf("Coup choisi : %d (%d - %s) -> %d (%d - %s) \n", c.origine, o.nb,
                motCouleur(o.couleur), c.destination, d.nb, motCouleur(d.couleur));
    ecrireIndexCoup(r.index);
}
