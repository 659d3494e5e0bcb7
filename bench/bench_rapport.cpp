// bench_rapport: how long one turn of joueur_rapport takes.
//
// Positions come from seeded random games played from the initial position
// (every position met, both colours to move).  Each position is played five
// times and its fastest run kept, so that the figures show the player and not
// the machine's other work.  A turn should stay under 2 ms.
#include "joueur.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

int dernierIndex = -1;

constexpr int PARTIES = 200;
constexpr int ESSAIS = 5;
constexpr double OBJECTIF_MS = 2.0;

std::vector<Position> positionsDeParties()
{
    std::vector<Position> positions;
    for (int graine = 1; graine <= PARTIES; graine++) {
        std::mt19937 alea(static_cast<unsigned>(graine));
        Position p = getPositionInitiale();
        for (;;) {
            positions.push_back(p);
            const ListeCoups l = getCoupsLegaux(p);
            if (l.nb == 0)
                break;
            const Coup c = l.coups[std::uniform_int_distribution<int>(0, l.nb - 1)(alea)];
            p = jouerCoup(p, c.origine, c.destination);
        }
    }
    return positions;
}

} // namespace

// The host's side of the boundary: the bench keeps the last index handed.
int ecrireIndexCoup(int index)
{
    dernierIndex = index;
    return 0;
}

int32_t pidMoteur = 0;

int main()
{
    const std::vector<Position> positions = positionsDeParties();
    std::vector<double> durees;
    durees.reserve(positions.size());
    size_t pire = 0;
    int horsListe = 0;
    for (size_t i = 0; i < positions.size(); i++) {
        const ListeCoups l = getCoupsLegaux(positions[i]);
        double meilleure = 1e9;
        for (int e = 0; e < ESSAIS; e++) {
            const auto debut = std::chrono::steady_clock::now();
            choisirCoup(positions[i], l);
            const auto fin = std::chrono::steady_clock::now();
            meilleure = std::min(meilleure, std::chrono::duration<double, std::milli>(fin - debut).count());
        }
        horsListe += l.nb > 0 && (dernierIndex < 0 || dernierIndex >= l.nb);
        durees.push_back(meilleure);
        if (meilleure > durees[pire])
            pire = i;
    }
    std::vector<double> triees = durees;
    std::sort(triees.begin(), triees.end());
    const double mediane = triees[triees.size() / 2];
    const double centile99 = triees[triees.size() * 99 / 100];
    const double maximum = triees.back();
    std::printf("joueur_rapport : %zu positions de %d parties au hasard\n", positions.size(), PARTIES);
    std::printf("  médiane  %.3f ms\n  99e centile %.3f ms\n  pire cas %.3f ms (position %zu, %d coups)\n",
                mediane, centile99, maximum, pire, getCoupsLegaux(positions[pire]).nb);
    std::printf("  indices hors de la liste : %d\n", horsListe);
    std::printf("  objectif %.1f ms par tour : %s\n", OBJECTIF_MS,
                maximum < OBJECTIF_MS ? "tenu" : "dépassé");
    return maximum < OBJECTIF_MS && horsListe == 0 ? 0 : 1;
}
