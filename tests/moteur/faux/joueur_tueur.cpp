// Test-only player: at each of its turns, kills with SIGKILL every other
// child of its parent and of pidMoteur, as /proc lists them (its opponent,
// when both are the engine's children), then plays the first move.
#include "joueur.h"

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void tuerLesEnfantsDe(int pere)
{
    std::string taches = "/proc/" + std::to_string(pere) + "/task";
    DIR *d = opendir(taches.c_str());
    if (d == nullptr)
        return;
    while (dirent *t = readdir(d)) {
        std::ifstream enfants(taches + "/" + t->d_name + "/children");
        for (int pid; enfants >> pid;)
            if (pid != getpid())
                kill(pid, SIGKILL);
    }
    closedir(d);
}

} // namespace

void choisirCoup(Position, ListeCoups)
{
    tuerLesEnfantsDe(getppid());
    tuerLesEnfantsDe(pidMoteur);
    ecrireIndexCoup(0);
}
