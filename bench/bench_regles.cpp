// Speed of the rules: move lists, moves played, whole random games.
#include "tessor.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

// A small fast generator, so that drawing moves costs next to nothing.
struct Hasard {
    uint64_t etat;
    uint32_t tirer(uint32_t n)
    {
        etat ^= etat << 13;
        etat ^= etat >> 7;
        etat ^= etat << 17;
        return static_cast<uint32_t>((etat >> 32) * n >> 32);
    }
};

// Plays one random game to its end; returns the number of moves.
int partieAleatoire(Hasard &h, std::vector<Position> *positions = nullptr)
{
    Position p = getPositionInitiale();
    int coups = 0;
    for (;;) {
        if (positions)
            positions->push_back(p);
        ListeCoups l = getCoupsLegaux(p);
        if (l.nb == 0)
            return coups;
        Coup c = l.coups[h.tirer(static_cast<uint32_t>(l.nb))];
        p = jouerCoup(p, c.origine, c.destination);
        coups++;
    }
}

const std::vector<Position> &positionsDeJeu()
{
    static const std::vector<Position> positions = [] {
        std::vector<Position> v;
        Hasard h{0x9E3779B97F4A7C15ull};
        for (int k = 0; k < 200; k++)
            partieAleatoire(h, &v);
        return v;
    }();
    return positions;
}

void listesDeCoups(benchmark::State &etat)
{
    const std::vector<Position> &positions = positionsDeJeu();
    size_t i = 0;
    for (auto _ : etat) {
        benchmark::DoNotOptimize(getCoupsLegaux(positions[i]));
        i = i + 1 == positions.size() ? 0 : i + 1;
    }
    etat.SetItemsProcessed(etat.iterations());
    etat.SetLabel("listes par seconde");
}
BENCHMARK(listesDeCoups);

void coupsJoues(benchmark::State &etat)
{
    // Every legal move of the sampled positions, played in turn.
    struct Essai {
        Position p;
        Coup c;
    };
    std::vector<Essai> essais;
    for (const Position &p : positionsDeJeu()) {
        ListeCoups l = getCoupsLegaux(p);
        for (int k = 0; k < l.nb && k < 4; k++)
            essais.push_back({p, l.coups[k]});
    }
    size_t i = 0;
    for (auto _ : etat) {
        const Essai &e = essais[i];
        benchmark::DoNotOptimize(jouerCoup(e.p, e.c.origine, e.c.destination));
        i = i + 1 == essais.size() ? 0 : i + 1;
    }
    etat.SetItemsProcessed(etat.iterations());
    etat.SetLabel("coups par seconde");
}
BENCHMARK(coupsJoues);

void partiesAleatoires(benchmark::State &etat)
{
    Hasard h{12345};
    int64_t coups = 0;
    for (auto _ : etat)
        coups += partieAleatoire(h);
    etat.SetItemsProcessed(etat.iterations());
    etat.counters["coups/partie"] =
        benchmark::Counter(static_cast<double>(coups), benchmark::Counter::kAvgIterations);
    etat.SetLabel("parties par seconde (liste, tirage, coup jusqu'à la fin)");
}
BENCHMARK(partiesAleatoires);

} // namespace

BENCHMARK_MAIN();
