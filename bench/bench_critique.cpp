// Time of one turn of joueur_critique (and joueur_critique3, the same code)
// and of joueur_critique2, on positions met in seeded random games.
//
//   bench_critique [games] [rounds]
//
// Each turn is timed on its own, trace printing included (standard output
// goes to /dev/null).  Figures: median, 99.9th percentile and worst, over
// every single turn, then over the positions taking each one's best round.
#include "tessor.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

// The two players' choisirCoup, compiled under other names for this program.
extern "C" void choisirCoup_critique(Position position, ListeCoups coups);
extern "C" void choisirCoup_critique2(Position position, ListeCoups coups);

namespace {
int indicesRecus = 0;
}

extern "C" int ecrireIndexCoup(int)
{
    indicesRecus++;
    return 0;
}
extern "C" {
int32_t pidMoteur = 0;
}

namespace {

struct Tour {
    Position position;
    ListeCoups coups;
};

// Every position of `parties` games of uniformly random legal moves, the
// game with seed s played by std::mt19937(s), until no move is left.
std::vector<Tour> positionsDeParties(int parties)
{
    std::vector<Tour> tours;
    for (int graine = 1; graine <= parties; graine++) {
        std::mt19937 alea(static_cast<unsigned>(graine));
        Position p = getPositionInitiale();
        for (;;) {
            ListeCoups l = getCoupsLegaux(p);
            tours.push_back({p, l});
            if (l.nb == 0)
                break;
            std::uniform_int_distribution<int> tirage(0, l.nb - 1);
            Coup c = l.coups[tirage(alea)];
            p = jouerCoup(p, c.origine, c.destination);
        }
    }
    return tours;
}

double rang(const std::vector<double> &triees, double q)
{
    return triees[static_cast<size_t>(q * double(triees.size() - 1))];
}

void mesurer(const char *nom, void (*joueur)(Position, ListeCoups), const std::vector<Tour> &tours,
             int tournees)
{
    // All single turns, and per position the best of its rounds: the turn's
    // own cost, without the moments when the machine was busy elsewhere.
    std::vector<double> durees;
    std::vector<double> meilleures(tours.size(), 1e300);
    durees.reserve(tours.size() * static_cast<size_t>(tournees));
    for (int r = 0; r < tournees; r++) {
        for (size_t k = 0; k < tours.size(); k++) {
            auto debut = std::chrono::steady_clock::now();
            joueur(tours[k].position, tours[k].coups);
            auto fin = std::chrono::steady_clock::now();
            double d = std::chrono::duration<double, std::micro>(fin - debut).count();
            durees.push_back(d);
            meilleures[k] = std::min(meilleures[k], d);
        }
    }
    std::sort(durees.begin(), durees.end());
    std::sort(meilleures.begin(), meilleures.end());
    std::fprintf(stderr, "%s\n", nom);
    std::fprintf(stderr, "  chaque tour (%zu)           médiane %7.2f µs  99,9 %% %7.2f µs  pire %7.2f µs\n",
                 durees.size(), rang(durees, 0.5), rang(durees, 0.999), durees.back());
    std::fprintf(stderr, "  par position, meilleur de %d médiane %7.2f µs  99,9 %% %7.2f µs  pire %7.2f µs\n",
                 tournees, rang(meilleures, 0.5), rang(meilleures, 0.999), meilleures.back());
}

} // namespace

int main(int argc, char **argv)
{
    const int parties = argc > 1 ? std::atoi(argv[1]) : 300;
    const int tournees = argc > 2 ? std::atoi(argv[2]) : 5;
    if (parties < 1 || tournees < 1) {
        std::fprintf(stderr, "usage : bench_critique [parties] [tournées]\n");
        return 2;
    }
    const std::vector<Tour> tours = positionsDeParties(parties);
    int coupsMax = 0;
    for (const Tour &t : tours)
        coupsMax = std::max(coupsMax, static_cast<int>(t.coups.nb));
    std::fprintf(stderr, "%d parties au hasard, %zu positions (listes jusqu'à %d coups)\n",
                 parties, tours.size(), coupsMax);

    // The players' traces would dominate on a terminal; the turn's own
    // printf calls are still made and timed.
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        return 1;
    mesurer("joueur_critique", choisirCoup_critique, tours, tournees);
    mesurer("joueur_critique2", choisirCoup_critique2, tours, tournees);
    return indicesRecus > 0 ? 0 : 1;
}
