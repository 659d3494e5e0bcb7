// A player's process (Linux).
#include "processus/processus.h"

#include "protocole.h"
#include "processus/signaux.h"
#include "processus/systeme.h"
#include "tubes.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

void fermer(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

FinProcessus decoder(int etat)
{
    if (WIFSIGNALED(etat))
        return {true, WTERMSIG(etat)};
    return {false, WIFEXITED(etat) ? WEXITSTATUS(etat) : 0};
}

// Every descriptor from `premier` on.  One call where the kernel has it: a
// thousand closes cost a millisecond, at each launch.
void fermerAPartirDe(int premier)
{
#ifdef SYS_close_range
    if (syscall(SYS_close_range, premier, ~0u, 0) == 0)
        return;
#endif
    for (int fd = premier; fd < 1024; fd++)
        close(fd);
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void devenirJoueur(const char *chemin, char *const *argv, int demandes,
                                int reponses, bool terminal, const char *trace,
                                long tailleTrace, pid_t parent)
{
    // Never outlive the engine, even if it is killed outright.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(127);
    rendreLesSignauxAuJoueur();
    // Ctrl-C at the terminal is the engine's: it ends a person's program
    // itself, once it knows the game under way is to be dropped.
    if (terminal)
        signal(SIGINT, SIG_IGN);
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
        // One chatty program must not fill the disk: its writes past the
        // limit fail (EFBIG) rather than kill it.
        if (trace != nullptr && tailleTrace > 0) {
            rlimit limite = {static_cast<rlim_t>(tailleTrace), static_cast<rlim_t>(tailleTrace)};
            setrlimit(RLIMIT_FSIZE, &limite);
            signal(SIGXFSZ, SIG_IGN);
        }
    }
    // The pipes go to fixed descriptors; nothing else of ours is inherited.
    int d = fcntl(demandes, F_DUPFD, 10);
    int r = fcntl(reponses, F_DUPFD, 10);
    if (d < 0 || r < 0 || dup2(d, protocole::FD_DEMANDES) < 0 ||
        dup2(r, protocole::FD_REPONSES) < 0)
        _exit(127);
    fermerAPartirDe(protocole::FD_REPONSES + 1);
    execv(chemin, argv);
    _exit(127);
}

} // namespace

std::string ligneDeCoupure(long taille)
{
    return "[moteur : trace coupée ici, à " + std::to_string(taille) +
           " octets (--taille-traces)]\n";
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
    fichierTrace_ = l.terminal ? "" : l.fichierTrace;
    tailleTrace_ = l.tailleTrace;
    pid_t parent = getpid();

    std::fflush(nullptr);
    place_ = registre_.lancer(!l.terminal, [&] {
        devenirJoueur(l.chemin.c_str(), argv.data(), demandes[0], reponses[1], l.terminal, trace,
                      l.tailleTrace, parent);
    });
    close(demandes[0]);
    close(reponses[1]);
    if (place_ == nullptr) {
        close(demandes[1]);
        close(reponses[0]);
        return Etat::Erreur;
    }
    pid_ = place_->pid.load();
    cible_ = place_->cible.load();
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
    // A plain blocking read; the watcher interrupts it at the deadline.
    bool surveille = delaiSecondes >= 0;
    if (surveille)
        echeance_.armer(delaiSecondes, deLui_);
    auto *p = static_cast<unsigned char *>(donnees);
    Etat etat = Etat::Ok;
    while (taille > 0) {
        ssize_t r = read(deLui_, p, taille);
        if (r < 0 && errno == EINTR && !(surveille && echeance_.expiree()))
            continue;
        if (r <= 0) {
            etat = Etat::Erreur;
            break;
        }
        p += r;
        taille -= static_cast<size_t>(r);
    }
    if (surveille && echeance_.desarmer())
        return Etat::Delai; // whatever came, came too late
    return etat;
}

std::optional<double> Processus::signalDepuis(double depuis) const
{
    double date = lance() ? place_->signal.load() : -1;
    if (date >= 0 && date >= depuis)
        return date;
    return std::nullopt;
}

bool Processus::vivant()
{
    if (!lance() || fin_)
        return false;
    if (std::optional<int> etat = registre_.recolter(*place_, false)) {
        fin_ = decoder(*etat);
        return false;
    }
    return true;
}

void Processus::fermerTubes()
{
    fermer(versLui_);
    fermer(deLui_);
}

std::optional<FinProcessus> Processus::attendre(double delaiSecondes)
{
    if (vivant()) {
        attendreLaFinDe(pid_, delaiSecondes);
        if (vivant())
            return std::nullopt;
    }
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
    if (lance()) {
        // A program's group too, even after the program itself has ended:
        // what it started goes with it.  A reaped process is never signalled.
        if (!fin_ || cible_ < 0)
            kill(cible_, SIGKILL);
        // A program may have left the group it was given.
        if (!fin_) {
            kill(pid_, SIGKILL);
            fin_ = decoder(registre_.recolter(*place_, true).value_or(0));
        }
        registre_.liberer(*place_);
        place_ = nullptr;
        pid_ = -1;
    }
    // What it started and left behind is now ours.
    registre_.finirLesOrphelins();
    noterLaCoupure();
    return fin_.value_or(FinProcessus{});
}

// Once the program has ended: a trace file that reached its limit says so
// on its last line, once.
void Processus::noterLaCoupure() const
{
    struct stat s;
    if (fichierTrace_.empty() || tailleTrace_ <= 0 || stat(fichierTrace_.c_str(), &s) != 0 ||
        s.st_size < tailleTrace_)
        return;
    std::string ligne = ligneDeCoupure(tailleTrace_);
    std::FILE *f = std::fopen(fichierTrace_.c_str(), "a+e");
    if (f == nullptr)
        return;
    std::string fin(ligne.size() + 1, '\0');
    long taille = static_cast<long>(s.st_size);
    long debut = std::max(0L, taille - static_cast<long>(fin.size()));
    std::fseek(f, debut, SEEK_SET);
    fin.resize(std::fread(fin.data(), 1, fin.size(), f));
    bool notee = fin.size() >= ligne.size() && fin.compare(fin.size() - ligne.size(), ligne.size(), ligne) == 0;
    if (!notee)
        std::fputs(((fin.empty() || fin.back() == '\n' ? "" : "\n") + ligne).c_str(), f);
    std::fclose(f);
}

} // namespace moteur
