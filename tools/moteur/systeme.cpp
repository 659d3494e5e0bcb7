// System helpers of the engine (Linux).
#include "systeme.h"

#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

// A file that can be executed: a folder has the same permission bit.
bool executable(const std::string &chemin)
{
    struct stat s;
    return access(chemin.c_str(), X_OK) == 0 && stat(chemin.c_str(), &s) == 0 &&
           S_ISREG(s.st_mode);
}

// A descriptor that becomes readable when the process ends; -1 on a kernel
// without them.
int descripteurDeProcessus(int pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

} // namespace

double maintenant()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

int pidMoteur() { return static_cast<int>(getpid()); }

bool sortieEstUnTerminal() { return isatty(STDOUT_FILENO) == 1; }

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

void ouvrirLesDescripteursStandard()
{
    // open gives the lowest free descriptor: each closed one in turn.
    for (int fd = 0; fd <= 2; fd++)
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0)
            return;
}

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

bool attendreLaFinDe(int pid, double delaiSecondes)
{
    int fd = descripteurDeProcessus(pid);
    double limite = maintenant() + delaiSecondes;
    bool fini = false;
    for (;;) {
        siginfo_t info = {};
        // An error: not (or no longer) our child, nothing to wait for.
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            info.si_pid == pid) {
            fini = true;
            break;
        }
        double reste = limite - maintenant();
        if (reste <= 0)
            break;
        // Without a process descriptor, look again in a millisecond.
        pollfd p = {fd, POLLIN, 0};
        poll(&p, fd >= 0 ? 1 : 0, fd >= 0 ? static_cast<int>(std::ceil(reste * 1000)) : 1);
    }
    if (fd >= 0)
        close(fd);
    return fini;
}

} // namespace moteur
