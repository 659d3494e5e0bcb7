// How long one turn of joueur_poids takes, on positions from seeded random
// games: its choisirCoup is called in process, its trace going to /dev/null.
// Both the elapsed time and the processor time of the thread are kept: on a
// shared machine the second leaves out the time other programs took.
//
//   bench_poids [parties] [graine]
#include "joueur.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ctime>
#include <random>
#include <unistd.h>
#include <vector>

namespace {
int indexRemis = -1;
} // namespace

// The host's side: only the last index is kept, as the host does.
int ecrireIndexCoup(int index)
{
    indexRemis = index;
    return 0;
}

namespace {

// Every position of `parties` games played at random until no move is left.
std::vector<Position> positionsDeParties(int parties, unsigned graine)
{
    std::mt19937 alea(graine);
    std::vector<Position> positions;
    for (int g = 0; g < parties; g++) {
        Position p = getPositionInitiale();
        for (;;) {
            ListeCoups coups = getCoupsLegaux(p);
            if (coups.nb == 0)
                break;
            positions.push_back(p);
            Coup c = coups.coups[std::uniform_int_distribution<int>(0, coups.nb - 1)(alea)];
            p = jouerCoup(p, c.origine, c.destination);
        }
    }
    return positions;
}

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
    double pireEssai = 0;            // slowest single try
    size_t pirePosition = 0;

    void ajouter(size_t k, double meilleur)
    {
        if (parPosition.empty() || meilleur > parPosition[pirePosition])
            pirePosition = k;
        parPosition.push_back(meilleur);
    }
    void afficher(const char *titre, const std::vector<Position> &positions) const
    {
        std::vector<double> tries = parPosition;
        std::sort(tries.begin(), tries.end());
        ListeCoups coups = getCoupsLegaux(positions[pirePosition]);
        std::printf("%s : médiane %.1f µs, 90e centile %.1f µs, pire position %.1f µs "
                    "(%d coups légaux), pire essai isolé %.1f µs\n",
                    titre, tries[tries.size() / 2], tries[tries.size() * 9 / 10],
                    parPosition[pirePosition], coups.nb, pireEssai);
    }
};

} // namespace

int main(int argc, char **argv)
{
    int parties = argc > 1 ? std::atoi(argv[1]) : 200;
    unsigned graine = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 4u;
    const int ESSAIS = 5; // per position; the fastest is kept, to leave out the machine's noise

    std::vector<Position> positions = positionsDeParties(parties, graine);

    std::fflush(stdout);
    int sortie = dup(STDOUT_FILENO);
    int nul = open("/dev/null", O_WRONLY);
    if (sortie < 0 || nul < 0) {
        std::perror("bench_poids");
        return 1;
    }
    dup2(nul, STDOUT_FILENO);

    Mesures reel, processeur;
    for (size_t k = 0; k < positions.size(); k++) {
        ListeCoups coups = getCoupsLegaux(positions[k]);
        double meilleurReel = 1e300, meilleurProcesseur = 1e300;
        for (int e = 0; e < ESSAIS; e++) {
            auto debut = std::chrono::steady_clock::now();
            double debutProcesseur = tempsProcesseur();
            choisirCoup(positions[k], coups);
            std::fflush(stdout);
            double us = microsecondes(std::chrono::steady_clock::now() - debut);
            double usProcesseur = tempsProcesseur() - debutProcesseur;
            meilleurReel = std::min(meilleurReel, us);
            meilleurProcesseur = std::min(meilleurProcesseur, usProcesseur);
            reel.pireEssai = std::max(reel.pireEssai, us);
            processeur.pireEssai = std::max(processeur.pireEssai, usProcesseur);
        }
        reel.ajouter(k, meilleurReel);
        processeur.ajouter(k, meilleurProcesseur);
    }

    dup2(sortie, STDOUT_FILENO);
    close(nul);
    close(sortie);

    std::printf("joueur_poids, un tour (trace vers /dev/null)\n");
    std::printf("positions : %zu (%d parties au hasard, graine %u), %d essais chacune, "
                "le plus rapide retenu\n",
                positions.size(), parties, graine, ESSAIS);
    reel.afficher("temps écoulé", positions);
    processeur.afficher("temps processeur", positions);
    return indexRemis < -1 ? 1 : 0;
}
