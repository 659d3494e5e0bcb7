// The engine's signals (Linux).
#include "processus/signaux.h"

#include "processus/orphelins.h"
#include "processus/systeme.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace moteur {
namespace {

// Handlers have no context: the one registry of the engine.
std::atomic<Registre *> registreDesSignaux{nullptr};
// What the stop thread waits for (blocked everywhere else).
sigset_t signauxAttendus;
// Whether the match finishes on its own after a stop, and the stop received.
std::atomic<bool> arretGere{false};
std::atomic<int> arretRecu{0};
// How long the engine may take to print its summary after a stop.
constexpr double DELAI_BILAN = 5;
// How far up the line of parents a sender is looked for among our
// descendants: deeper than any program builds.
constexpr int GENERATIONS_MAX = 64;

// The engine stops on these: its players first, then itself by the signal.
constexpr int ARRETS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
// Job control: the engine is suspended as by default.
constexpr int SUSPENSIONS[] = {SIGTSTP, SIGTTIN, SIGTTOU};
// Faults: the engine's own kill it as by default; one sent by another
// process is dropped.
constexpr int FAUTES[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGSYS, SIGTRAP};
// Of no use to the engine, and ending it by default: ignored (besides the
// real-time signals).  SIGPIPE: a player that leaves while we write to it is
// reported by write; SIGXFSZ: a file too large, by the write that fails.
constexpr int INUTILES[] = {SIGUSR1, SIGUSR2,   SIGPIPE, SIGALRM, SIGVTALRM, SIGPROF,
                            SIGIO,   SIGSTKFLT, SIGPWR,  SIGXCPU, SIGXFSZ};

std::array<struct sigaction, NSIG> avantLesFautes{};

template <size_t N>
bool parmi(int numero, const int (&signaux)[N])
{
    for (int s : signaux)
        if (s == numero)
            return true;
    return false;
}

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

// Sent by another process with kill, sigqueue or tgkill.
bool envoyeParUnAutre(const siginfo_t &info)
{
    return info.si_code <= 0 && info.si_pid > 0 && info.si_pid != getpid();
}

// A player outside its sandbox, or what it started: every such process
// descends from the engine (their orphans come to it, their subreaper), or
// is among its latest children, reaped since.
bool vientDUnJoueur(const siginfo_t &info)
{
    if (!envoyeParUnAutre(info))
        return false;
    Registre *registre = registreDesSignaux.load();
    if (registre != nullptr && registre->enfantRecent(info.si_pid))
        return true;
    int moi = 0, pere = 0, numero = info.si_pid;
    if (!lireFiliation(0, moi, pere))
        return false;
    for (int g = 0; g < GENERATIONS_MAX && numero > 1; g++) {
        int lui = 0;
        if (!lireFiliation(numero, lui, numero))
            return false;
        if (numero == moi)
            return true;
    }
    return false;
}

void noterSIGCHLD(int)
{
    if (Registre *r = registreDesSignaux.load())
        r->noterFinDEnfant();
}

void surFaute(int numero, siginfo_t *info, void *contexte)
{
    if (info != nullptr && envoyeParUnAutre(*info))
        return;
    const struct sigaction &avant = avantLesFautes[static_cast<size_t>(numero)];
    if ((avant.sa_flags & SA_SIGINFO) != 0 && avant.sa_sigaction != nullptr)
        return avant.sa_sigaction(numero, info, contexte); // a sanitizer's report
    if (avant.sa_handler != SIG_DFL && avant.sa_handler != SIG_IGN)
        return avant.sa_handler(numero);
    // A fault happens again on return, now by default; the engine's own
    // abort is raised again, blocked until the return.
    signal(numero, SIG_DFL);
    if (info == nullptr || info->si_code <= 0)
        raise(numero);
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

// Ignored if nothing handles it yet (a sanitizer, the deadline watcher).
void ignorerSiParDefaut(int numero)
{
    struct sigaction a = {};
    if (sigaction(numero, nullptr, &a) == 0 && !(a.sa_flags & SA_SIGINFO) &&
        a.sa_handler == SIG_DFL)
        signal(numero, SIG_IGN);
}

// What a suspension does by default: the whole engine stops until SIGCONT.
void suspendre(int numero)
{
    sigset_t lui;
    sigemptyset(&lui);
    sigaddset(&lui, numero);
    pthread_sigmask(SIG_UNBLOCK, &lui, nullptr);
    raise(numero);
    pthread_sigmask(SIG_BLOCK, &lui, nullptr);
}

// The next stop signal that counts, within `delai` seconds (negative: no
// limit); 0 if none came.  Those of a player are dropped; a suspension is
// carried out on the way.
int prochainArret(double delai)
{
    double limite = maintenant() + delai;
    for (;;) {
        siginfo_t info = {};
        int numero;
        if (delai < 0) {
            numero = sigwaitinfo(&signauxAttendus, &info);
        } else {
            double reste = limite - maintenant();
            if (reste <= 0)
                return 0;
            double entiers = std::floor(reste);
            timespec t = {static_cast<time_t>(entiers),
                          static_cast<long>((reste - entiers) * 1e9)};
            numero = sigtimedwait(&signauxAttendus, &info, &t);
        }
        if (numero <= 0 || vientDUnJoueur(info))
            continue;
        if (parmi(numero, SUSPENSIONS)) {
            suspendre(numero);
            continue;
        }
        return numero;
    }
}

// The stop thread: the players would outlive the engine's death (what a
// program started is not its child), so they go first, then what their
// death hands over to us; then the engine, as the signal would have done.
void attendreLArret(Registre *registre)
{
    int numero = prochainArret(-1);
    arretRecu.store(numero);
    if (arretGere.load()) {
        registre->arreter();
        prochainArret(DELAI_BILAN);
    }
    registre->toutFinir();
    mourirPar(numero);
}

void installerLesFautes()
{
    struct sigaction faute = {};
    faute.sa_sigaction = surFaute;
    sigemptyset(&faute.sa_mask);
    faute.sa_flags = SA_SIGINFO | SA_RESTART;
    for (int numero : FAUTES)
        sigaction(numero, &faute, &avantLesFautes[static_cast<size_t>(numero)]);
}

} // namespace

void installerLesSignaux(Registre &registre)
{
    registreDesSignaux.store(&registre);

    for (int numero : INUTILES)
        ignorerSiParDefaut(numero);
    for (int numero = SIGRTMIN; numero <= SIGRTMAX; numero++)
        ignorerSiParDefaut(numero);
    installerLesFautes();

    struct sigaction enfant = {};
    enfant.sa_handler = noterSIGCHLD;
    sigemptyset(&enfant.sa_mask);
    enfant.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigaction(SIGCHLD, &enfant, nullptr);

    sigemptyset(&signauxAttendus);
    for (int numero : ARRETS)
        if (!laisseAuDepart(numero))
            sigaddset(&signauxAttendus, numero);
    for (int numero : SUSPENSIONS)
        if (!laisseAuDepart(numero))
            sigaddset(&signauxAttendus, numero);
    if (sigisemptyset(&signauxAttendus))
        return;
    pthread_sigmask(SIG_BLOCK, &signauxAttendus, nullptr);
    // The stop thread takes no other signal: the watcher's must reach the
    // thread that reads an answer.
    sigset_t tous, avant;
    sigfillset(&tous);
    pthread_sigmask(SIG_BLOCK, &tous, &avant);
    std::thread(attendreLArret, &registre).detach();
    pthread_sigmask(SIG_SETMASK, &avant, nullptr);
}

void rendreLesSignauxAuJoueur()
{
    for (int numero = 1; numero < NSIG; numero++)
        if (numero != SIGKILL && numero != SIGSTOP)
            signal(numero, SIG_DFL);
    sigset_t aucun;
    sigemptyset(&aucun);
    sigprocmask(SIG_SETMASK, &aucun, nullptr);
}

void gererLArret(bool gerer) { arretGere.store(gerer); }

bool arretEnCours() { return arretRecu.load() != 0; }

void finirSiArrete()
{
    if (int numero = arretRecu.load())
        mourirPar(numero);
}

} // namespace moteur
