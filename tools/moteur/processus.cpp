// Processes, pipes and signals for the engine (Linux).
#include "processus.h"

#include "protocole.h"
#include "tubes.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

int fermer(int &fd)
{
    int r = 0;
    if (fd >= 0)
        r = close(fd);
    fd = -1;
    return r;
}

FinProcessus decoder(int etat)
{
    if (WIFSIGNALED(etat))
        return {true, WTERMSIG(etat)};
    return {false, WIFEXITED(etat) ? WEXITSTATUS(etat) : 0};
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void devenirJoueur(const char *chemin, char *const *argv, int demandes,
                                int reponses, bool terminal, const char *trace,
                                pid_t parent)
{
    // Never outlive the engine, even if it is killed outright.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    signal(SIGPIPE, SIG_DFL);
    signal(SIGUSR1, SIG_DFL);
    if (!terminal) {
        // A program gets a process group of its own, so that ending it also
        // ends whatever it started.  A person's program stays in ours: it
        // reads the terminal, which only the foreground group may do.
        setpgid(0, 0);
        int nul = open("/dev/null", O_RDWR);
        int sortie = trace != nullptr ? open(trace, O_WRONLY | O_CREAT | O_APPEND, 0644) : nul;
        if (nul < 0 || sortie < 0)
            _exit(127);
        dup2(nul, 0);
        dup2(sortie, 1);
        dup2(sortie, 2);
    }
    // The pipes go to fixed descriptors; nothing else of ours is inherited.
    int d = fcntl(demandes, F_DUPFD, 10);
    int r = fcntl(reponses, F_DUPFD, 10);
    if (d < 0 || r < 0 || dup2(d, protocole::FD_DEMANDES) < 0 ||
        dup2(r, protocole::FD_REPONSES) < 0)
        _exit(127);
    for (int fd = protocole::FD_REPONSES + 1; fd < 1024; fd++)
        close(fd);
    execv(chemin, argv);
    _exit(127);
}

// Only the player whose turn it is may mark the end of its thinking time:
// a signal from anyone else is dropped here, so it can never hide that one.
std::atomic<int> pidEcoute{0};
std::atomic<int> pidDernierSignal{0};
std::atomic<double> dateDernierSignal{0.0};
static_assert(std::atomic<double>::is_always_lock_free);

void noterSignal(int, siginfo_t *info, void *)
{
    int ancienErrno = errno;
    int pid = info != nullptr ? info->si_pid : 0;
    if (pid != 0 && pid == pidEcoute.load()) {
        dateDernierSignal.store(maintenant());
        pidDernierSignal.store(pid);
    }
    errno = ancienErrno;
}

// What kill ends for each running player (its group, or a person's
// process), so that an engine stopped by the user ends them first.
std::array<std::atomic<int>, 8> ciblesEnCours{};

void retenirCible(int cible)
{
    for (std::atomic<int> &c : ciblesEnCours) {
        int libre = 0;
        if (c.compare_exchange_strong(libre, cible))
            return;
    }
}

void oublierCible(int cible)
{
    for (std::atomic<int> &c : ciblesEnCours) {
        int attendu = cible;
        c.compare_exchange_strong(attendu, 0);
    }
}

// A program's group and the program itself, which may have left that
// group; a person's process.
void tuerCible(int cible)
{
    kill(cible, SIGKILL);
    if (cible < 0)
        kill(-cible, SIGKILL);
}

bool estUnJoueur(int pid)
{
    for (std::atomic<int> &c : ciblesEnCours)
        if (int cible = c.load(); cible == pid || cible == -pid)
            return true;
    return false;
}

// Orphans.  The engine is the subreaper of everything it starts: a process
// whose parent dies comes to it rather than to init, even one that left its
// player's process group or session.  So every child of the engine that is
// not a running player is left over from one, and is ended with its group.
// Only calls that are safe in a signal handler: open, read, kill, waitpid.
constexpr int ENFANTS_MAX = 256;

// Our children, from /proc: the engine's main thread forks, and is the
// thread that orphans are given to.
int lireEnfants(int (&pids)[ENFANTS_MAX])
{
    char chemin[64] = "/proc/self/task/";
    size_t n = std::strlen(chemin);
    char chiffres[16];
    int k = 0;
    for (unsigned v = static_cast<unsigned>(getpid()); v > 0 || k == 0; v /= 10)
        chiffres[k++] = static_cast<char>('0' + v % 10);
    while (k > 0)
        chemin[n++] = chiffres[--k];
    std::memcpy(chemin + n, "/children", sizeof "/children");
    int fd = open(chemin, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int nb = 0, valeur = 0;
    char tampon[512];
    for (;;) {
        ssize_t r = read(fd, tampon, sizeof tampon);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        for (ssize_t i = 0; i < r; i++) {
            if (tampon[i] >= '0' && tampon[i] <= '9') {
                valeur = valeur * 10 + (tampon[i] - '0');
            } else {
                if (valeur > 0 && nb < ENFANTS_MAX)
                    pids[nb++] = valeur;
                valeur = 0;
            }
        }
    }
    if (valeur > 0 && nb < ENFANTS_MAX)
        pids[nb++] = valeur;
    close(fd);
    return nb;
}

// Kills and reaps every orphan, and those that its death hands over in
// turn; a few rounds reach any depth a program is likely to build.
void finirLesOrphelins()
{
    int pids[ENFANTS_MAX];
    for (int tour = 0; tour < 16; tour++) {
        int n = lireEnfants(pids);
        bool orphelin = false;
        for (int i = 0; i < n; i++) {
            if (estUnJoueur(pids[i]))
                continue;
            orphelin = true;
            kill(-pids[i], SIGKILL); // the group it leads, if it made one
            kill(pids[i], SIGKILL);
            int etat;
            while (waitpid(pids[i], &etat, 0) < 0 && errno == EINTR) {
            }
        }
        if (!orphelin)
            return;
    }
}

// A child ended: maybe an orphan, to be reaped before the next game.
std::atomic<bool> enfantTermine{false};
void noterFinDEnfant(int) { enfantTermine.store(true); }

// SIGINT, SIGTERM, SIGHUP: the players would outlive the engine's death
// (what a program started is not its child), so they go first, then what
// their death hands over to us.
void finirAvecLesJoueurs(int numero)
{
    int ancienErrno = errno;
    for (std::atomic<int> &c : ciblesEnCours)
        if (int cible = c.load(); cible != 0)
            tuerCible(cible);
    // Reaped, a player has handed its own children over to us.
    for (std::atomic<int> &c : ciblesEnCours) {
        int pid = c.load() < 0 ? -c.load() : c.load();
        for (int i = 0; pid > 0 && i < 200; i++) {
            int etat;
            pid_t r = waitpid(pid, &etat, WNOHANG);
            if (r == pid || (r < 0 && errno != EINTR))
                break;
            timespec ms = {0, 1000000};
            nanosleep(&ms, nullptr);
        }
        c.store(0);
    }
    finirLesOrphelins();
    errno = ancienErrno;
    signal(numero, SIG_DFL);
    raise(numero);
}

// The watcher: one thread that kills a process whose answer is late.  A
// wait is one slot: its deadline, the process, and a state packed with the
// wait's number, so that the watcher never acts on a wait that has ended.
enum : uint64_t { LIBRE = 0, ATTENTE = 1, TUE = 2, TUE_FAIT = 3 };
constexpr uint64_t etatDe(uint64_t numero, uint64_t e) { return numero << 2 | e; }

struct Creneau {
    std::atomic<bool> pris{false};
    std::atomic<uint64_t> etat{LIBRE};
    std::atomic<double> limite{0};
    std::atomic<int> pid{0};    // what kill is given: a process, or -group
    std::atomic<pthread_t> fil{}; // the thread blocked in read
    std::atomic<int> tube{-1};    // what it reads
};
// The engine waits for one player at a time; a few spare slots cost nothing.
std::array<Creneau, 8> creneaux;
std::atomic<uint64_t> numeroDeVeille{0};

void veiller()
{
    // SIGUSR1 goes to the thread that waits for the players.
    sigset_t usr1;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &usr1, nullptr);
    for (;;) {
        bool attente = false;
        double t = maintenant();
        for (Creneau &c : creneaux) {
            uint64_t e = c.etat.load();
            if ((e & 3) != ATTENTE)
                continue;
            attente = true;
            if (t < c.limite.load())
                continue;
            // An answer is there, unread: the engine was slow (stopped with
            // Ctrl-Z, or short of processor time), not the player.  The read
            // takes it at once, and then the slot is free or late again.
            int enAttente = 0;
            if (ioctl(c.tube.load(), FIONREAD, &enAttente) == 0 && enAttente > 0)
                continue;
            if (c.etat.compare_exchange_strong(e, (e & ~uint64_t{3}) | TUE)) {
                tuerCible(c.pid.load());
                // The read also ends if some other process holds the pipe.
                pthread_kill(c.fil.load(), SIGALRM);
                c.etat.store((e & ~uint64_t{3}) | TUE_FAIT);
            }
        }
        // Deadlines are met within 2 ms; with nothing to watch, rarely wake.
        std::this_thread::sleep_for(std::chrono::milliseconds(attente ? 2 : 20));
    }
}

void demarrerVeilleur()
{
    static std::once_flag une;
    std::call_once(une, [] { std::thread(veiller).detach(); });
}

void reveiller(int) {}

// One wait with a deadline, from its start to lever().
class Veille {
public:
    Veille(int cible, int tube, double limite)
    {
        demarrerVeilleur();
        for (Creneau &c : creneaux) {
            bool libre = false;
            if (c.pris.compare_exchange_strong(libre, true)) {
                creneau_ = &c;
                break;
            }
        }
        if (creneau_ == nullptr)
            return; // never with two players: the wait then has no limit
        numero_ = ++numeroDeVeille;
        creneau_->pid.store(cible);
        creneau_->fil.store(pthread_self());
        creneau_->tube.store(tube);
        creneau_->limite.store(limite);
        creneau_->etat.store(etatDe(numero_, ATTENTE));
    }
    ~Veille() { lever(); }
    bool echue() const
    {
        return creneau_ != nullptr && creneau_->etat.load() != etatDe(numero_, ATTENTE);
    }
    Veille(const Veille &) = delete;
    Veille &operator=(const Veille &) = delete;

    // Ends the wait; true if the watcher killed the process for being late.
    bool lever()
    {
        if (creneau_ == nullptr)
            return tue_;
        uint64_t attendu = etatDe(numero_, ATTENTE);
        if (!creneau_->etat.compare_exchange_strong(attendu, LIBRE)) {
            // Killed: let the watcher finish its kill before anyone reaps.
            while (creneau_->etat.load() != etatDe(numero_, TUE_FAIT))
                std::this_thread::yield();
            creneau_->etat.store(LIBRE);
            tue_ = true;
        }
        creneau_->pris.store(false);
        creneau_ = nullptr;
        return tue_;
    }

private:
    Creneau *creneau_ = nullptr;
    uint64_t numero_ = 0;
    bool tue_ = false;
};

} // namespace

double maintenant()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

int pidMoteur() { return static_cast<int>(getpid()); }

void resterSurCeProcesseur()
{
    int processeur = sched_getcpu();
    if (processeur < 0 || processeur >= CPU_SETSIZE)
        return;
    cpu_set_t un;
    CPU_ZERO(&un);
    CPU_SET(processeur, &un);
    sched_setaffinity(0, sizeof un, &un);
}

bool sortieEstUnTerminal() { return isatty(STDOUT_FILENO) == 1; }

void ouvrirLesDescripteursStandard()
{
    // open gives the lowest free descriptor: each closed one in turn.
    for (int fd = 0; fd <= 2; fd++)
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0)
            return;
}

void ecouterSIGUSR1()
{
    // SIGALRM wakes the thread blocked in read when the watcher kills a late
    // process: no SA_RESTART, so that read returns.
    struct sigaction reveil = {};
    reveil.sa_handler = reveiller;
    sigemptyset(&reveil.sa_mask);
    sigaction(SIGALRM, &reveil, nullptr);

    struct sigaction action = {};
    action.sa_sigaction = noterSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
    // A player that leaves while we write to it is reported by write.
    signal(SIGPIPE, SIG_IGN);

    struct sigaction fin = {};
    fin.sa_handler = finirAvecLesJoueurs;
    sigemptyset(&fin.sa_mask);
    for (int numero : {SIGINT, SIGTERM, SIGHUP})
        sigaction(numero, &fin, nullptr);

    prctl(PR_SET_CHILD_SUBREAPER, 1);
    struct sigaction enfant = {};
    enfant.sa_handler = noterFinDEnfant;
    sigemptyset(&enfant.sa_mask);
    enfant.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigaction(SIGCHLD, &enfant, nullptr);
}

void ramasserLesOrphelins()
{
    if (enfantTermine.exchange(false))
        finirLesOrphelins();
}

void ecouterSignalDe(int pid) { pidEcoute.store(pid); }

std::optional<double> signalRecu(int pid, double depuis)
{
    double date = dateDernierSignal.load();
    if (pidDernierSignal.load() == pid && date >= depuis)
        return date;
    return std::nullopt;
}

namespace {

// A file that can be executed: a folder has the same permission bit.
bool executable(const std::string &chemin)
{
    struct stat s;
    return access(chemin.c_str(), X_OK) == 0 && stat(chemin.c_str(), &s) == 0 &&
           S_ISREG(s.st_mode);
}

} // namespace

std::optional<std::string> trouverProgramme(const std::string &nom)
{
    if (nom.empty())
        return std::nullopt;
    if (nom.find('/') == std::string::npos) {
        char moi[4096];
        ssize_t n = readlink("/proc/self/exe", moi, sizeof moi - 1);
        if (n > 0) {
            std::string dossier(moi, static_cast<size_t>(n));
            std::string chemin = dossier.substr(0, dossier.rfind('/') + 1) + nom;
            if (executable(chemin))
                return chemin;
        }
    }
    if (executable(nom))
        return nom.find('/') == std::string::npos ? "./" + nom : nom;
    return std::nullopt;
}

Processus::~Processus()
{
    if (lance())
        tuer();
}

Etat Processus::lancer(const Lancement &l)
{
    if (lance())
        tuer();
    fin_.reset();
    int demandes[2], reponses[2];
    if (pipe2(demandes, O_CLOEXEC) != 0)
        return Etat::Erreur;
    if (pipe2(reponses, O_CLOEXEC) != 0) {
        close(demandes[0]);
        close(demandes[1]);
        return Etat::Erreur;
    }
    // Everything the child needs is prepared before fork.
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(l.chemin.c_str()));
    for (const std::string &a : l.arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const char *trace = l.fichierTrace.empty() ? nullptr : l.fichierTrace.c_str();
    pid_t parent = getpid();

    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0)
        devenirJoueur(l.chemin.c_str(), argv.data(), demandes[0], reponses[1], l.terminal, trace,
                      parent);
    close(demandes[0]);
    close(reponses[1]);
    if (pid < 0) {
        close(demandes[1]);
        close(reponses[0]);
        return Etat::Erreur;
    }
    if (!l.terminal)
        setpgid(pid, pid); // also here, so that no kill can come before it
    pid_ = pid;
    cible_ = l.terminal ? pid : -pid;
    retenirCible(cible_);
    versLui_ = demandes[1];
    deLui_ = reponses[0];
    // A process that stops reading must never block the engine.
    fcntl(versLui_, F_SETFL, O_NONBLOCK);
    return Etat::Ok;
}

Etat Processus::envoyer(const void *donnees, size_t taille)
{
    if (versLui_ < 0)
        return Etat::Erreur;
    // Fails on EPIPE (it left) and on EAGAIN (it stopped reading).
    return tubes::ecrireTout(versLui_, donnees, taille) ? Etat::Ok : Etat::Erreur;
}

Etat Processus::recevoir(void *donnees, size_t taille, double delaiSecondes)
{
    if (deLui_ < 0)
        return Etat::Erreur;
    // The wait is a plain blocking read, the cheapest way to be woken by the
    // answer; a late process is killed by the watcher, which ends the read.
    std::optional<Veille> veille;
    if (delaiSecondes >= 0)
        veille.emplace(cible_, deLui_, maintenant() + delaiSecondes);
    auto *p = static_cast<unsigned char *>(donnees);
    while (taille > 0) {
        // Late already: the watcher's wake-up may have come before the read.
        if (veille && veille->echue())
            break;
        ssize_t r = read(deLui_, p, taille);
        if (r < 0 && errno == EINTR && !(veille && veille->echue()))
            continue;
        if (r <= 0)
            break;
        p += r;
        taille -= static_cast<size_t>(r);
    }
    bool fini = taille == 0;
    if (veille && veille->lever())
        return Etat::Delai;
    return fini ? Etat::Ok : Etat::Erreur;
}

bool Processus::vivant()
{
    if (!lance() || fin_)
        return false;
    int etat = 0;
    pid_t r = waitpid(pid_, &etat, WNOHANG);
    if (r == pid_) {
        fin_ = decoder(etat);
        return false;
    }
    return r == 0;
}

void Processus::fermerTubes()
{
    fermer(versLui_);
    fermer(deLui_);
}

std::optional<FinProcessus> Processus::attendre(double delaiSecondes)
{
    double limite = maintenant() + delaiSecondes;
    while (vivant() && maintenant() < limite)
        usleep(1000);
    if (vivant())
        return std::nullopt;
    return fin_;
}

FinProcessus Processus::attendreFin(double delaiSecondes)
{
    attendre(delaiSecondes);
    return tuer();
}

FinProcessus Processus::terminer(double delaiSecondes)
{
    fermerTubes(); // the host reads the end of the pipe and leaves
    return attendreFin(delaiSecondes);
}

FinProcessus Processus::tuer()
{
    fermerTubes();
    // A program's group too, even after the program itself has ended: what
    // it started goes with it.  A reaped process is never signalled.
    if (lance() && (!fin_ || cible_ < 0))
        kill(cible_, SIGKILL);
    // A program may have left the group it was given.
    if (lance() && !fin_)
        kill(pid_, SIGKILL);
    if (lance() && !fin_) {
        int etat = 0;
        while (waitpid(pid_, &etat, 0) < 0 && errno == EINTR) {
        }
        fin_ = decoder(etat);
    }
    if (lance())
        oublierCible(cible_);
    pid_ = -1;
    // What it started and left behind is now ours.
    enfantTermine.store(false);
    finirLesOrphelins();
    return fin_.value_or(FinProcessus{});
}

} // namespace moteur
