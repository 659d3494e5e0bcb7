// A player's process (Linux).
#include "processus/processus.h"

#include "processus/isolation.h"
#include "processus/signaux.h"
#include "processus/systeme.h"
#include "protocole.h"
#include "tubes.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
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

// What the child needs, prepared before it is started.
struct Preparation {
    const char *chemin;
    char *const *argv;
    int demandes, reponses; // the pipes' ends that are the player's
    int nul, sortie;        // its standard input, and its output (a program)
    bool terminal;
    bool texte; // the pipes on its standard input and output
    int parent; // its parent's number, as it will see it
    long tailleTrace; // bytes at most in its trace (0: no limit)
};

// One chatty program must not fill the disk: no file it writes grows past
// its trace's limit, and its writes past it fail (EFBIG) rather than kill it.
void plafonnerLesFichiers(long taille)
{
    rlimit limite;
    if (taille <= 0 || getrlimit(RLIMIT_FSIZE, &limite) != 0)
        return;
    rlim_t plafond = static_cast<rlim_t>(taille);
    if (limite.rlim_cur == RLIM_INFINITY || limite.rlim_cur > plafond) {
        limite = {plafond, plafond};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    signal(SIGXFSZ, SIG_IGN);
}

// In the child, between its start and exec: only async-signal-safe calls,
// in memory that may be the engine's (demarrage.h).
[[noreturn]] void devenirJoueur(const Preparation &p)
{
    // Never outlive the engine (or the box's keeper), even if it is killed
    // outright.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != p.parent)
        _exit(127);
    rendreLesSignauxAuJoueur();
    // Ctrl-C at the terminal is the engine's: it ends a person's program
    // itself, once it knows the game under way is to be dropped.
    if (p.terminal)
        signal(SIGINT, SIG_IGN);
    if (!p.terminal) {
        // A program gets a process group of its own, so that ending it also
        // ends whatever it started.  A person's program stays in ours: it
        // reads the terminal, which only the foreground group may do.
        setpgid(0, 0);
        dup2(p.nul, 0);
        dup2(p.sortie, 1);
        dup2(p.sortie, 2);
    }
    // The pipes go to fixed descriptors; nothing else of ours is inherited.
    int d = fcntl(p.demandes, F_DUPFD, 10);
    int r = fcntl(p.reponses, F_DUPFD, 10);
    if (d < 0 || r < 0 || dup2(d, p.texte ? 0 : protocole::FD_DEMANDES) < 0 ||
        dup2(r, p.texte ? 1 : protocole::FD_REPONSES) < 0)
        _exit(127);
    fermerAPartirDe(p.texte ? 3 : protocole::FD_REPONSES + 1);
    limiterLeJoueur();
    plafonnerLesFichiers(p.tailleTrace);
    execv(p.chemin, p.argv);
    _exit(127);
}

// The descriptors of a launch that are the child's, closed in the engine
// once it has started.
struct DescripteursDuFils {
    std::vector<int> fds;
    ~DescripteursDuFils()
    {
        for (int &fd : fds)
            fermer(fd);
    }
    int garder(int fd)
    {
        fds.push_back(fd);
        return fd;
    }
};

// A program's standard input (/dev/null) and output (its trace, or
// /dev/null), opened here, where the names mean what they mean to the
// engine; a person's program keeps ours.  Why one cannot be opened, or
// nothing.
std::string ouvrirLesSorties(const Lancement &l, Preparation &p, DescripteursDuFils &fils)
{
    if (l.terminal)
        return "";
    p.nul = fils.garder(open("/dev/null", O_RDWR | O_CLOEXEC));
    if (p.nul < 0)
        return std::string("impossible d'ouvrir /dev/null : ") + std::strerror(errno);
    if (l.fichierTrace.empty()) {
        p.sortie = p.nul;
        return "";
    }
    p.sortie = fils.garder(
        open(l.fichierTrace.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (p.sortie < 0)
        return "impossible d'ouvrir son fichier de trace « " + l.fichierTrace +
               " » : " + std::strerror(errno);
    return "";
}

// The child's argv, pointing into `l`: its program, then its arguments.
std::vector<char *> ligneDuFils(const Lancement &l)
{
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(l.chemin.c_str()));
    for (const std::string &a : l.arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace

Processus::~Processus()
{
    if (lance())
        tuer();
}

Etat Processus::lancer(const Lancement &l)
{
    suspendu_ = false;
    if (lance())
        tuer();
    fin_.reset();
    cause_.clear();
    unsigned long espaces = espacesDuJoueur();
    DescripteursDuFils fils;
    int demandes[2], reponses[2], rapport[2] = {-1, -1};
    if (pipe2(demandes, O_CLOEXEC) != 0)
        return Etat::Erreur;
    fils.garder(demandes[0]);
    versLui_ = demandes[1];
    auto echec = [this] {
        fermerTubes();
        fermer(rapport_);
        return Etat::Erreur;
    };
    if (pipe2(reponses, O_CLOEXEC) != 0)
        return echec();
    fils.garder(reponses[1]);
    deLui_ = reponses[0];
    if (espaces != 0 && pipe2(rapport, O_CLOEXEC | O_NONBLOCK) != 0)
        return echec();
    rapport_ = rapport[0];
    fils.garder(rapport[1]);
    // Everything the child needs is prepared before it starts.
    std::vector<char *> argv = ligneDuFils(l);
    Preparation p = {l.chemin.c_str(), argv.data(), demandes[0], reponses[1], -1, -1,
                     l.terminal, l.texte, espaces != 0 ? 1 : static_cast<int>(getpid()),
                     l.terminal || l.fichierTrace.empty() ? 0 : l.tailleTrace};
    fichierTrace_ = l.terminal ? "" : l.fichierTrace;
    tailleTrace_ = l.tailleTrace;
    cause_ = ouvrirLesSorties(l, p, fils);
    if (!cause_.empty())
        return echec();
    int moi = 0, pere = 0;
    if (espaces != 0 && !lireFiliation(0, moi, pere))
        moi = 0;

    std::fflush(nullptr);
    place_ = registre_.lancer(!l.terminal, espaces, [&] {
        if (espaces == 0)
            devenirJoueur(p);
        garderLeBacASable(rapport[1], moi, [&] { devenirJoueur(p); });
    });
    if (place_ == nullptr)
        return echec();
    pid_ = place_->pid.load();
    cible_ = place_->cible.load();
    // Outside the sandbox, what the program started may keep its pipes
    // open after it has ended: its end is watched besides them.
    if (espaces == 0)
        finFd_ = descripteurDeProcessus(pid_);
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

ssize_t Processus::lire(void *donnees, size_t taille)
{
    if (finFd_ >= 0) {
        pollfd p[2] = {{deLui_, POLLIN, 0}, {finFd_, POLLIN, 0}};
        if (poll(p, 2, -1) < 0)
            return -1; // interrupted, as read would be
        if (p[0].revents == 0)
            return 0; // it has ended with nothing more to say: the end of its pipe
    }
    return read(deLui_, donnees, taille);
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
        ssize_t r = lire(p, taille);
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

Etat Processus::recevoirUnPeu(void *donnees, size_t taille, size_t &lus, double delaiSecondes)
{
    lus = 0;
    if (deLui_ < 0)
        return Etat::Erreur;
    bool surveille = delaiSecondes >= 0;
    if (surveille)
        echeance_.armer(delaiSecondes, deLui_);
    ssize_t r;
    do
        r = lire(donnees, taille);
    while (r < 0 && errno == EINTR && !(surveille && echeance_.expiree()));
    if (surveille && echeance_.desarmer())
        return Etat::Delai;
    lus = r > 0 ? static_cast<size_t>(r) : 0;
    return r > 0 ? Etat::Ok : Etat::Erreur;
}

bool Processus::reponseEnAttente() const
{
    pollfd p = {deLui_, POLLIN, 0};
    return deLui_ >= 0 && poll(&p, 1, 0) == 1 && (p.revents & POLLIN) != 0;
}

bool Processus::vivant()
{
    if (!lance() || fin_)
        return false;
    if (lireLeRapport())
        return false;
    if (std::optional<int> etat = registre_.recolter(*place_, false)) {
        if (!lireLeRapport()) // written before the keeper ended, or never
            fin_ = decoder(*etat);
        return false;
    }
    return true;
}

bool Processus::lireLeRapport()
{
    RapportDuGardien r = {};
    if (rapport_ < 0 || read(rapport_, &r, sizeof r) != static_cast<ssize_t>(sizeof r))
        return false;
    fin_ = decoder(r.etat);
    fin_->restants = r.restants;
    rapportRecu_ = true;
    return true;
}

void Processus::fermerTubes()
{
    fermer(versLui_);
    fermer(deLui_);
}

std::optional<FinProcessus> Processus::attendre(double delaiSecondes)
{
    if (suspendu_)
        suspendre(false); // a stopped process cannot leave
    if (vivant()) {
        // In the sandbox, the program's end is the keeper's report: the
        // keeper then takes its box down, which the engine need not wait
        // for.  A keeper killed before writing it closes the pipe.
        double limite = maintenant() + delaiSecondes;
        if (rapport_ >= 0)
            attendreDeQuoiLire(rapport_, delaiSecondes);
        if (vivant())
            attendreLaFinDe(pid_, std::max(0.0, limite - maintenant()));
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
            int etat = registre_.recolter(*place_, true).value_or(0);
            if (!lireLeRapport())
                fin_ = decoder(etat);
        }
        if (rapportRecu_ && !place_->recoltee.load())
            registre_.laisserFinir(*place_); // the keeper, taking its box down
        else
            registre_.liberer(*place_);
        place_ = nullptr;
        pid_ = -1;
        rapportRecu_ = false;
        fermer(rapport_);
        fermer(finFd_);
    }
    // What it started and left behind is now ours.
    registre_.finirLesOrphelins();
    noterLaCoupure();
    return fin_.value_or(FinProcessus{});
}

void Processus::suspendre(bool oui)
{
    if (place_ == nullptr || fin_ || oui == suspendu_)
        return;
    suspendu_ = oui;
    if (rapport_ >= 0) // its keeper stops or resumes the whole box
        sigqueue(pid_, signalAuGardien(), sigval{oui ? 1 : 0});
    else
        kill(cible_, oui ? SIGSTOP : SIGCONT);
}

} // namespace moteur
