// The positions `moteur verifier` tries a player on, all drawn from a seed.
#include "verification/positions.h"

#include "partie/hasard.h"

#include <algorithm>
#include <utility>

namespace moteur {
namespace {

// The pieces of a board, as in every game.
constexpr int PIECES = NBCASES;

uint8_t couleurAuHasard(Hasard &h) { return h.tirer(2) == 0 ? JAUNE : ROUGE; }

// A position of a game of random legal moves, after 1 to 46 of them.
Position positionDeJeu(Hasard &h)
{
    Position p = getPositionInitiale();
    for (int coups = 1 + h.tirer(NBCASES - 2); coups > 0; coups--) {
        ListeCoups l = getCoupsLegaux(p);
        Coup c = l.coups[h.tirer(l.nb)];
        Position suivante = jouerCoup(p, c.origine, c.destination);
        if (getCoupsLegaux(suivante).nb == 0)
            break;
        p = suivante;
    }
    return p;
}

// The 48 pieces on 10 to 48 columns of at most five, colours and trait drawn.
Position plateauAuHasard(Hasard &h)
{
    for (;;) {
        Position p = {};
        p.trait = couleurAuHasard(h);
        int colonnes = 10 + h.tirer(NBCASES - 10 + 1);
        int cases[NBCASES];
        for (int i = 0; i < NBCASES; i++)
            cases[i] = i;
        for (int k = 0; k < colonnes; k++) {
            std::swap(cases[k], cases[k + h.tirer(NBCASES - k)]);
            p.cols[cases[k]] = {1, couleurAuHasard(h)};
        }
        for (int reste = PIECES - colonnes; reste > 0;) {
            Colonne &c = p.cols[cases[h.tirer(colonnes)]];
            if (c.nb < HAUTEUR_MAX) {
                c.nb++;
                reste--;
            }
        }
        if (getCoupsLegaux(p).nb > 0)
            return p;
    }
}

// Every cell 3 to 5 high: no two columns can join.  The board is full, so
// that the line says whether the empty list breaks the program, not whether
// a late board does.
Position plateauSansCoup(Hasard &h)
{
    Position p = {};
    p.trait = couleurAuHasard(h);
    for (Colonne &c : p.cols)
        c = {static_cast<uint8_t>(3 + h.tirer(3)), couleurAuHasard(h)};
    return p;
}

} // namespace

std::vector<Position> positionsAVerifier(int nombre, uint32_t graine)
{
    Hasard h(static_cast<uint64_t>(graine) * 0x9E3779B97F4A7C15ull + 0x7665726966ull);
    std::vector<Position> positions = {getPositionInitiale(), plateauSansCoup(h)};
    while (static_cast<int>(positions.size()) < nombre)
        positions.push_back(positions.size() % 2 == 0 ? positionDeJeu(h) : plateauAuHasard(h));
    positions.resize(static_cast<size_t>(std::max(nombre, 0)));
    return positions;
}

} // namespace moteur
