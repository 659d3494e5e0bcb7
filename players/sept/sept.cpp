// joueur_sept: numbered levels, the highest one found wins.
//
// How the player decides: every candidate carries a level and replaces the
// best one so far only with a higher level (level 1 excepted: the last move
// of that level wins).  From the highest level down:
//   21  one of ours takes an opponent column that has no other live neighbour;
//   20  one of ours makes a five on an opponent column;
//   19  one of ours, the only live neighbour of another of ours, goes onto an
//       opponent column; or one of ours makes a five on one of ours;
//   18  the same move onto another of ours; or an opponent column, the only
//       live neighbour of one of ours, goes onto another opponent column;
//   17  ... or onto one of ours;
//    7  one of ours covers an opponent column that could make a five, when
//       no opponent column could then be put on it;
//    5  a move making at most four that no opponent column next to the
//       destination could join;
//    1  one of our single pieces onto an opponent's single piece.
// With no level reached, a random move of the list, the last one excepted.
#include "sept.h"

#include "joueur.h"
#include "nb_coups.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The best candidate so far: a cell pair, or an index of the list.
struct Choix {
    int niveau;
    bool paireChoisie;
    uint8_t origine;
    uint8_t destination;
    int index;
};

constexpr int NIVEAU_DERNIER_GAGNE = 1;

bool peutStocker(const Choix &choix, int niveau)
{
    return niveau == NIVEAU_DERNIER_GAGNE ? choix.niveau <= niveau : choix.niveau < niveau;
}

// Stores the pair o onto d at `niveau` if it beats the best so far, and says
// so; `avecPaire` adds the pair to the message.
bool stockerPaire(Choix &choix, int niveau, const char *message, bool avecPaire, uint8_t o,
                  uint8_t d)
{
    if (!peutStocker(choix, niveau))
        return false;
    choix.niveau = niveau;
    choix.paireChoisie = true;
    choix.origine = o;
    choix.destination = d;
    std::puts(message);
    if (avecPaire)
        std::printf("\n%u -> %u\n", static_cast<unsigned>(o), static_cast<unsigned>(d));
    return true;
}

void stockerIndex(Choix &choix, int niveau, const char *message, int k)
{
    if (!peutStocker(choix, niveau))
        return;
    choix.niveau = niveau;
    choix.paireChoisie = false;
    choix.index = k;
    std::puts(message);
}

// Live: non-empty and not five high.
bool vivant(Colonne c) { return c.nb != 0 && c.nb != HAUTEUR_MAX; }

// Pass 1, first loop of a cell: L onto the first neighbour n that passes
// `accepte` at `niveau`; true when it stored.
template <typename Test>
bool surUnVoisin(Choix &choix, const Position &position, uint8_t l, int niveau,
                 const char *message, Test accepte)
{
    Voisins v = getVoisins(l);
    bool stocke = false;
    for (int i = 0; i < v.nb; i++) {
        const uint8_t n = v.cases[i];
        const Colonne cn = position.cols[n];
        if (accepte(n, cn) && cn.nb + position.cols[l].nb <= HAUTEUR_MAX &&
            stockerPaire(choix, niveau, message, true, l, n))
            stocke = true;
    }
    return stocke;
}

// Pass 1: the columns with a single live neighbour L.
void colonnesIsolees(Choix &choix, const Position &position)
{
    const uint8_t moi = position.trait;
    for (int i = 0; i < NBCASES; i++) {
        const Colonne ci = position.cols[i];
        if (ci.nb == HAUTEUR_MAX)
            continue;
        Voisins v = getVoisins(static_cast<uint8_t>(i));
        int vivants = 0;
        uint8_t l = 0;
        for (int j = 0; j < v.nb; j++) {
            if (vivant(position.cols[v.cases[j]])) {
                vivants++;
                l = v.cases[j];
            }
        }
        if (vivants != 1)
            continue;
        const Colonne cl = position.cols[l];
        Voisins vl = getVoisins(l);

        auto adverse = [moi](uint8_t, Colonne c) { return c.nb != 0 && c.couleur != moi; };
        auto autreAMoi = [moi, i](uint8_t n, Colonne c) { return c.couleur == moi && n != i; };

        if (ci.couleur == moi && cl.couleur == moi) {
            int vivantsL = 0;
            for (int j = 0; j < vl.nb; j++)
                if (vivant(position.cols[vl.cases[j]]))
                    vivantsL++;
            if (vivantsL < 2)
                continue;
            if (!surUnVoisin(choix, position, l, 19, "----19----", adverse))
                surUnVoisin(choix, position, l, 18, "----18  1----", autreAMoi);
        } else if (ci.couleur == moi) {
            int occupes = 0;
            for (int j = 0; j < vl.nb; j++)
                if (position.cols[vl.cases[j]].nb != 0)
                    occupes++;
            if (occupes < 2)
                continue;
            if (!surUnVoisin(choix, position, l, 18, "----18   2----", adverse))
                surUnVoisin(choix, position, l, 17, "----17----", autreAMoi);
        } else if (ci.nb != 0 && cl.couleur == moi && cl.nb + ci.nb <= HAUTEUR_MAX) {
            stockerPaire(choix, 21, "----21----", true, l, static_cast<uint8_t>(i));
        }
    }
}

// Level 7: cover c (one end of an opponent move making five) with one of
// ours that no opponent column could then join.
void couvrirCinq(Choix &choix, const Position &position, uint8_t c)
{
    Voisins v = getVoisins(c);
    for (int i = 0; i < v.nb; i++) {
        const uint8_t n = v.cases[i];
        if (position.cols[n].couleur == position.trait &&
            position.cols[n].nb + position.cols[c].nb <= HAUTEUR_MAX && verif5(n, c, position) == 1)
            stockerPaire(choix, 7, "\nSTRATEGIE 7 POINTS STOCKEE", false, n, c);
    }
}

// Pass 2: the moves of the list, each through the four rules in order.
void coupsDeLaListe(Choix &choix, const Position &position, const ListeCoups &coups, int nb)
{
    const uint8_t moi = position.trait;
    for (int k = 0; k < nb; k++) {
        const uint8_t o = coups.coups[k].origine;
        const uint8_t d = coups.coups[k].destination;
        const Colonne co = position.cols[o];
        const Colonne cd = position.cols[d];
        const int somme = co.nb + cd.nb;

        if (co.couleur == moi && cd.couleur != moi && somme == 2)
            stockerIndex(choix, 1, "----1----", k);

        if (co.couleur != moi && cd.couleur != moi && somme == HAUTEUR_MAX) {
            couvrirCinq(choix, position, o);
            couvrirCinq(choix, position, d);
        }

        if (co.couleur == moi && somme == HAUTEUR_MAX) {
            if (cd.nb != 0 && cd.couleur != moi)
                stockerIndex(choix, 20, "c'est la 20", k);
            if (cd.couleur == moi)
                stockerIndex(choix, 19, "c'est la 19", k);
        }

        if (cd.nb != 0 && somme <= HAUTEUR_MAX - 1) {
            bool rejoignable = false;
            Voisins v = getVoisins(d);
            for (int i = 0; i < v.nb; i++) {
                const Colonne cn = position.cols[v.cases[i]];
                if (cn.nb != 0 && cn.couleur != moi && somme + cn.nb <= HAUTEUR_MAX)
                    rejoignable = true;
            }
            if (!rejoignable)
                stockerIndex(choix, 5, "c'est la 5", k);
        }
    }
}

} // namespace

int verif5(uint8_t a, uint8_t b, Position position)
{
    position.cols[b].nb = static_cast<uint8_t>(position.cols[a].nb + position.cols[b].nb);
    position.cols[a].nb = 0;
    Voisins v = getVoisins(b);
    for (int i = 0; i < v.nb; i++) {
        const Colonne cn = position.cols[v.cases[i]];
        if (position.cols[b].nb + cn.nb <= HAUTEUR_MAX && cn.couleur != position.trait &&
            cn.couleur != VIDE)
            return 0;
    }
    return 1;
}

void choisirCoup(Position position, ListeCoups coups)
{
    const int nb = bornerNbCoups(coups.nb);
    // With one move or none there is nothing to draw between.
    Choix choix = {0, false, 0, 0, nb > 1 ? std::rand() % (nb - 1) : 0};

    colonnesIsolees(choix, position);
    coupsDeLaListe(choix, position, coups, nb);

    if (choix.paireChoisie) {
        for (int k = 0; k < nb; k++) {
            if (coups.coups[k].origine == choix.origine &&
                coups.coups[k].destination == choix.destination) {
                ecrireIndexCoup(k);
                std::printf("\n\t%u -> %u\n", static_cast<unsigned>(choix.origine),
                            static_cast<unsigned>(choix.destination));
            }
        }
    } else {
        std::printf("%d\n", choix.index);
        ecrireIndexCoup(choix.index);
    }
}
