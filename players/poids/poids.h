// joueur_poids: the weight table and the analysis of one move.
//
// Every move gets a weight summed from rows of listconstpoid, one row per
// situation the move creates; an opponent's reply around a promising move is
// weighed from the second column of the same rows.
#pragma once

#include "tessor.h"

// Columns of the table: rank 1 is the player's own move, rank 2 a reply.
constexpr int NB_LIGNES_POIDS = 15;
constexpr int NB_RANGS_POIDS = 3;

// Row numbers of listconstpoid.  In each group the four colour cases come in
// the same order (origin's top / destination's top, M own, L opponent's),
// except the colour rule of every move, whose order is its own.
enum LignePoids {
    CINQ_MM = 0,       // column of five, M onto M
    CINQ_ML = 1,
    CINQ_LM = 2,
    CINQ_LL = 3,
    FERMEE_MM = 4,     // column that nothing can join any more
    FERMEE_ML = 5,
    FERMEE_LM = 6,
    FERMEE_LL = 7,
    DERNIERE_PAIRE = 8, // the list holds only this pair of same-coloured columns
    INUTILISEE = 9,
    TOUT_MM = 10,      // colour rule, every move
    TOUT_LM = 11,
    TOUT_LL = 12,
    TOUT_ML = 13,
    NON_EXPLORE = 14,  // a move not worth a look at the replies
};

extern const double listconstpoid[NB_LIGNES_POIDS][NB_RANGS_POIDS];

// Adds the row's value for this rank (its column rang - 1) to *poids.
void afecterpoid(int rang, const double table[][NB_RANGS_POIDS], int ligne, double *poids);

// 1 if poids[i] >= poids[j], else 0.
int ComparerCoup(int i, int j, const double poids[]);

// 1 if the column the move would build could never be joined again by one of
// the destination's neighbours (the origin aside), from the heights before
// the move; an empty neighbour counts as one that could.
int voisinsInferieurs(uint8_t couleur, Coup coup, Position position);

// The four rules of one move; each adds its row and prints its label.
void situation1(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position);
void situation2(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position);
void situation3(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position, ListeCoups coups);
void situation5(uint8_t couleur, Coup coup, int rang, double *poids,
                const double table[][NB_RANGS_POIDS], Position position);

// Applies the four rules to coups.coups[index], adding to *poids.
void analysersituation(int rang, int index, double *poids, uint8_t couleur,
                       const double table[][NB_RANGS_POIDS], Position position, ListeCoups coups);

// Weighs, into poids[indexCoup], every move of `position` that starts or ends
// on `cellule`, at rank `rang` (nothing past rangMax).
void recursif(int rang, double poids[], int rangMax, uint8_t couleur, uint8_t cellule,
              Position position, int indexCoup);
