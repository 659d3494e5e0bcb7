// One-turn mode: how users try a player on a position, and how the tests
// drive every player as a real program.
#include "modes.h"
#include "notation.h"
#include "tour.h"

#include "joueur.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>

namespace hote {
namespace {

volatile sig_atomic_t signauxRecus = 0;

void compterSignal(int) { signauxRecus = signauxRecus + 1; }

void ecouterSIGUSR1()
{
    struct sigaction action = {};
    action.sa_handler = compterSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
}

std::optional<unsigned> lireGraine(const char *texte)
{
    if (texte[0] < '0' || texte[0] > '9')
        return std::nullopt;
    char *fin = nullptr;
    errno = 0;
    unsigned long n = std::strtoul(texte, &fin, 10);
    if (errno != 0 || *fin != '\0' || n > 0xFFFFFFFFul)
        return std::nullopt;
    return static_cast<unsigned>(n);
}

struct Options {
    const char *notation = nullptr;
    std::optional<unsigned> graine;
};

// Returns nullopt when the command line cannot be understood.
std::optional<Options> lireOptions(int argc, char **argv)
{
    Options o;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc)
            return std::nullopt;
        if (std::strcmp(argv[i], "--position") == 0 && o.notation == nullptr) {
            o.notation = argv[i + 1];
        } else if (std::strcmp(argv[i], "--graine") == 0 && !o.graine) {
            o.graine = lireGraine(argv[i + 1]);
            if (!o.graine)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (o.notation == nullptr)
        return std::nullopt;
    return o;
}

} // namespace

int modeTourUnique(const char *programme, int argc, char **argv)
{
    std::optional<Options> options = lireOptions(argc, argv);
    if (!options) {
        afficherUsage(programme, true);
        return STATUT_USAGE;
    }
    LectureNotation lecture = lireNotation(options->notation);
    if (!lecture.position) {
        std::fprintf(stderr, "%s: %s\n", programme, lecture.erreur.c_str());
        return EXIT_FAILURE;
    }

    pidMoteur = static_cast<int32_t>(getpid());
    ecouterSIGUSR1();
    if (options->graine)
        std::srand(*options->graine);

    std::vector<int> indices = jouerTour(*lecture.position);
    std::fflush(stdout);

    std::string ligne = "indices:";
    for (int i : indices)
        ligne += " " + std::to_string(i);
    std::fprintf(stderr, "%s\n", ligne.c_str());
    for (int k = 0; k < signauxRecus; k++)
        std::fputs("signal: SIGUSR1\n", stderr);
    return EXIT_SUCCESS;
}

} // namespace hote
