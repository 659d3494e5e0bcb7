// The floor of one move between the engine and a player: two processes on
// one processor, one sending a record the size of the engine's request (a
// position) and the other answering with a record the size of a player's
// answer, over two pipes, with plain blocking reads and writes.  Nothing else
// happens: no game, no list of moves, no deadline.  Prints the time of one
// round trip in microseconds (median of several runs).
//
//   bench_plancher [ROUND_TRIPS]
#include "protocole.h"

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

// Microseconds per round trip over `allers` round trips.
double mesurer(int allers)
{
    int demandes[2], reponses[2];
    if (pipe(demandes) != 0 || pipe(reponses) != 0)
        std::exit(1);
    pid_t pid = fork();
    if (pid == 0) {
        close(demandes[1]);
        close(reponses[0]);
        protocole::Demande d;
        protocole::Reponse r = {};
        while (toutLire(demandes[0], &d, sizeof d))
            if (write(reponses[1], &r, sizeof r) != sizeof r)
                break;
        _exit(0);
    }
    close(demandes[0]);
    close(reponses[1]);
    protocole::Demande d = {};
    protocole::Reponse r;
    double debut = maintenant();
    for (int i = 0; i < allers; i++)
        if (write(demandes[1], &d, sizeof d) != sizeof d || !toutLire(reponses[0], &r, sizeof r))
            std::exit(1);
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
    std::vector<double> mesures;
    for (int k = 0; k < 5; k++)
        mesures.push_back(mesurer(allers));
    std::sort(mesures.begin(), mesures.end());
    std::printf("plancher : %.2f µs par aller-retour (%zu octets puis %zu octets, médiane de 5 "
                "séries de %d ; de %.2f à %.2f)\n",
                mesures[2], sizeof(protocole::Demande), sizeof(protocole::Reponse), allers,
                mesures.front(), mesures.back());
    return 0;
}
