// The engine's signals (Linux).
#include "processus/signaux.h"

#include "processus/orphelins.h"
#include "processus/systeme.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace moteur {
namespace {

// Handlers have no context: the one registry of the engine.
std::atomic<Registre *> registreDesSignaux{nullptr};
// The stop signals the engine waits for, unblocked again in its players.
sigset_t signauxDArret;
// Whether the match finishes on its own after a stop, and the stop received.
std::atomic<bool> arretGere{false};
std::atomic<int> arretRecu{0};
// How long the engine may take to print its summary after a stop.
constexpr time_t DELAI_BILAN = 5;

[[noreturn]] void mourirPar(int numero)
{
    signal(numero, SIG_DFL);
    sigset_t lui;
    sigemptyset(&lui);
    sigaddset(&lui, numero);
    pthread_sigmask(SIG_UNBLOCK, &lui, nullptr);
    raise(numero);
    _exit(128 + numero);
}

void noterSIGUSR1(int, siginfo_t *info, void *)
{
    int ancienErrno = errno;
    if (Registre *r = registreDesSignaux.load(); r != nullptr && info != nullptr)
        r->noterSignal(info->si_pid, maintenant());
    errno = ancienErrno;
}

void noterSIGCHLD(int)
{
    if (Registre *r = registreDesSignaux.load())
        r->noterFinDEnfant();
}

// Left to the user: a signal ignored at start (nohup, a background job) or
// blocked by whoever started us.
bool laisseAuDepart(int numero)
{
    struct sigaction a = {};
    sigset_t bloques;
    sigaction(numero, nullptr, &a);
    pthread_sigmask(SIG_BLOCK, nullptr, &bloques);
    return (!(a.sa_flags & SA_SIGINFO) && a.sa_handler == SIG_IGN) ||
           sigismember(&bloques, numero) == 1;
}

// The stop thread: the players would outlive the engine's death (what a
// program started is not its child), so they go first, then what their
// death hands over to us; then the engine, as the signal would have done.
void attendreLArret(Registre *registre)
{
    int numero;
    do
        numero = sigwaitinfo(&signauxDArret, nullptr);
    while (numero < 0);
    arretRecu.store(numero);
    if (arretGere.load()) {
        registre->arreter();
        timespec delai = {DELAI_BILAN, 0};
        sigtimedwait(&signauxDArret, nullptr, &delai);
    }
    registre->toutFinir();
    mourirPar(numero);
}

} // namespace

void installerLesSignaux(Registre &registre)
{
    registreDesSignaux.store(&registre);

    struct sigaction usr1 = {};
    usr1.sa_sigaction = noterSIGUSR1;
    sigemptyset(&usr1.sa_mask);
    usr1.sa_flags = SA_SIGINFO | SA_RESTART;
    sigaction(SIGUSR1, &usr1, nullptr);

    signal(SIGPIPE, SIG_IGN);
    signal(SIGALRM, SIG_IGN);

    struct sigaction enfant = {};
    enfant.sa_handler = noterSIGCHLD;
    sigemptyset(&enfant.sa_mask);
    enfant.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigaction(SIGCHLD, &enfant, nullptr);

    sigemptyset(&signauxDArret);
    for (int numero : {SIGINT, SIGTERM, SIGHUP})
        if (!laisseAuDepart(numero))
            sigaddset(&signauxDArret, numero);
    if (sigisemptyset(&signauxDArret))
        return;
    pthread_sigmask(SIG_BLOCK, &signauxDArret, nullptr);
    // The stop thread takes no other signal: SIGUSR1 must reach the thread
    // that reads the answer, before the answer does.
    sigset_t tous, avant;
    sigfillset(&tous);
    pthread_sigmask(SIG_BLOCK, &tous, &avant);
    std::thread(attendreLArret, &registre).detach();
    pthread_sigmask(SIG_SETMASK, &avant, nullptr);
}

void rendreLesSignauxAuJoueur()
{
    signal(SIGPIPE, SIG_DFL);
    signal(SIGALRM, SIG_DFL);
    signal(SIGUSR1, SIG_DFL);
    sigprocmask(SIG_UNBLOCK, &signauxDArret, nullptr);
}

void gererLArret(bool gerer) { arretGere.store(gerer); }

bool arretEnCours() { return arretRecu.load() != 0; }

void finirSiArrete()
{
    if (int numero = arretRecu.load())
        mourirPar(numero);
}

} // namespace moteur
