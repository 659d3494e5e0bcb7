/* The two extra strategies of joueur_critique2, same conventions as the
 * helpers of risque.h: `index` when the move is accepted, -1 otherwise. */
#ifndef CRITIQUE_STRATEGIES2_H
#define CRITIQUE_STRATEGIES2_H

#include "risque.h"

/* isolement without the risk test: own column onto a cell whose only live
 * neighbour is the origin, smallest resulting height. */
int isolementsuicide(const Position *pos, const ListeCoups *liste, int index, int *meilleur);
/* The tallest safe stack, whatever the colours. */
int autoempileopti(const Position *pos, const ListeCoups *liste, int index, int *meilleur);

#endif
