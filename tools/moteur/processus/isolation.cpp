// The players' sandbox (Linux).
#include "processus/isolation.h"

#include "processus/demarrage.h"
#include "processus/systeme.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <mutex>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

// Exit status of a box that could not be prepared, as of a program that
// could not be executed: the player "could not start".
constexpr int STATUT_IMPOSSIBLE = 127;
constexpr int MIO = 20; // shift: mebibytes to bytes

// Set once by reglerIsolation (or the first launch), read by the children.
ReglageIsolation reglage;
std::once_flag sondage;
unsigned long espaces = 0;
bool racine = false;
// An ordinary user's identity inside its user namespace: "uid uid 1".
char carteUid[32], carteGid[32];
// The keeper's process id outside its box, for root's user id of its own.
int numeroDuGardien = 0;
// Root's boxes share one network namespace without network: making one per
// box costs more than the rest of the box.  -1: each box makes its own.
int reseauVide = -1;

// Where preparing a box failed: the step, in the user's words, and errno.
struct Refus {
    const char *etape = nullptr;
    int erreur = 0;
};

// In a child: writes all of `texte` to the file, or says why not.
bool ecrireFichier(const char *chemin, const char *texte, Refus &refus)
{
    int fd = open(chemin, O_WRONLY | O_CLOEXEC);
    size_t n = strlen(texte);
    bool ecrit = fd >= 0 && write(fd, texte, n) == static_cast<ssize_t>(n);
    if (!ecrit)
        refus = {"identité de l'utilisateur", errno};
    if (fd >= 0)
        close(fd);
    return ecrit;
}

// In a new box (async-signal-safe): its user identity, then a /proc of its
// own, in mounts that no longer propagate to the system's.
bool preparerLesEspaces(Refus &refus)
{
    if ((espaces & CLONE_NEWUSER) != 0 &&
        (!ecrireFichier("/proc/self/setgroups", "deny", refus) ||
         !ecrireFichier("/proc/self/uid_map", carteUid, refus) ||
         !ecrireFichier("/proc/self/gid_map", carteGid, refus)))
        return false;
    if (reseauVide >= 0 && setns(reseauVide, CLONE_NEWNET) != 0) {
        refus = {"réseau", errno};
        return false;
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("proc", "/proc", "proc", MS_NOSUID | MS_NODEV | MS_NOEXEC, nullptr) != 0) {
        refus = {"montage de /proc", errno};
        return false;
    }
    return true;
}

// A new network namespace, left at once by this thread (the namespace is
// each thread's own): its descriptor, or -1.
int creerUnReseauVide()
{
    int ici = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    if (ici < 0)
        return -1;
    int vide = -1;
    if (unshare(CLONE_NEWNET) == 0) {
        vide = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
        if (setns(ici, CLONE_NEWNET) != 0) {
            close(vide); // cannot happen to root; the engine needs no network anyway
            vide = -1;
        }
    }
    close(ici);
    return vide;
}

pid_t cloner(unsigned long drapeaux)
{
    return static_cast<pid_t>(syscall(SYS_clone, drapeaux | SIGCHLD, 0, 0, 0, 0));
}

// Whether the system lets a box be made and prepared: one box, made and
// left at once.
Refus sonder()
{
    Refus refus;
    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return {"tube", errno};
    pid_t pid = cloner(espaces);
    if (pid == 0) {
        bool pret = preparerLesEspaces(refus);
        if (!pret && write(tube[1], &refus, sizeof refus) < 0)
            _exit(STATUT_IMPOSSIBLE);
        _exit(pret ? 0 : STATUT_IMPOSSIBLE);
    }
    int erreur = errno;
    close(tube[1]);
    if (pid < 0) {
        refus = {"espaces de noms", erreur};
    } else {
        if (read(tube[0], &refus, sizeof refus) != sizeof refus)
            refus = {};
        // Its box is still being taken down, which takes milliseconds: the
        // engine's sweep reaps it later, as any child that is no player.
        int etat;
        waitpid(pid, &etat, WNOHANG);
    }
    close(tube[0]);
    return refus;
}

std::string decider()
{
    racine = geteuid() == 0;
    if (reglage.mode == ModeIsolation::Aucune)
        return {};
    espaces = CLONE_NEWPID | CLONE_NEWNS | (racine ? 0 : CLONE_NEWUSER | CLONE_NEWNET);
    if (racine && (reseauVide = creerUnReseauVide()) < 0)
        espaces |= CLONE_NEWNET;
    std::snprintf(carteUid, sizeof carteUid, "%u %u 1", getuid(), getuid());
    std::snprintf(carteGid, sizeof carteGid, "%u %u 1", getgid(), getgid());
    Refus refus = sonder();
    if (refus.etape == nullptr)
        return {};
    espaces = 0;
    if (reseauVide >= 0)
        close(reseauVide);
    reseauVide = -1;
    std::string raison = std::string(refus.etape) + " : " + std::strerror(refus.erreur);
    if (reglage.mode == ModeIsolation::Auto)
        std::fprintf(stderr,
                     "moteur : attention, ce système refuse d'isoler les joueurs (%s) : ils "
                     "jouent sans bac à sable, avec leurs seules limites\n",
                     raison.c_str());
    return raison;
}

void limiter(int ressource, uint64_t valeur, int decalage)
{
    if (valeur == 0)
        return;
    rlimit l = {};
    getrlimit(ressource, &l);
    rlim_t voulue = static_cast<rlim_t>(valeur) << decalage;
    if (l.rlim_max == RLIM_INFINITY || voulue < l.rlim_max)
        l.rlim_max = voulue;
    l.rlim_cur = l.rlim_max;
    setrlimit(ressource, &l);
}

// Root's program as a user of its own, which the process limit binds and
// which may signal nothing of root's.  It keeps reading and writing files
// as root does: where it is found, its trace, its libraries are root's.
// Raw system calls: the library's would wait for the engine's other
// threads, which this process (a copy of the engine, or its memory borrowed
// until exec) does not have.
void devenirUnUtilisateurAPart()
{
    long uid = static_cast<long>(BASE_UID) + (numeroDuGardien > 0 ? numeroDuGardien : getpid());
    prctl(PR_SET_KEEPCAPS, 1, 0, 0, 0);
    if (syscall(SYS_setgroups, 0, nullptr) != 0 || syscall(SYS_setresgid, uid, uid, uid) != 0 ||
        syscall(SYS_setresuid, uid, uid, uid) != 0)
        return;
    __user_cap_header_struct entete = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct droits[_LINUX_CAPABILITY_U32S_3] = {};
    const int gardes[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
    for (int c : gardes)
        droits[0].effective |= 1u << c;
    droits[0].permitted = droits[0].inheritable = droits[0].effective;
    if (syscall(SYS_capset, &entete, droits) == 0)
        for (int c : gardes)
            prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_RAISE, c, 0, 0);
    // Nor may a set-user-id program give it back what it left.
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
}

// The keeper's children once the program has ended (its orphans come to
// the keeper, the first process of the box): those that run on.
int compterLesRestants()
{
    int etat;
    while (waitpid(-1, &etat, WNOHANG) > 0) {
    }
    int fd = open("/proc/1/task/1/children", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char texte[4096];
    ssize_t lu = read(fd, texte, sizeof texte);
    close(fd);
    int restants = 0;
    for (ssize_t i = 0; i < lu; i++)
        restants += texte[i] == ' ';
    return restants; // "12 15 " : one blank after each
}

// Stops or resumes every process of the box, as the engine's word says:
// one sent from outside the box (its sender's number is 0 in here), never
// one of the program's.
void entendreLeMoteur(const siginfo_t &info)
{
    if (info.si_signo != signalAuGardien() || info.si_code != SI_QUEUE || info.si_pid != 0)
        return;
    kill(-1, info.si_value.sival_int != 0 ? SIGSTOP : SIGCONT); // all but the keeper
}

// Reaps every process of the box until the program ends: its wait status.
// Every signal is blocked: each is taken here, in turn, when it comes.
int attendreLeJoueur(pid_t joueur)
{
    sigset_t attendus;
    sigemptyset(&attendus);
    sigaddset(&attendus, SIGCHLD);
    sigaddset(&attendus, signalAuGardien());
    for (;;) {
        int etat = 0;
        pid_t r;
        while ((r = waitpid(-1, &etat, WNOHANG)) > 0)
            if (r == joueur)
                return etat;
        if (r < 0 && errno != EINTR)
            return 0;
        siginfo_t info;
        if (sigwaitinfo(&attendus, &info) > 0)
            entendreLeMoteur(info);
    }
}

void fermerSauf(int garde)
{
    for (int fd = 0; fd < garde; fd++)
        close(fd);
    fermerAPartirDe(garde + 1);
}

} // namespace

void reglerIsolation(const ReglageIsolation &r) { reglage = r; }

int signalAuGardien() { return SIGRTMIN + 2; }

std::string refusDeLIsolation()
{
    static std::string raison;
    std::call_once(sondage, [] { raison = decider(); });
    return raison;
}

unsigned long espacesDuJoueur()
{
    refusDeLIsolation();
    return espaces;
}

void garderLeBacASable(int rapport, int parent, const std::function<void()> &devenirJoueur)
{
    // From inside its namespace, the kernel gives the first process only the
    // signals it handles; it blocks them all, so that the program can
    // neither end it nor run the engine's handlers it inherited.
    sigset_t tous;
    sigfillset(&tous);
    sigprocmask(SIG_SETMASK, &tous, nullptr);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The system's /proc still, until the box has its own: our number
    // outside, and whether the engine died before the line above.
    int pere = 0;
    if (lireFiliation(0, numeroDuGardien, pere) && parent > 0 && pere != parent)
        _exit(STATUT_IMPOSSIBLE);
    Refus refus;
    if (!preparerLesEspaces(refus))
        _exit(STATUT_IMPOSSIBLE);
    // The program borrows the keeper's memory until its exec, rather than
    // copying it (a copy of the engine's, taken at the keeper's birth).
    pid_t joueur = demarrerSansCopie(devenirJoueur);
    fermerSauf(rapport); // the pipes are the program's alone: their end is its end
    if (joueur < 0)
        _exit(STATUT_IMPOSSIBLE);
    RapportDuGardien r = {attendreLeJoueur(joueur), 0};
    r.restants = compterLesRestants();
    if (write(rapport, &r, sizeof r) < 0)
        _exit(STATUT_IMPOSSIBLE);
    _exit(0); // and the kernel ends what remains of the box
}

void limiterLeJoueur()
{
    if (reglage.mode == ModeIsolation::Aucune)
        return;
#if !defined(__SANITIZE_ADDRESS__)
    limiter(RLIMIT_AS, reglage.memoireMio, MIO);
#endif
    limiter(RLIMIT_FSIZE, reglage.fichiersMio, MIO);
    rlimit aucun = {0, 0};
    setrlimit(RLIMIT_CORE, &aucun); // a crash leaves no copy of its memory behind
    // The process limit counts per user: an ordinary user's own processes
    // outside the box would count too, without a user namespace.
    if (racine || (espaces & CLONE_NEWUSER) != 0)
        limiter(RLIMIT_NPROC, reglage.processus, 0);
    if (racine)
        devenirUnUtilisateurAPart();
}

} // namespace moteur
