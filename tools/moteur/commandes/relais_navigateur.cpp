// `moteur navigateur` in `moteur`: the engine becomes `moteur-navigateur`,
// built beside it, which is the same engine with the HTTP server.  The
// server's library and what it brings (TLS, compression) are loaded only
// there: loaded at every start of `moteur`, they cost a short match a few
// milliseconds.
#include "commandes/commun.h"

#include "processus/signaux.h"
#include "processus/systeme.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace moteur {
namespace {

// Our own command line, word for word.
std::vector<std::string> notreLigneDeCommande()
{
    std::ifstream f("/proc/self/cmdline", std::ios::binary);
    std::string tout((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<std::string> mots;
    for (size_t debut = 0; debut < tout.size();) {
        size_t fin = tout.find('\0', debut);
        fin = fin == std::string::npos ? tout.size() : fin;
        mots.push_back(tout.substr(debut, fin - debut));
        debut = fin + 1;
    }
    return mots;
}

} // namespace

int commandeNavigateur(const Options &, Registre &)
{
    std::string programme = dossierDuMoteur() + "/moteur-navigateur";
    if (access(programme.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "moteur : le jeu dans le navigateur n'est pas dans cette construction "
                             "du kit (il lui faut le paquet libcpp-httplib-dev)\n");
        return ECHEC;
    }
    std::vector<std::string> mots = notreLigneDeCommande();
    std::vector<char *> argv;
    for (std::string &m : mots)
        argv.push_back(m.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    // The signals as the new program expects them: the stop signals are
    // blocked here, for the thread that waits for them.
    rendreLesSignauxAuJoueur();
    execv(programme.c_str(), argv.data());
    std::fprintf(stderr, "moteur : impossible de lancer « %s » : %s\n", programme.c_str(),
                 std::strerror(errno));
    return ECHEC;
}

} // namespace moteur
