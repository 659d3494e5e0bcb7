// How long one turn of a player takes, on positions from seeded random games:
// the player's choisirCoup is called in process through the host's own turn,
// its trace going to /dev/null.  Each position is played several times and
// the fastest kept, to leave out the noise of a shared machine; the processor
// time of the thread is kept beside the elapsed time for the same reason.
// Built once per automatic player, as bench_tour_<player>.
//
//   bench_tour_<player> [parties] [graine]
#include "positions.h"
#include "tour.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

double microsecondes(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

double tempsProcesseur()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

struct Mesures {
    std::vector<double> parPosition; // fastest of the tries
    size_t pirePosition = 0;

    void ajouter(double meilleur)
    {
        if (parPosition.empty() || meilleur > parPosition[pirePosition])
            pirePosition = parPosition.size();
        parPosition.push_back(meilleur);
    }
    double mediane() const
    {
        std::vector<double> tries = parPosition;
        std::sort(tries.begin(), tries.end());
        return tries[tries.size() / 2];
    }
    double pire() const { return parPosition[pirePosition]; }
};

} // namespace

int main(int argc, char **argv)
{
    int parties = argc > 1 ? std::atoi(argv[1]) : 50;
    unsigned graine = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 4u;
    const int ESSAIS = 5;
    std::vector<Position> positions = essai::positionsDeJeu(parties, 1, graine);

    std::fflush(stdout);
    int sortie = dup(STDOUT_FILENO);
    int nul = open("/dev/null", O_WRONLY);
    if (sortie < 0 || nul < 0 || positions.empty()) {
        std::perror(TESSOR_JOUEUR);
        return 1;
    }
    dup2(nul, STDOUT_FILENO);

    Mesures reel, processeur;
    for (const Position &p : positions) {
        double meilleurReel = 1e300, meilleurProcesseur = 1e300;
        for (int e = 0; e < ESSAIS; e++) {
            std::srand(1); // players that draw draw the same at every try
            auto debut = std::chrono::steady_clock::now();
            double debutProcesseur = tempsProcesseur();
            hote::jouerTour(p);
            std::fflush(stdout);
            meilleurReel = std::min(meilleurReel, microsecondes(std::chrono::steady_clock::now() - debut));
            meilleurProcesseur = std::min(meilleurProcesseur, tempsProcesseur() - debutProcesseur);
        }
        reel.ajouter(meilleurReel);
        processeur.ajouter(meilleurProcesseur);
    }

    dup2(sortie, STDOUT_FILENO);
    close(nul);
    close(sortie);
    std::printf("%-18s médiane %8.1f µs  pire %8.1f µs (%3d coups)  processeur : médiane %8.1f µs  "
                "pire %8.1f µs  [%zu positions]\n",
                TESSOR_JOUEUR, reel.mediane(), reel.pire(),
                getCoupsLegaux(positions[reel.pirePosition]).nb, processeur.mediane(),
                processeur.pire(), positions.size());
    return 0;
}
