/* joueur_rapport: candidate tables, point moves, lookahead and the three
 * families of bonuses and penalties.
 *
 * A candidate table is an array of CAPACITE_TABLE records whose count is kept
 * by the caller; every table is a local of the call that fills it. */
#ifndef RAPPORT_H
#define RAPPORT_H

#include "tessor.h"

#include <stdint.h>

/* One candidate move and what the player thinks of it. */
typedef struct {
    int32_t numero;      /* index of the move in its ListeCoups: what is handed to the host */
    uint8_t origine;
    uint8_t destination;
    int32_t motif;       /* 1 five (or blocking answer), 2 closed column, 3 freed neighbour, 0 plain move */
    int32_t apresAdvr;   /* opponent point moves after the move */
    int32_t apresOrdi;   /* own point moves after the move */
    int32_t rapport;     /* own point moves gained plus opponent point moves taken away */
    int32_t testsupp;    /* sum of the bonuses and penalties */
} CoupEvalue;

/* A table holds as many entries as a move list; a full table takes no more. */
#define CAPACITE_TABLE CAPACITE_COUPS
/* What a rule adds to forbid a move, and the sum below which an entry is refused. */
#define INTERDIT (-999)
#define SEUIL_REFUS (-800)

/* ---- Tables, point moves and lookahead ---------------------------------- */

int estValideint(uint8_t a, uint8_t b, Position pos);
int marquerPoint(CoupEvalue table[], int camp, Position pos, ListeCoups liste);
void prevoirCoupAvance(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos);
void classertestsupp(CoupEvalue table[], int n);
void classerrapport(CoupEvalue table[], int n);
void afficherTab(const CoupEvalue table[], int n);

/* The moves of the list that can be read: nb kept within 0 and the capacity. */
int nbCoupsLisibles(const ListeCoups *liste);
/* Index of the first move o -> d of the list, or -1 when it is not there. */
int indiceDuCoup(const ListeCoups *liste, uint8_t o, uint8_t d);
/* Appends a fresh entry (numbers 0) and returns the new count; a full table,
 * or a move missing from its list (numero -1), leaves the count as it is. */
int ajouterEntree(CoupEvalue table[], int count, int numero, uint8_t o, uint8_t d, int motif);
/* Appends to `collection`, cell by cell, the entries of `table` that touch a
 * cell touched by at least 3 entries; returns the collection's count. */
int rassemblerCasesChargees(const CoupEvalue table[], int n, CoupEvalue collection[]);
/* Whether an entry's sum lets a decision play it. */
int estAcceptable(const CoupEvalue *entree);

/* ---- Own point moves and the fallback ------------------------------------ */

CoupEvalue trouverCoup(CoupEvalue tabOrdi[], int nbOrdi, int nbAdvr, Position pos, ListeCoups liste);
int coupAvantageux(CoupEvalue table[], int nbOrdi, int nbAdvr, Position pos, ListeCoups liste);

void calculerTestSupp1(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos,
                       ListeCoups liste);
int contrerAdvr1(const CoupEvalue table[], int i, int nbAdvr);
int pointPlusTard1(const CoupEvalue table[], int i, Position pos, ListeCoups liste);
int contrerOrdi1(const CoupEvalue table[], int i, int nbOrdi);
int donnerAdrv1(const CoupEvalue table[], int i, int nbAdvr);
int empiler1(const CoupEvalue table[], int i, Position pos);

void calculerTestSupp3(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos);
int donnerOrdi3(const CoupEvalue table[], int i, int nbOrdi, int nbAdvr);
int donnerAdrv3(const CoupEvalue table[], int i, int nbAdvr);
int marquerOrdi3(const CoupEvalue table[], int i, Position pos);
int empilerCouleur3(const CoupEvalue table[], int i, Position pos);
int pileQuatre3(const CoupEvalue table[], int i, int nbAdvr, Position pos);

/* ---- Blocking the opponent's point moves --------------------------------- */

CoupEvalue bloquerAdvr(const CoupEvalue tabAdvr[], int nbOrdi, int nbAdvr, Position pos,
                       ListeCoups liste);
int bloquerLib1(CoupEvalue table[], uint8_t o, uint8_t d, int count, Position pos,
                ListeCoups liste);
int fairePile3(CoupEvalue table[], uint8_t x, int count, Position pos, ListeCoups liste);
int eloignerPile(CoupEvalue table[], uint8_t x, int count, Position pos, ListeCoups liste);
int bloquerLib23(CoupEvalue table[], uint8_t o, uint8_t d, int count, ListeCoups liste);

void calculerTestSupp2(CoupEvalue table[], int n, int nbOrdi, int nbAdvr, Position pos);
int donnerOrdi2(const CoupEvalue table[], int i, int nbOrdi, int nbAdvr);
int pileQuatre2(const CoupEvalue table[], int i, int nbAdvr, Position pos);
int contrerOrdi2(const CoupEvalue table[], int i, int nbOrdi);
int donnerAdrv2(const CoupEvalue table[], int i, int nbAdvr);
int contrerAdvr2(const CoupEvalue table[], int i, int nbAdvr);

#endif
