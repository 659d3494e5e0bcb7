// joueur_isoler: captures the columns that only one neighbour can still reach.
//
// A column whose neighbours are all empty or five high except one is
// isolated: once that last neighbour has moved, nothing can cover it again.
// How the player decides, each scan playing its first hit in list order:
//   1. an opponent column isolated but for one of ours: ours goes onto it
//      ("ISOLER"); one of ours isolated but for one column: every move of that
//      column onto a column not ours is handed on the way; an opponent column
//      with a single live neighbour is put onto it ("CONTRE ISOLATION");
//   2. one of ours onto a column not ours when no cell not ours next to it,
//      empty ones included, could still be joined without making five;
//   3. an opponent column onto another, making neither four nor five;
//   4. a random opponent column moved without making five; the first move of
//      the list when no move would ever be accepted.
// A move that hands the opponent a five, at once or with one more column put
// on its destination, is foolish ("COUP DEBILE ") and is never played by the
// tests that ask for it.
#include "isoler.h"

#include "couleur.h"
#include "joueur.h"
#include "nb_coups.h"
#include "trace.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A neighbour that can still be moved or covered: height 1 to 4.
bool vivant(uint8_t hauteur) { return hauteur >= 1 && hauteur < HAUTEUR_MAX; }

int voisinsVivants(const Position &position, uint8_t c)
{
    Voisins v = getVoisins(c);
    int n = 0;
    for (int i = 0; i < v.nb; i++)
        if (vivant(position.cols[v.cases[i]].nb))
            n++;
    return n;
}

// The one live neighbour of c when every other neighbour is dead (empty or
// five high), else -1.
int dernierVivant(const Position &position, uint8_t c)
{
    Voisins v = getVoisins(c);
    int morts = 0;
    int dernier = -1;
    for (int i = 0; i < v.nb; i++) {
        uint8_t h = position.cols[v.cases[i]].nb;
        if (vivant(h))
            dernier = v.cases[i];
        else
            morts++;
    }
    return morts == v.nb - 1 ? dernier : -1;
}

// The foolish-move test of VerifCoup, without a word.
bool coupDebile(const Position &position, Coup coup)
{
    const uint8_t moi = position.trait;
    const Colonne o = position.cols[coup.origine];
    const Colonne d = position.cols[coup.destination];
    const int somme = o.nb + d.nb;
    if (o.couleur != moi && d.couleur == moi && somme == HAUTEUR_MAX)
        return true;
    if (somme == HAUTEUR_MAX)
        return false;
    Voisins v = getVoisins(coup.destination);
    for (int i = 0; i < v.nb; i++) {
        uint8_t n = v.cases[i];
        if (position.cols[n].nb + somme == HAUTEUR_MAX && n != coup.origine)
            return true;
    }
    return false;
}

void jouer(int k)
{
    std::puts("COUP CHOISI ! ");
    ecrireIndexCoup(k);
}

// Scan 1: isolated columns, as long as no move of the list is played.
bool isoler(const Position &position, const ListeCoups &coups, int n)
{
    const uint8_t moi = position.trait;
    int origineRetenue = 0;
    int destinationRetenue = 0;

    for (int k = 0; k < n; k++) {
        const uint8_t o = coups.coups[k].origine;
        const uint8_t d = coups.coups[k].destination;
        const Colonne co = position.cols[o];
        const Colonne cd = position.cols[d];

        afficherCoupNumero(position, k, coups.coups[k]);
        const int nbVoisinsD = voisinsVivants(position, d);
        const int nbVoisinsO = voisinsVivants(position, o);
        std::printf("\n\n nbVoisinsD : %d\n nbVoisinsO : %d\n", nbVoisinsD, nbVoisinsO);

        const int dernier = dernierVivant(position, o);
        if (co.couleur != moi) {
            // An opponent column reachable only from one of ours: remember
            // the capture, played when the scan reaches it.
            if (dernier >= 0 && position.cols[dernier].couleur == moi) {
                origineRetenue = d;
                destinationRetenue = o;
            }
        } else if (dernier >= 0) {
            // One of ours reachable only from d: moving d away isolates it.
            origineRetenue = d;
            Voisins v = getVoisins(d);
            for (int i = 0; i < v.nb; i++) {
                if (position.cols[v.cases[i]].couleur != moi) {
                    destinationRetenue = v.cases[i];
                    Boucle(v.cases[i], d, coups);
                }
            }
        }

        if (origineRetenue == o && destinationRetenue == d) {
            std::puts("COUP CHOISI : ISOLER ! ");
            ecrireIndexCoup(k);
            return true;
        }
        if (co.couleur != moi && co.nb + cd.nb <= HAUTEUR_MAX && nbVoisinsO == 1 &&
            VerifCoup(k, position, coups) == 0) {
            std::puts("\n\n\n CONTRE ISOLATION \n\n");
            jouer(k);
            return true;
        }
    }
    return false;
}

// Scan 2: one of ours onto a column not ours that nothing else can join.
bool couvrir(const Position &position, const ListeCoups &coups, int n)
{
    const uint8_t moi = position.trait;
    for (int k = 0; k < n; k++) {
        const uint8_t d = coups.coups[k].destination;
        const Colonne co = position.cols[coups.coups[k].origine];
        const Colonne cd = position.cols[d];
        const int somme = co.nb + cd.nb;

        int autres = 0;
        bool menace = false;
        Voisins v = getVoisins(d);
        for (int i = 0; i < v.nb; i++) {
            const Colonne cn = position.cols[v.cases[i]];
            if (cn.couleur != moi) {
                autres++;
                // Joined with the new column without making five.
                if (cn.nb + somme <= HAUTEUR_MAX - 1)
                    menace = true;
            }
        }

        if (co.couleur == moi && cd.couleur != moi && (autres == 0 || !menace) &&
            VerifCoup(k, position, coups) == 0) {
            jouer(k);
            return true;
        }
        if (co.couleur == moi && cd.couleur != moi && somme == HAUTEUR_MAX &&
            cd.couleur != co.couleur) {
            jouer(k);
            return true;
        }
    }
    return false;
}

// Scan 3: two opponent columns joined, making neither four nor five.
bool empiler(const Position &position, const ListeCoups &coups, int n)
{
    const uint8_t moi = position.trait;
    for (int k = 0; k < n; k++) {
        const Colonne co = position.cols[coups.coups[k].origine];
        const Colonne cd = position.cols[coups.coups[k].destination];
        const int somme = co.nb + cd.nb;
        if (co.couleur != moi && cd.couleur != moi && somme != HAUTEUR_MAX &&
            somme != HAUTEUR_MAX - 1 && VerifCoup(k, position, coups) == 0) {
            std::puts("COUP CHOISI ! ");
            std::printf("%d\n", co.couleur);
            ecrireIndexCoup(k);
            return true;
        }
    }
    return false;
}

// What the random fallback accepts, the foolish-move test last.
bool auHasard(const Position &position, Coup coup)
{
    const Colonne co = position.cols[coup.origine];
    const Colonne cd = position.cols[coup.destination];
    return co.couleur != position.trait && co.nb + cd.nb != HAUTEUR_MAX;
}

// Scan 4: a random opponent column moved without making five.  When no move
// of the list would ever be accepted, the first move is played instead of
// drawing for ever.
void auHasardSinonPremier(const Position &position, const ListeCoups &coups, int n)
{
    if (n == 0)
        return;
    bool possible = false;
    for (int k = 0; k < n && !possible; k++)
        possible = auHasard(position, coups.coups[k]) && !coupDebile(position, coups.coups[k]);
    if (!possible) {
        jouer(0);
        return;
    }
    for (;;) {
        int r = std::rand() % n;
        if (auHasard(position, coups.coups[r]) && VerifCoup(r, position, coups) == 0) {
            jouer(r);
            return;
        }
    }
}

} // namespace

int VerifCoup(int k, Position position, ListeCoups coups)
{
    if (!coupDebile(position, coups.coups[k]))
        return 0;
    std::puts("COUP DEBILE ");
    return 1;
}

void Boucle(int destination, int origine, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    for (int k = 0; k < n; k++)
        if (coups.coups[k].origine == origine && coups.coups[k].destination == destination)
            ecrireIndexCoup(k);
}

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    std::printf("Ma couleur : %s\n", motCouleur(position.trait));
    if (isoler(position, coups, n) || couvrir(position, coups, n) || empiler(position, coups, n))
        return;
    auHasardSinonPremier(position, coups, n);
}
