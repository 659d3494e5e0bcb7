/* What a player program exchanges with the host library libjoueur.
 *
 * A player defines choisirCoup and no main: the host's main builds the
 * position and its move list, calls choisirCoup one turn at a time, and
 * takes as the player's move the last index handed to ecrireIndexCoup. */
#ifndef JOUEUR_H
#define JOUEUR_H

#include "tessor.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Defined by the player: choose a move of `coups` for the side `position.trait`. */
TESSOR_API void choisirCoup(Position position, ListeCoups coups);

/* Defined by the host: hand the index of a move of the list; the last call counts. */
TESSOR_API int ecrireIndexCoup(int index);

/* Defined by the host: the process that stands for the game engine in the
 * player's program, the host itself.  SIGUSR1 sent there by the program
 * reaches the engine with the turn's answer: a person has chosen. */
extern TESSOR_API int32_t pidMoteur;

/* Defined by the host, for a player that manages a game clock: the seconds
   left on its clock for this move and the rest of the game (negative when
   the game has no clock), and the seconds the clock gains after each move.
   Both are set before each call of choisirCoup. */
TESSOR_API double tempsRestant(void);
TESSOR_API double incrementParCoup(void);

#ifdef __cplusplus
}
#endif

#endif
