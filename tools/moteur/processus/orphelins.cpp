// The registry of the players' processes, and the orphans they leave (Linux).
#include "processus/orphelins.h"

#include "processus/demarrage.h"
#include "processus/systeme.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace moteur {
namespace {

void recolterSansFin(int pid, int &etat)
{
    while (waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
}

// A player killed by the stop path ends at once, unless the system holds it
// in a call that cannot be interrupted: it is not waited for longer.
constexpr double DELAI_FIN_TUE = 0.2;
// Each sweep ends the orphans of the round before; a few rounds reach any
// depth a program is likely to build.
constexpr int TOURS_DE_RAMASSAGE = 16;

} // namespace

std::vector<int> lireEnfants()
{
    std::vector<int> pids;
    DIR *taches = opendir("/proc/self/task");
    if (taches == nullptr)
        return pids;
    while (dirent *t = readdir(taches)) {
        if (t->d_name[0] == '.')
            continue;
        std::ifstream f(std::string("/proc/self/task/") + t->d_name + "/children");
        for (int pid; f >> pid;)
            pids.push_back(pid);
    }
    closedir(taches);
    return pids;
}

Registre::Registre() { prctl(PR_SET_CHILD_SUBREAPER, 1); }

Registre::~Registre()
{
    for (Place *p = premiere_.load(); p != nullptr;) {
        Place *suivante = p->suivante.load();
        delete p;
        p = suivante;
    }
}

Place *Registre::lancer(bool groupe, unsigned long espaces, const std::function<void()> &enfant)
{
    std::lock_guard<std::mutex> verrou(verrou_);
    if (arrete_)
        return nullptr;
    // A program is started in our memory until its exec.  A box's keeper
    // runs on as long as its program, so it needs memory of its own: it is
    // cloned as fork does, without the library's preparations for a copy
    // that would go on as the engine, which this one does not.
    pid_t pid = espaces == 0 ? demarrerSansCopie(enfant)
                             : static_cast<pid_t>(syscall(SYS_clone, espaces | SIGCHLD, 0, 0, 0, 0));
    if (pid == 0) {
        enfant();
        _exit(127);
    }
    if (pid < 0)
        return nullptr;
    noterEnfant(pid);
    if (groupe)
        setpgid(pid, pid); // also here, so that no kill can come before it
    Place *place = premiere_.load();
    while (place != nullptr && place->pid.load() != 0)
        place = place->suivante.load();
    if (place == nullptr) {
        // Published whole, for whoever walks the list.
        place = new Place;
        place->suivante.store(premiere_.load());
        premiere_.store(place);
    }
    place->cible.store(groupe ? -pid : pid);
    place->recoltee.store(false);
    place->pid.store(pid); // last: what the other threads look for
    return place;
}

std::optional<int> Registre::recolter(Place &place, bool bloquer)
{
    std::lock_guard<std::mutex> verrou(verrou_);
    int pid = place.pid.load(), etat = 0;
    pid_t r;
    do
        r = waitpid(pid, &etat, bloquer ? 0 : WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == 0)
        return std::nullopt;
    // An error: someone else reaped it, it has ended all the same.
    place.recoltee.store(true);
    return r == pid ? etat : 0;
}

void Registre::liberer(Place &place)
{
    std::lock_guard<std::mutex> verrou(verrou_);
    place.pid.store(0);
}

void Registre::laisserFinir(Place &place)
{
    std::lock_guard<std::mutex> verrou(verrou_);
    finissants_.push_back(place.pid.load());
    place.pid.store(0);
}

void Registre::recolterLesFinissants(bool attendre)
{
    std::erase_if(finissants_, [attendre](int pid) {
        int etat;
        pid_t r;
        do
            r = waitpid(pid, &etat, attendre ? 0 : WNOHANG);
        while (r < 0 && errno == EINTR);
        return r != 0; // an error: reaped by someone else
    });
}

void Registre::attendreLesFinissants()
{
    std::lock_guard<std::mutex> verrou(verrou_);
    recolterLesFinissants(true);
}

bool Registre::estUnJoueur(int pid) const
{
    for (Place *p = premiere_.load(); p != nullptr; p = p->suivante.load())
        if (p->pid.load() == pid && !p->recoltee.load())
            return true;
    return false;
}

void Registre::finirLesOrphelinsSousVerrou()
{
    enfantTermine_.store(false);
    recolterLesFinissants(false);
    for (int tour = 0; tour < TOURS_DE_RAMASSAGE; tour++) {
        bool orphelin = false;
        for (int pid : lireEnfants()) {
            if (estUnJoueur(pid) ||
                std::find(finissants_.begin(), finissants_.end(), pid) != finissants_.end())
                continue;
            orphelin = true;
            noterEnfant(pid);
            kill(-pid, SIGKILL); // the group it leads, if it made one
            kill(pid, SIGKILL);
            int etat;
            recolterSansFin(pid, etat);
        }
        if (!orphelin)
            return;
    }
}

void Registre::finirLesOrphelins()
{
    std::lock_guard<std::mutex> verrou(verrou_);
    finirLesOrphelinsSousVerrou();
}

void Registre::ramasserLesOrphelins()
{
    if (enfantTermine_.load())
        finirLesOrphelins();
}

void Registre::noterEnfant(int pid)
{
    recents_[prochainRecent_.fetch_add(1) % recents_.size()].store(pid);
}

bool Registre::enfantRecent(int pid) const
{
    for (const std::atomic<int> &r : recents_)
        if (r.load() == pid)
            return true;
    return false;
}

void Registre::tuerLesJoueurs()
{
    // A program's group and the program itself, which may have left that
    // group; a person's process.  A reaped number is never signalled.
    for (Place *p = premiere_.load(); p != nullptr; p = p->suivante.load()) {
        if (p->pid.load() == 0)
            continue;
        if (p->cible.load() < 0)
            kill(p->cible.load(), SIGKILL);
        if (!p->recoltee.load())
            kill(p->pid.load(), SIGKILL);
    }
}

void Registre::arreter()
{
    std::lock_guard<std::mutex> verrou(verrou_);
    arrete_ = true;
    tuerLesJoueurs();
}

void Registre::toutFinir()
{
    verrou_.lock(); // for good: the engine ends with this
    tuerLesJoueurs();
    // Ended, a player has handed its own children over to us.
    for (Place *p = premiere_.load(); p != nullptr; p = p->suivante.load())
        if (p->pid.load() != 0 && !p->recoltee.load())
            attendreLaFinDe(p->pid.load(), DELAI_FIN_TUE);
    finirLesOrphelinsSousVerrou();
}

} // namespace moteur
