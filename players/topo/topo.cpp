// joueur_topo: three passes over the list of moves, each handing the first
// move it accepts.
//
// How the player decides: first an own column put onto a column of four,
// whoever owns the four; then a five made of an own column of two or three
// onto a column of three or two; then any move joining two columns that are
// not its own.  Each pass prints every move it examines, from the top of the
// list.  When no pass finds a move it hands none.
//
// The program carries its own copies of the board's two tables; the rules
// library reads those.
#include "couleur.h"
#include "joueur.h"
#include "nb_coups.h"
#include "trace.h"

#include <cstdio>

namespace {

constexpr int NB_PASSES = 3;

// Pass 1: my column onto a four, whatever the four's colour.
bool surUnQuatre(Coup c, const Position &p)
{
    return p.cols[c.origine].couleur == p.trait && p.cols[c.destination].nb == 4;
}

// Pass 2: my column of two onto a three, or of three onto a two.
bool deuxEtTrois(Coup c, const Position &p)
{
    const int ho = p.cols[c.origine].nb;
    const int hd = p.cols[c.destination].nb;
    return p.cols[c.origine].couleur == p.trait && ((ho == 2 && hd == 3) || (ho == 3 && hd == 2));
}

// Pass 3: two columns that are not mine.
bool deuxAdverses(Coup c, const Position &p)
{
    return p.cols[c.origine].couleur != p.trait && p.cols[c.destination].couleur != p.trait;
}

bool (*const PASSES[NB_PASSES])(Coup, const Position &) = {surUnQuatre, deuxEtTrois, deuxAdverses};

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int nb = bornerNbCoups(coups.nb);
    for (int passe = 0; passe < NB_PASSES; passe++) {
        for (int i = 0; i < nb; i++) {
            afficherCoupNumero(position, i, coups.coups[i]);
            if (!PASSES[passe](coups.coups[i], position))
                continue;
            if (passe == 0)
                std::printf("On choisit ce coup ! \n");
            ecrireIndexCoup(i);
            return;
        }
    }
}
