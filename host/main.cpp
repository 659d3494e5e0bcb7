// The entry point of every player program: the player defines choisirCoup,
// the host decides how it is run.
#include "dialogue.h"
#include "modes.h"
#include "protocole.h"

#include <cstdio>
#include <cstring>

namespace hote {

void afficherUsage(const char *programme, bool erreur)
{
    std::FILE *sortie = erreur ? stderr : stdout;
    std::fprintf(sortie,
                 "usage : %s --position NOTATION [--graine N]\n"
                 "        %s --texte\n"
                 "\n"
                 "Joue un tour sur la position NOTATION, puis écrit sur la sortie d'erreur\n"
                 "les indices remis (« indices: ... ») et les signaux SIGUSR1 reçus.\n"
                 "  --position NOTATION  « <ligne0>/.../<ligne8> <trait> », par exemple la\n"
                 "                       position initiale :\n"
                 "    \"1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/"
                 "1j1r1j1r1j1r1j1r/1r1j1r1j1r1j/1j1r1j1r/1j1r j\"\n"
                 "  --graine N           appelle srand(N) avant le tour\n"
                 "  --texte              joue les tours que demande le protocole texte sur\n"
                 "                       l'entrée et la sortie standard (voir le README)\n"
                 "  -h, --help           affiche cette aide\n",
                 programme, programme);
}

} // namespace hote

// Exported: libjoueur is built with hidden visibility, and main is its entry point.
__attribute__((visibility("default"))) int main(int argc, char **argv)
{
    const char *slash = std::strrchr(argv[0], '/');
    const char *programme = slash != nullptr ? slash + 1 : argv[0];
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        hote::afficherUsage(programme, false);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], protocole::OPTION) == 0)
        return hote::modeMoteur(programme, argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], dialogue::OPTION) == 0)
        return hote::modeTexte(programme, argc, argv);
    return hote::modeTourUnique(programme, argc, argv);
}
