/* The turn shared by the joueur_critique family: a five taken from the
 * opponent at once, otherwise the candidate of the first filled slot. */
#ifndef CRITIQUE_TOUR_H
#define CRITIQUE_TOUR_H

#include "tessor.h"

/* Hands and announces the first move of the list that puts an own column on
 * an opponent column to make a five; 1 when there is one, else 0. */
int prendrecinq(const Position *pos, const ListeCoups *liste);

/* Hands the candidate of the first filled slot (not -1) and prints that
 * slot's message with the index, origin and destination of the move; with
 * no filled slot, says so and hands nothing. */
void jouerpremiercandidat(const int candidats[], const char *const messages[], int nb,
                          const ListeCoups *liste);

#endif
