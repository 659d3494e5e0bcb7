// joueur_sisole: the shared rules as ranked passes over the whole list.
//
// How the player decides: the rules run as separate passes, each over the
// whole list, and the first move accepted by the highest-ranked pass is
// played: a five taken from the opponent; an own column isolated; the
// reverse of an opponent five on our column; then an own single piece put
// on an opponent one, two or three, and an own two on an opponent two, each
// where no opponent column next to it could complete a five.  When no pass
// accepts any move, the first move of the list is played; with no move at
// all nothing is handed.  The moves are not printed one by one.
#include "couleur.h"
#include "joueur.h"
#include "regles.h"

#include <cstdio>

namespace {

// Each pass: the first and last rule it tries on every move.
struct Passe {
    int premiere;
    int derniere;
};

constexpr int NB_PASSES = 7;
const Passe PASSES[NB_PASSES] = {
    {1, 4},   // a five taken from the opponent
    {5, 6},   // an own column isolated
    {7, 7},   // the reverse of an opponent five on our column
    {8, 8},   {9, 9}, {10, 10},
    {11, DERNIERE_REGLE_SISOLE},
};

// The move chosen by one pass, or -1.
int passe(Passe p, Position position, const ListeCoups *coups, int n)
{
    for (int i = 0; i < n; i++)
        for (int regle = p.premiere; regle <= p.derniere; regle++) {
            const int choix = appliquerRegle(regle, position, coups, i);
            if (choix != -1)
                return choix;
        }
    return -1;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = nbCoupsLisibles(&coups);
    int choix = -1;

    std::printf("Ma couleur : %s\n", motCouleur(position.trait));

    for (int p = 0; p < NB_PASSES && choix == -1; p++)
        choix = passe(PASSES[p], position, &coups, n);

    if (n == 0)
        return;
    jouerChoix(position, &coups, choix == -1 ? 0 : choix);
}
