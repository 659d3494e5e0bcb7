// The floor of one move between the engine and a player: two processes on
// one processor, one sending a record the size of the engine's request (a
// position) and the other answering with a record the size of a player's
// answer, over two pipes, with plain blocking reads and writes.  Nothing else
// happens: no game, no list of moves, no deadline.  Prints the time of one
// round trip in microseconds (median of several runs).
//
// Then the same exchange with the rules' own share of a move, which no
// engine or host can skip: the engine lists the legal moves, sends the
// position, checks the index it gets back and plays that move; the player's
// side lists the moves of the position it got and answers the first.  The
// games are those of two players that always take the first move.
//
//   bench_plancher [ROUND_TRIPS]
#include "protocole.h"
#include "tessor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double maintenant()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

bool toutLire(int fd, void *p, size_t n)
{
    auto *o = static_cast<char *>(p);
    while (n > 0) {
        ssize_t r = read(fd, o, n);
        if (r <= 0)
            return false;
        o += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

// The player's side: the first move of each position it gets, or of none
// with `regles` false.
void repondre(int demandes, int reponses, bool regles)
{
    protocole::Demande d;
    protocole::Reponse r = {};
    while (toutLire(demandes, &d, sizeof d)) {
        if (regles)
            r.nbIndices = getCoupsLegaux(d.position).nb > 0 ? 1 : 0;
        if (write(reponses, &r, sizeof r) != sizeof r)
            break;
    }
}

// The engine's side of one move with the rules: the list, the index
// checked, the move played; a new game when the list is empty.
void avancer(protocole::Demande &d, const protocole::Reponse &r, const ListeCoups &coups)
{
    if (r.valeur < 0 || r.valeur >= coups.nb) {
        d.position = getPositionInitiale();
        return;
    }
    Coup c = coups.coups[r.valeur];
    d.position = jouerCoup(d.position, c.origine, c.destination);
}

// Microseconds per round trip over `allers` round trips.
double mesurer(int allers, bool regles)
{
    int demandes[2], reponses[2];
    if (pipe(demandes) != 0 || pipe(reponses) != 0)
        std::exit(1);
    pid_t pid = fork();
    if (pid == 0) {
        close(demandes[1]);
        close(reponses[0]);
        repondre(demandes[0], reponses[1], regles);
        _exit(0);
    }
    close(demandes[0]);
    close(reponses[1]);
    protocole::Demande d = {};
    d.position = getPositionInitiale();
    protocole::Reponse r;
    auto allerRetour = [&] {
        if (write(demandes[1], &d, sizeof d) != sizeof d || !toutLire(reponses[0], &r, sizeof r))
            std::exit(1);
    };
    double debut = maintenant();
    for (int i = 0; i < allers; i++) {
        if (!regles) { // the bare exchange: nothing else in its loop
            allerRetour();
            continue;
        }
        ListeCoups coups = getCoupsLegaux(d.position);
        if (coups.nb == 0) { // a new game
            d.position = getPositionInitiale();
            coups = getCoupsLegaux(d.position);
        }
        allerRetour();
        avancer(d, r, coups);
    }
    double duree = maintenant() - debut;
    close(demandes[1]);
    close(reponses[0]);
    waitpid(pid, nullptr, 0);
    return duree / allers * 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    int allers = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (allers <= 0)
        return 2;
    // One processor, the one we are on, for both (the child inherits it).
    cpu_set_t un;
    CPU_ZERO(&un);
    CPU_SET(sched_getcpu(), &un);
    sched_setaffinity(0, sizeof un, &un);
    // The two kinds alternate, so that both see the same machine.
    std::vector<double> nues, avecRegles;
    for (int k = 0; k < 5; k++) {
        nues.push_back(mesurer(allers, false));
        avecRegles.push_back(mesurer(allers, true));
    }
    std::sort(nues.begin(), nues.end());
    std::sort(avecRegles.begin(), avecRegles.end());
    std::printf("plancher : %.2f µs par aller-retour (%zu octets puis %zu octets, médiane de 5 "
                "séries de %d ; de %.2f à %.2f)\n",
                nues[2], sizeof(protocole::Demande), sizeof(protocole::Reponse), allers,
                nues.front(), nues.back());
    std::printf("plancher avec les règles : %.2f µs par aller-retour (la liste des coups de chaque "
                "côté, le coup joué ; de %.2f à %.2f)\n",
                avecRegles[2], avecRegles.front(), avecRegles.back());
    return 0;
}
