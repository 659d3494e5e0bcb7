// The watcher of the players' deadlines (Linux).
#include "processus/guetteur.h"

#include "processus/systeme.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <limits>
#include <mutex>
#include <poll.h>
#include <thread>

namespace moteur {
namespace {

// An answer in the pipe at the deadline: the reader is only late to read it;
// looked at again this soon.  A reader not yet interrupted (the signal came
// before it entered read) is signalled again as soon.
constexpr double REGARD_SUIVANT = 0.002;

// The signal that interrupts a read: a handler that does nothing, installed
// without SA_RESTART, so that the read returns EINTR.
int signalDInterruption() { return SIGRTMIN + 1; }

void rienAFaire(int) {}

class Guetteur {
public:
    Guetteur()
    {
        struct sigaction a = {};
        a.sa_handler = rienAFaire;
        sigemptyset(&a.sa_mask);
        a.sa_flags = 0; // no SA_RESTART: the read is interrupted
        sigaction(signalDInterruption(), &a, nullptr);
        // No signal for this thread: SIGUSR1 must reach the thread that
        // reads the answer, the stop signals their own thread.
        sigset_t tous, avant;
        sigfillset(&tous);
        pthread_sigmask(SIG_BLOCK, &tous, &avant);
        std::thread([this] { guetter(); }).detach();
        pthread_sigmask(SIG_SETMASK, &avant, nullptr);
    }

    void inscrire(Echeance *e)
    {
        std::lock_guard<std::mutex> verrou(verrou_);
        e->suivante = premiere_;
        premiere_ = e;
    }

    void retirer(Echeance *e)
    {
        std::lock_guard<std::mutex> verrou(verrou_);
        for (Echeance **p = &premiere_; *p != nullptr; p = &(*p)->suivante)
            if (*p == e) {
                *p = e->suivante;
                break;
            }
    }

    // A delay shorter than any before: the watcher may sleep too long.
    void nouveauDelai(double delai)
    {
        if (delai >= delaiMin_.load())
            return;
        std::lock_guard<std::mutex> verrou(verrou_);
        if (delai < delaiMin_.load()) {
            delaiMin_.store(delai);
            reveil_.notify_one();
        }
    }

    // A suspected or expired wait seen by its reader: no signal after this.
    // Returns the state it had.
    int liberer(Echeance *e)
    {
        std::lock_guard<std::mutex> verrou(verrou_);
        return e->etat.exchange(Echeance::LIBRE);
    }

private:
    void guetter()
    {
        std::unique_lock<std::mutex> verrou(verrou_);
        for (;;) {
            double t = maintenant();
            double prochain = t + delaiMin_.load();
            for (Echeance *e = premiere_; e != nullptr; e = e->suivante) {
                int etat = e->etat.load();
                if (etat == Echeance::SOUPCON) { // not seen yet: again
                    pthread_kill(e->lecteur, signalDInterruption());
                    prochain = std::min(prochain, t + REGARD_SUIVANT);
                }
                if (etat != Echeance::ATTENTE)
                    continue;
                double limite = e->limite.load();
                if (limite > t) {
                    prochain = std::min(prochain, limite);
                    continue;
                }
                pollfd p = {e->fd.load(), POLLIN, 0};
                if (poll(&p, 1, 0) == 1) {
                    prochain = std::min(prochain, t + REGARD_SUIVANT);
                    continue;
                }
                int attendu = Echeance::ATTENTE;
                if (!e->etat.compare_exchange_strong(attendu, Echeance::SOUPCON))
                    continue; // the answer came meanwhile
                pthread_kill(e->lecteur, signalDInterruption());
                prochain = std::min(prochain, t + REGARD_SUIVANT);
            }
            if (prochain == std::numeric_limits<double>::infinity())
                reveil_.wait(verrou);
            else
                reveil_.wait_for(verrou, std::chrono::duration<double>(prochain - t));
        }
    }

    std::mutex verrou_;
    std::condition_variable reveil_;
    Echeance *premiere_ = nullptr;
    std::atomic<double> delaiMin_{std::numeric_limits<double>::infinity()};
};

// Lives as long as the process: its thread may run to the last instruction.
Guetteur &guetteur()
{
    static Guetteur &g = *new Guetteur;
    return g;
}

} // namespace

Echeance::Echeance() { guetteur().inscrire(this); }

Echeance::~Echeance() { guetteur().retirer(this); }

void Echeance::armer(double delai, int f)
{
    limite.store(maintenant() + delai);
    fd.store(f);
    lecteur = pthread_self();
    etat.store(ATTENTE); // last: what the watcher looks at
    guetteur().nouveauDelai(delai);
}

bool Echeance::expiree()
{
    int attendu = SOUPCON;
    return etat.compare_exchange_strong(attendu, EXPIREE) || attendu == EXPIREE;
}

bool Echeance::desarmer()
{
    int attendu = ATTENTE;
    if (etat.compare_exchange_strong(attendu, LIBRE))
        return false;
    bool expiree = guetteur().liberer(this) == EXPIREE;
    // A signal sent before that, still pending, is taken now, on the way
    // out of this call, rather than by a later call it would interrupt.
    sigset_t enAttente;
    sigpending(&enAttente);
    return expiree;
}

} // namespace moteur
