// joueur_boucle: one pass over the list, a priority for each own move.
//
// How the player decides: only moves that carry a column of its own colour
// are scored.  An own column put on an opponent column to make a five is
// played at once.  Otherwise, looking at what could be stacked next on the
// column the move makes (the follow-ups: moves of the list from the
// destination to another cell), the move gets a priority: 90 when it covers
// an opponent column and nothing can follow, 90 - h(o) or 80 - h(o) when
// every opponent follow-up would overflow, 50, 46, 45, 30, 20, 10 or 5 for
// weaker situations.  A move that lets the opponent make a five afterwards
// gets nothing, and the following moves from the same origin are passed
// over.  The highest priority wins, the earlier move on a tie; with no
// priority at all the first move of the list is handed.
#include "couleur.h"
#include "nb_coups.h"
#include "trace.h"
#include "joueur.h"

#include <cstdio>

namespace {

constexpr int SUIVANTS_MAX = 7; // a scan of follow-ups stops at this count

// What the follow-ups of an own move onto an opponent column show.
struct Suivants {
    int nbAdv = 0;        // follow-ups onto a column not of our colour
    int nbTrop = 0;       // of those, joined height above five
    int nbCinq = 0;       // of those, joined height exactly five
    int nbPetit = 0;      // of those, joined height below five
    int seul = 1;         // 1 minus the follow-ups onto our own colour
    bool aucunAdv = true; // no follow-up onto a column not of our colour
    bool petitAmi = false; // a follow-up onto our colour stays at four or less
};

// Follow-ups of (o, d) of any colour, counted up to SUIVANTS_MAX.
int compterSuivants(const ListeCoups *coups, int n, uint8_t o, uint8_t d)
{
    int compte = 0;
    for (int k = 0; k < n && compte < SUIVANTS_MAX; k++)
        if (coups->coups[k].origine == d && coups->coups[k].destination != o)
            compte++;
    return compte;
}

Suivants examinerSuivants(Position position, const ListeCoups *coups, int n, uint8_t o, uint8_t d)
{
    const uint8_t moi = position.trait;
    const int hauteur = position.cols[o].nb + position.cols[d].nb;
    Suivants s;
    for (int k = 0; k < n; k++) {
        const Coup c = coups->coups[k];
        if (c.origine == d && c.destination != o) {
            const Colonne w = position.cols[c.destination];
            const int total = hauteur + w.nb;
            if (w.couleur != moi) {
                s.nbAdv++;
                s.aucunAdv = false;
                if (total > HAUTEUR_MAX)
                    s.nbTrop++;
                else if (total == HAUTEUR_MAX)
                    s.nbCinq++;
                else
                    s.nbPetit++;
            } else {
                s.seul--;
                if (total <= HAUTEUR_MAX - 1)
                    s.petitAmi = true;
            }
        }
        if (s.nbAdv == SUIVANTS_MAX)
            break;
    }
    return s;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    const uint8_t moi = position.trait;
    int meilleur = 0;
    int indiceMeilleur = 0; // handed as it is when no move gets a priority
    bool sauter = false;
    uint8_t origineSautee = 0;

    std::printf("Ma couleur : %s\n", motCouleur(moi));

    for (int i = 0; i < n; i++) {
        const Coup c = coups.coups[i];
        const uint8_t o = c.origine;
        const uint8_t d = c.destination;
        const int ho = position.cols[o].nb;
        const int hauteur = ho + position.cols[d].nb;
        afficherCoupNumero(position, i, c);

        if (sauter) {
            if (o == origineSautee)
                continue;
            sauter = false;
        }
        if (position.cols[o].couleur != moi)
            continue;

        if (position.cols[d].couleur == moi) {
            // Own column onto own column: a five, or a column nothing can join.
            if (meilleur <= 19 && hauteur == HAUTEUR_MAX) {
                meilleur = 20;
                indiceMeilleur = i;
            } else if (compterSuivants(&coups, n, o, d) == 0 && meilleur <= 44) {
                meilleur = 45;
                indiceMeilleur = i;
            }
            continue;
        }

        // Own column onto an opponent column.
        if (hauteur == HAUTEUR_MAX) {
            std::puts("On choisit ce coup ! ");
            ecrireIndexCoup(i);
            return;
        }
        if (meilleur >= 90 || hauteur > HAUTEUR_MAX - 1)
            continue;

        const Suivants s = examinerSuivants(position, &coups, n, o, d);
        if (s.seul == 1) {
            // No follow-up onto our colour.
            if (s.nbCinq > 0) {
                // The opponent could make a five on it: pass over this origin.
                sauter = true;
                origineSautee = o;
            } else if (s.nbAdv == 0 && meilleur <= 89 && hauteur <= HAUTEUR_MAX - 1) {
                meilleur = 90;
                indiceMeilleur = i;
            } else if (s.nbTrop == s.nbAdv && 90 - ho > meilleur) {
                meilleur = 90 - ho;
                indiceMeilleur = i;
            } else if (meilleur == 0) {
                meilleur = 5;
                indiceMeilleur = i;
            }
        } else if (s.aucunAdv) {
            // Only our own colour can follow.
            if (meilleur <= 49) {
                meilleur = 50;
                indiceMeilleur = i;
            }
        } else if (s.nbCinq > 0) {
            // An opponent five could follow: no priority.
        } else if (s.nbTrop == s.nbAdv) {
            if (80 - ho > meilleur) {
                meilleur = 80 - ho;
                indiceMeilleur = i;
            }
        } else if (s.nbTrop > 0 && s.nbPetit > 0 && meilleur <= 29) {
            meilleur = 30;
            indiceMeilleur = i;
        } else if (s.nbPetit == s.nbAdv) {
            if (!s.petitAmi && meilleur == 0) {
                meilleur = 10;
                indiceMeilleur = i;
            } else if (meilleur <= 45) {
                meilleur = 46;
                indiceMeilleur = i;
            }
        }
    }

    std::puts("\n On a parcouru toute la boucle !\n");
    ecrireIndexCoup(indiceMeilleur);
}
