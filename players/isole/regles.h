/* The rule set shared by joueur_isole and joueur_sisole: a five taken from
 * the opponent, an own column isolated, an opponent five answered by making
 * it ourselves, a small own column put on a small opponent column that no
 * opponent column nearby could complete. */
#ifndef ISOLE_REGLES_H
#define ISOLE_REGLES_H

#include "tessor.h"

/* Rules 1 to 10 belong to both players; rule 11 to joueur_sisole only. */
constexpr int PREMIERE_REGLE = 1;
constexpr int DERNIERE_REGLE_ISOLE = 10;
constexpr int DERNIERE_REGLE_SISOLE = 11;

/* 1 when, once o is put on d, no neighbour of d that is not of the colour to
 * move (o included, an empty cell included) could still be joined with the
 * new column; else 0. */
int isole(uint8_t d, uint8_t o, Position pos);

/* joueur_sisole's name for the same test. */
inline int onSIsole(uint8_t d, uint8_t o, Position pos) { return isole(d, o, pos); }

/* 0 when a neighbour of d that is not of the colour to move has height k
 * (it could complete a five on the column the move makes); else 1. */
int pasDebile(uint8_t d, int k, Position pos);

/* The number of moves of the list a player may read: the received count,
 * kept within the list's storage. */
int nbCoupsLisibles(const ListeCoups *liste);

/* The index that rule `regle` chooses for move i of the list (i itself, or
 * for rule 7 the reverse move), or -1 when the rule does not apply. */
int appliquerRegle(int regle, Position pos, const ListeCoups *liste, int i);

/* Prints move i as "Coup i : o (h - couleur) ->d (h - couleur) \n". */
void afficherCoup(Position pos, const ListeCoups *liste, int i);

/* Prints the chosen move, then "On choisit ce coup !", and hands its index. */
void jouerChoix(Position pos, const ListeCoups *liste, int choix);

#endif
