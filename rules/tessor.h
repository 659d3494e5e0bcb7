/* Tessor rules library: board records, neighbour table, legal moves, score.
 *
 * Plain records passed by value, usable from C and C++.  The byte layouts are
 * a binary interface between separately built modules: never reorder a field. */
#ifndef TESSOR_H
#define TESSOR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Exported even when a module is built with hidden visibility. */
#define TESSOR_API __attribute__((visibility("default")))

/* ---- Constants ---------------------------------------------------------- */

#define NBCASES 48               /* cells 0 to 47 */
#define HAUTEUR_MAX 5            /* a column never holds more pieces */
#define NBVOISINS_MAX 8          /* side and corner neighbours */
#define CAPACITE_COUPS (8 * NBCASES)

enum { VIDE = 0, JAUNE = 1, ROUGE = 2 };

/* ---- Records ------------------------------------------------------------ */

/* The stack on one cell: its height and the colour of its top piece. */
typedef struct {
    uint8_t nb;
    uint8_t couleur;
} Colonne;

/* The whole board and the colour to move. */
typedef struct {
    uint8_t trait;
    Colonne cols[NBCASES];
} Position;

/* One move: the whole stack of origine goes on top of destination. */
typedef struct {
    uint8_t origine;
    uint8_t destination;
} Coup;

/* A counted list of moves; entries at and past nb carry no meaning. */
typedef struct {
    int32_t nb;
    Coup coups[CAPACITE_COUPS];
} ListeCoups;

/* The neighbours of one cell, ascending; entries past nb are 0. */
typedef struct {
    uint8_t nb;
    uint8_t cases[NBVOISINS_MAX];
} Voisins;

/* Column counts, passed as one 32-bit value: nbJ in the lowest byte. */
typedef struct {
    uint8_t nbJ;
    uint8_t nbJ5;
    uint8_t nbR;
    uint8_t nbR5;
} Score;

/* ---- Data shared by every module of a process --------------------------- */

/* Supplied by the process (the host library, or a player's own copy). */
extern TESSOR_API Voisins topologie[NBCASES];
/* Zero-filled here; an initialised definition earlier in the process wins. */
extern TESSOR_API Position positionInitiale;

/* ---- Board and topology ------------------------------------------------- */

TESSOR_API uint8_t nbVoisins(uint8_t c);
TESSOR_API Voisins getVoisins(uint8_t c);
TESSOR_API void listerVoisins(uint8_t c);
TESSOR_API Position getPositionInitiale(void);

/* ---- Legal moves and playing a move ------------------------------------- */

TESSOR_API ListeCoups getCoupsLegaux(Position position);
TESSOR_API void addCoup(ListeCoups *liste, uint8_t origine, uint8_t destination);
TESSOR_API uint8_t estValide(Position position, uint8_t origine, uint8_t destination);
TESSOR_API Position jouerCoup(Position position, uint8_t origine, uint8_t destination);

/* ---- Score and display -------------------------------------------------- */

TESSOR_API Score evaluerScore(Position position);
TESSOR_API void afficherScore(Score score);
TESSOR_API void afficherPosition(Position position);
TESSOR_API void afficherListeCoups(ListeCoups liste);

#ifdef __cplusplus
}
#endif

/* ---- Layout checks ------------------------------------------------------ */

#ifdef __cplusplus
#include <cstddef>
#define TESSOR_CHECK(cond, msg) static_assert(cond, msg)
#else
#include <stddef.h>
#define TESSOR_CHECK(cond, msg) _Static_assert(cond, msg)
#endif

TESSOR_CHECK(sizeof(Colonne) == 2, "Colonne: 2 octets");
TESSOR_CHECK(sizeof(Position) == 97, "Position: 97 octets");
TESSOR_CHECK(sizeof(Coup) == 2, "Coup: 2 octets");
TESSOR_CHECK(sizeof(ListeCoups) == 772, "ListeCoups: 772 octets");
TESSOR_CHECK(sizeof(Voisins) == 9, "Voisins: 9 octets");
TESSOR_CHECK(sizeof(Score) == 4, "Score: 4 octets");
TESSOR_CHECK(offsetof(Colonne, couleur) == 1, "Colonne.couleur");
TESSOR_CHECK(offsetof(Position, trait) == 0, "Position.trait");
TESSOR_CHECK(offsetof(Position, cols) == 1, "Position.cols");
TESSOR_CHECK(offsetof(Coup, destination) == 1, "Coup.destination");
TESSOR_CHECK(offsetof(ListeCoups, coups) == 4, "ListeCoups.coups");
TESSOR_CHECK(offsetof(Voisins, cases) == 1, "Voisins.cases");
TESSOR_CHECK(offsetof(Score, nbJ5) == 1 && offsetof(Score, nbR) == 2 &&
                 offsetof(Score, nbR5) == 3, "Score: un octet par compteur");

#undef TESSOR_CHECK

#endif
