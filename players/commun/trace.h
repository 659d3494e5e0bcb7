// A move of the list as most players show it in their traces:
// "Coup 3 : 0 (1 - jaune) ->1 (2 - rouge) ", then a line break.
#pragma once

#include "couleur.h"

#include <cstdio>

inline void afficherCoupNumero(const Position &p, int i, Coup c)
{
    const Colonne o = p.cols[c.origine];
    const Colonne d = p.cols[c.destination];
    std::printf("Coup %d : ", i);
    std::printf("%d (%d - %s) ->", c.origine, o.nb, motCouleur(o.couleur));
    std::printf("%d (%d - %s) \n", c.destination, d.nb, motCouleur(d.couleur));
}
