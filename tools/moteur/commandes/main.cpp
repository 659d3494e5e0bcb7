// moteur: plays Tessor between two player programs, replays, checks and
// pages records, runs tournaments.  One table of subcommands.
#include "commandes/commun.h"
#include "processus/isolation.h"
#include "processus/signaux.h"
#include "processus/systeme.h"

#include <cstdio>
#include <exception>
#include <new>
#include <system_error>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {
namespace {

struct SousCommande {
    Commande commande;
    int (*executer)(const Options &, Registre &);
};

constexpr SousCommande SOUS_COMMANDES[] = {
    {Commande::Match, commandeMatch},     {Commande::Rejouer, commandeRejouer},
    {Commande::Verifier, commandeVerifier}, {Commande::Page, commandePage},
    {Commande::Tournoi, commandeTournoi}, {Commande::Classement, commandeClassement},
    {Commande::Navigateur, commandeNavigateur},
    {Commande::Livre, commandeLivre}, {Commande::Joueurs, commandeJoueurs},
};

// The players' sandbox, settled before any of them starts: a system that
// refuses it fails the run only when the user insists on it (otherwise the
// first player started asks).
bool isolationRefusee(const ReglageIsolation &reglage)
{
    reglerIsolation(reglage);
    if (reglage.mode != ModeIsolation::Exigee)
        return false;
    std::string refus = refusDeLIsolation();
    if (refus.empty())
        return false;
    std::fprintf(stderr, "moteur : --isolation exigee : ce système refuse d'isoler les joueurs (%s)\n",
                 refus.c_str());
    return true;
}

int executer(const Options &o, Registre &registre)
{
    if (o.aide) {
        std::fputs(texteAide(o.commande).c_str(), stdout);
        return SUCCES;
    }
    if (isolationRefusee(o.isolation))
        return ECHEC;
    for (const SousCommande &s : SOUS_COMMANDES)
        if (s.commande == o.commande)
            return s.executer(o, registre);
    return USAGE;
}

// Standard output is a pipe that nobody reads any more (`moteur ... | head`):
// not a failure, the reader had what it wanted.
bool sortieSansLecteur()
{
    struct stat s;
    pollfd p = {STDOUT_FILENO, POLLOUT, 0};
    return fstat(STDOUT_FILENO, &s) == 0 && S_ISFIFO(s.st_mode) && poll(&p, 1, 0) == 1 &&
           (p.revents & POLLERR) != 0;
}

// An exception no one catches (in a worker thread, or before main's own
// catch) ends the engine with a message and status 1, never a core dump:
// most often the memory is exhausted.
[[noreturn]] void terminerProprement()
{
    try {
        if (std::exception_ptr e = std::current_exception())
            std::rethrow_exception(e);
        std::fputs("moteur : arrêt sur une erreur interne\n", stderr);
    } catch (const std::bad_alloc &) {
        std::fputs("moteur : mémoire épuisée\n", stderr);
    } catch (const std::system_error &e) {
        std::fprintf(stderr, "moteur : le système refuse une ressource (%s)\n", e.what());
    } catch (...) {
        std::fputs("moteur : arrêt sur une erreur interne\n", stderr);
    }
    std::fflush(stdout);
    _exit(ECHEC);
}

} // namespace
} // namespace moteur

int main(int argc, char **argv)
{
    using namespace moteur;
    ouvrirLesDescripteursStandard();
    std::set_terminate(terminerProprement);
    // Before any player or thread exists: a SIGUSR1 must never end the
    // engine.  The registry lives as long as the process: the stop thread
    // and the signal handlers may reach it up to the last instruction.
    Registre &registre = *new Registre;
    installerLesSignaux(registre);
    LectureOptions l = lireOptions({argv + 1, argv + argc});
    if (!l.erreur.empty())
        return refuser(l.options.commande, l.erreur);
    int statut = ECHEC;
    try {
        statut = executer(l.options, registre);
        registre.attendreLesFinissants(); // the players' boxes, still being taken down
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "moteur : mémoire épuisée\n");
    } catch (const std::system_error &e) {
        std::fprintf(stderr, "moteur : le système refuse une ressource (%s)\n", e.what());
    }
    // Results that never reached the screen or the file they were sent to
    // (a full disk, a closed pipe) are a failure, not a success.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout) != 0) && statut == SUCCES &&
        !sortieSansLecteur()) {
        std::fprintf(stderr, "moteur : l'écriture sur la sortie standard a échoué\n");
        statut = ECHEC;
    }
    return statut;
}
