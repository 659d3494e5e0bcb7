// The rule set shared by joueur_isole and joueur_sisole.
#include "regles.h"
#include "nb_coups.h"
#include "trace.h"

#include "couleur.h"
#include "joueur.h"

#include <cstdio>

int isole(uint8_t d, uint8_t o, Position pos)
{
    const uint8_t t = pos.trait;
    const Voisins voisins = getVoisins(d);
    for (int n = 0; n < voisins.nb; n++) {
        const Colonne v = pos.cols[voisins.cases[n]];
        if (v.nb + pos.cols[d].nb + pos.cols[o].nb <= HAUTEUR_MAX && v.couleur != t)
            return 0;
    }
    return 1;
}

int pasDebile(uint8_t d, int k, Position pos)
{
    const uint8_t t = pos.trait;
    const Voisins voisins = getVoisins(d);
    for (int n = 0; n < voisins.nb; n++) {
        const Colonne v = pos.cols[voisins.cases[n]];
        if (v.nb == k && v.couleur != t)
            return 0;
    }
    return 1;
}

int nbCoupsLisibles(const ListeCoups *liste) { return bornerNbCoups(liste->nb); }

namespace {

// The first move of the list from d to o, or -1.
int coupInverse(const ListeCoups *liste, uint8_t o, uint8_t d)
{
    const int n = nbCoupsLisibles(liste);
    for (int j = 0; j < n; j++)
        if (liste->coups[j].origine == d && liste->coups[j].destination == o)
            return j;
    return -1;
}

bool regleTient(int regle, Position pos, uint8_t o, uint8_t d)
{
    const uint8_t t = pos.trait;
    const int ho = pos.cols[o].nb;
    const int hd = pos.cols[d].nb;
    const bool oMien = pos.cols[o].couleur == t;
    const bool dMien = pos.cols[d].couleur == t;

    switch (regle) {
    case 1: // our column on an opponent four
        return oMien && !dMien && hd == 4;
    case 2: // our four on an opponent column
        return oMien && ho == 4 && !dMien;
    case 3: // our two on an opponent three
        return oMien && ho == 2 && !dMien && hd == 3;
    case 4: // our three on an opponent two
        return oMien && ho == 3 && !dMien && hd == 2;
    case 5: // an opponent column covered and isolated
        return oMien && !dMien && isole(d, o, pos) == 1;
    case 6: // our column isolated, whatever it lands on
        return oMien && isole(d, o, pos) == 1;
    case 8: // two single pieces, no opponent three next to them
        return oMien && ho == 1 && !dMien && hd == 1 && pasDebile(d, 3, pos) == 1;
    case 9: // a three made, no opponent two next to it
        return oMien && ho == 1 && !dMien && hd == 2 && pasDebile(d, 2, pos) == 1;
    case 10: // a four made, no opponent single piece next to it
        return oMien && ho == 1 && !dMien && hd == 3 && pasDebile(d, 1, pos) == 1;
    case 11: // two twos made a four, no opponent single piece next to it
        return oMien && ho == 2 && !dMien && hd == 2 && pasDebile(d, 1, pos) == 1;
    default:
        return false;
    }
}

} // namespace

int appliquerRegle(int regle, Position pos, const ListeCoups *liste, int i)
{
    const uint8_t o = liste->coups[i].origine;
    const uint8_t d = liste->coups[i].destination;
    if (regle == 7) {
        // The opponent could make a five on our column: make it ourselves
        // by the reverse move, when the list has it.
        const uint8_t t = pos.trait;
        if (pos.cols[o].couleur != t && pos.cols[d].couleur == t &&
            pos.cols[o].nb + pos.cols[d].nb == HAUTEUR_MAX)
            return coupInverse(liste, o, d);
        return -1;
    }
    return regleTient(regle, pos, o, d) ? i : -1;
}

void afficherCoup(Position pos, const ListeCoups *liste, int i)
{
    afficherCoupNumero(pos, i, liste->coups[i]);
}

void jouerChoix(Position pos, const ListeCoups *liste, int choix)
{
    afficherCoup(pos, liste, choix);
    std::printf("On choisit ce coup !");
    ecrireIndexCoup(choix);
}
