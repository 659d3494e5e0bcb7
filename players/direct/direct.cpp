// joueur_direct: three passes over the move list, the first move a pass
// accepts is played at once.
//
// Every move is printed before its pass looks at it, so the list may be
// printed up to three times in one turn:
//   1. a move onto a cell that has a single neighbour, carrying a column of
//      our own (never happens on this board: every cell has at least three
//      neighbours, so this pass only prints the list);
//   2. the first move of one of our columns that makes a column of five;
//   3. the first move onto a column that is not ours, whoever owns the
//      column carried.
// When no pass accepts a move, no index is handed for the turn.
#include "couleur.h"
#include "nb_coups.h"
#include "trace.h"
#include "joueur.h"

#include <cstdio>

namespace {

// Pass 1: our column onto a cell with one single neighbour in the table.
// Never true on this board, where every cell has three neighbours or more.
bool versCaseIsolee(const Position &pos, Coup coup)
{
    const Voisins voisins = getVoisins(coup.destination);
    return voisins.nb == 1 && pos.cols[coup.origine].couleur == pos.trait;
}

// Pass 2: our column makes a five.
bool faitCinqPropre(const Position &pos, Coup coup)
{
    const Colonne o = pos.cols[coup.origine];
    const Colonne d = pos.cols[coup.destination];
    return o.couleur == pos.trait && o.nb + d.nb == HAUTEUR_MAX;
}

// Pass 3: the destination is not ours (an empty cell is never ours).
bool versColonneAdverse(const Position &pos, Coup coup)
{
    return pos.cols[coup.destination].couleur != pos.trait;
}

void choisir(int i)
{
    std::puts("On choisit ce coup ! ");
    ecrireIndexCoup(i);
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);

    for (int i = 0; i < n; i++) {
        afficherCoupNumero(position, i, coups.coups[i]);
        if (versCaseIsolee(position, coups.coups[i])) {
            ecrireIndexCoup(i);
            return;
        }
    }
    for (int i = 0; i < n; i++) {
        afficherCoupNumero(position, i, coups.coups[i]);
        if (faitCinqPropre(position, coups.coups[i])) {
            choisir(i);
            return;
        }
    }
    for (int i = 0; i < n; i++) {
        afficherCoupNumero(position, i, coups.coups[i]);
        if (versColonneAdverse(position, coups.coups[i])) {
            choisir(i);
            return;
        }
    }
}
