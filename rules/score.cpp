// Column counts and the plain-text traces of positions, lists and scores.
#include "tessor.h"

#include <cstdio>

static const char *motCouleur(uint8_t couleur) { return couleur == ROUGE ? "rouge" : "jaune"; }

Score evaluerScore(Position position)
{
    Score s = {};
    for (const Colonne &c : position.cols) {
        if (c.nb == 0)
            continue;
        bool cinq = c.nb == HAUTEUR_MAX;
        if (c.couleur == JAUNE) {
            s.nbJ++;
            s.nbJ5 = static_cast<uint8_t>(s.nbJ5 + cinq);
        } else {
            s.nbR++;
            s.nbR5 = static_cast<uint8_t>(s.nbR5 + cinq);
        }
    }
    return s;
}

void afficherScore(Score score)
{
    printf("J: %d (%d piles de 5) - R : %d (%d piles de 5)\n", score.nbJ, score.nbJ5, score.nbR,
           score.nbR5);
}

void afficherPosition(Position position)
{
    for (int i = 0; i < NBCASES; i++)
        printf("%3d : %3d : %s\n", i, position.cols[i].nb, motCouleur(position.cols[i].couleur));
}

void afficherListeCoups(ListeCoups liste)
{
    for (int k = 0; k < liste.nb; k++)
        printf("%3d : %3d -> %3d\n", k, liste.coups[k].origine, liste.coups[k].destination);
}
