// joueur_isoler: the two helpers its turn is built on.
#pragma once

#include "tessor.h"

// 1 when move k is foolish (it hands the opponent a column of five, now or
// with one more move onto its destination), after printing "COUP DEBILE ";
// 0 when it is acceptable.
int VerifCoup(int k, Position position, ListeCoups coups);

// Hands the index of every listed move from `origine` onto `destination`
// (destination first, as the scan that calls it names its cells).
void Boucle(int destination, int origine, ListeCoups coups);
