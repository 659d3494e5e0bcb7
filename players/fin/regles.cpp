// Rules shared by joueur_fin and joueur_fin2.
#include "regles.h"

namespace {

struct Hauteurs {
    uint8_t origine;
    uint8_t destination;
};

const Hauteurs CINQ[NB_REGLES_CINQ] = {{1, 4}, {4, 1}, {2, 3}, {3, 2}};

} // namespace

bool memeCoup(Coup a, Coup b) { return a.origine == b.origine && a.destination == b.destination; }

bool regleCinq(int regle, const Position &p, Coup coup)
{
    const Colonne o = p.cols[coup.origine];
    return o.couleur == p.trait && o.nb == CINQ[regle].origine &&
           p.cols[coup.destination].nb == CINQ[regle].destination;
}

bool petitePile(const Position &p, Coup coup)
{
    const Colonne o = p.cols[coup.origine];
    const Colonne d = p.cols[coup.destination];
    return o.couleur == p.trait && o.nb == 1 && d.couleur != p.trait && d.nb != 3;
}
