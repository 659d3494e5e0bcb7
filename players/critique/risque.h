/* Risk rating and candidate helpers shared by joueur_critique,
 * joueur_critique2 and joueur_critique3.
 *
 * Every helper judges one move of the turn's list, move `index`, against the
 * position before the move; none changes the position or the list, none
 * prints.  A *live* column has height 1 to 4: it can still move or be moved
 * onto.  The ranking helpers read a running value owned by the caller and
 * overwrite it only when they accept a move, which needs a strict
 * improvement, so among equal moves the first in list order stays. */
#ifndef CRITIQUE_RISQUE_H
#define CRITIQUE_RISQUE_H

#include "tessor.h"

/* Number of live neighbours of cell x. */
int nbvoisin(const Position *pos, uint8_t x);

/* How much move `index` exposes the side `pos->trait` to an immediate loss:
 * 0 safe, 1 risky, 2 critical. */
int erreurcritique(const Position *pos, int index, const ListeCoups *liste);

/* Candidate helpers: `index` when the move is accepted, -1 otherwise. */

/* Own column onto a cell whose only live neighbour is the origin, safe,
 * smallest resulting height. */
int isolement(const Position *pos, const ListeCoups *liste, int index, int *meilleur);
/* Opponent column onto opponent column, safe, fewest live neighbours
 * around the destination. */
int empileradverse(const Position *pos, const ListeCoups *liste, int index, int *meilleur);
/* Any safe move onto a column that is not the player's. */
int empileradverse2(const Position *pos, const ListeCoups *liste, int index);

/* Move `index` puts an own column on an opponent column and makes a column
 * of five: a full column won at once. */
int prisedecinq(const Position *pos, const ListeCoups *liste, int index);

#endif
