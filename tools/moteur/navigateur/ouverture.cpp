#include "navigateur/ouverture.h"

#include "processus/signaux.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

bool affichagePresent()
{
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char *v = std::getenv(variable); v != nullptr && *v != '\0')
            return true;
    return false;
}

} // namespace

bool ouvrirDansLeNavigateur(const std::string &adresse)
{
    if (!affichagePresent())
        return false;
    // The engine is the subreaper of what it starts, and ends every child
    // that is no player: xdg-open is started by a child that leaves at
    // once, while the engine is no subreaper, so that it goes to init.
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    pid_t intermediaire = fork();
    if (intermediaire == 0) {
        if (fork() == 0) {
            int nul = open("/dev/null", O_RDWR);
            dup2(nul, STDIN_FILENO);
            dup2(nul, STDOUT_FILENO);
            dup2(nul, STDERR_FILENO);
            setsid();
            rendreLesSignauxAuJoueur();
            execlp("xdg-open", "xdg-open", adresse.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        _exit(0);
    }
    int etat = 0;
    if (intermediaire > 0)
        waitpid(intermediaire, &etat, 0);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    return intermediaire > 0;
}

} // namespace moteur
