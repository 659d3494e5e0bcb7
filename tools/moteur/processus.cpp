// Processes, pipes and signals for the engine (Linux).
#include "processus.h"

#include "protocole.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
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

std::atomic<int> pidDernierSignal{0};
std::atomic<double> dateDernierSignal{0.0};
static_assert(std::atomic<double>::is_always_lock_free);

void noterSignal(int, siginfo_t *info, void *)
{
    int ancienErrno = errno;
    dateDernierSignal.store(maintenant());
    pidDernierSignal.store(info != nullptr ? info->si_pid : 0);
    errno = ancienErrno;
}

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

void ecouterSIGUSR1()
{
    struct sigaction action = {};
    action.sa_sigaction = noterSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
    // A player that leaves while we write to it is reported by write.
    signal(SIGPIPE, SIG_IGN);
}

std::optional<double> signalRecu(int pid, double depuis)
{
    double date = dateDernierSignal.load();
    if (pidDernierSignal.load() == pid && date >= depuis)
        return date;
    return std::nullopt;
}

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
            if (access(chemin.c_str(), X_OK) == 0)
                return chemin;
        }
    }
    if (access(nom.c_str(), X_OK) == 0)
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
    pid_ = pid;
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
    const auto *p = static_cast<const unsigned char *>(donnees);
    while (taille > 0) {
        ssize_t r = write(versLui_, p, taille);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return Etat::Erreur; // EPIPE: it left; EAGAIN: it stopped reading
        p += r;
        taille -= static_cast<size_t>(r);
    }
    return Etat::Ok;
}

Etat Processus::recevoir(void *donnees, size_t taille, double delaiSecondes)
{
    if (deLui_ < 0)
        return Etat::Erreur;
    double limite = maintenant() + delaiSecondes;
    auto *p = static_cast<unsigned char *>(donnees);
    while (taille > 0) {
        int attente = -1;
        if (delaiSecondes >= 0) {
            double reste = limite - maintenant();
            if (reste <= 0)
                return Etat::Delai;
            attente = static_cast<int>(reste * 1000.0) + 1;
        }
        pollfd f = {deLui_, POLLIN, 0};
        int n = poll(&f, 1, attente);
        if (n < 0 && errno == EINTR)
            continue; // a SIGUSR1: keep waiting for the rest of the delay
        if (n < 0)
            return Etat::Erreur;
        if (n == 0)
            continue; // the loop checks the delay
        ssize_t r = read(deLui_, p, taille);
        if (r < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (r <= 0)
            return Etat::Erreur;
        p += r;
        taille -= static_cast<size_t>(r);
    }
    return Etat::Ok;
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
    if (lance() && !fin_) {
        kill(pid_, SIGKILL);
        int etat = 0;
        while (waitpid(pid_, &etat, 0) < 0 && errno == EINTR) {
        }
        fin_ = decoder(etat);
    }
    pid_ = -1;
    return fin_.value_or(FinProcessus{});
}

} // namespace moteur
