// Text mode: `PLAYER --texte` speaks the text protocol (dialogue.h) on its
// standard input and output, so that any tool, in any language, can play
// the kit's programs.
//
// The protocol keeps the two descriptors it came on; the player's own
// standard output then goes to standard error (its trace must not mix with
// the protocol's lines), and its standard input is the person's terminal
// for a program through which a person plays, nothing for the others.
#include "dialogue.h"
#include "modes.h"
#include "notation.h"
#include "texte.h"
#include "tour.h"
#include "tubes.h"

#include "joueur.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace hote {
namespace {

struct Session {
    int entree = -1;
    int sortie = -1;
    std::string tampon; // read from `entree`, not yet a whole line
    bool personne = false;
};

// The next whole line, without its newline; false at the end of the input
// (or a last line cut short) or past LONGUEUR_MAX.
bool lireLigne(Session &s, std::string &ligne)
{
    for (;;) {
        size_t fin = s.tampon.find('\n');
        if (fin != std::string::npos) {
            ligne = s.tampon.substr(0, fin);
            s.tampon.erase(0, fin + 1);
            return true;
        }
        if (s.tampon.size() > dialogue::LONGUEUR_MAX)
            return false;
        char morceau[4096];
        ssize_t n = read(s.entree, morceau, sizeof morceau);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        s.tampon.append(morceau, static_cast<size_t>(n));
    }
}

bool ecrire(const Session &s, const std::string &ligne)
{
    return tubes::ecrireTout(s.sortie, ligne.data(), ligne.size());
}

// A new game: the seed for rand, and the engine to signal, if one is named
// (without one, a signal the player sends comes back to it, ignored).
std::string commencer(const std::vector<std::string_view> &m)
{
    std::optional<int64_t> graine = m.size() >= 2 ? dialogue::lireEntier(m[1], 0, UINT32_MAX)
                                                  : std::nullopt;
    std::optional<int64_t> pid = m.size() == 3 ? dialogue::lireEntier(m[2], 1, INT32_MAX)
                                               : std::nullopt;
    if (!graine || m.size() > 3 || (m.size() == 3 && !pid))
        return "« partie GRAINE [PID] » attendu";
    std::srand(static_cast<unsigned>(*graine));
    reglerPendule(-1, 0); // until a `pendule` line says otherwise
    pidMoteur = pid ? static_cast<int32_t>(*pid) : static_cast<int32_t>(getpid());
    std::signal(SIGUSR1, pid ? SIG_DFL : SIG_IGN);
    return {};
}

// A game clock for the turns to come: "pendule RESTANT_MS INCREMENT_MS".
std::string regler(const std::vector<std::string_view> &m)
{
    std::optional<int64_t> restant = m.size() == 3 ? dialogue::lireEntier(m[1], 0, INT32_MAX)
                                                   : std::nullopt;
    std::optional<int64_t> increment = m.size() == 3 ? dialogue::lireEntier(m[2], 0, INT32_MAX)
                                                     : std::nullopt;
    if (!restant || !increment)
        return "« pendule RESTANT_MS INCREMENT_MS » attendu";
    reglerPendule(static_cast<int32_t>(*restant), static_cast<int32_t>(*increment));
    return {};
}

// The position of a turn, checked against the moves the engine listed:
// both sides must see the same list for an index to mean the same move.
std::optional<Position> lirePosition(const std::vector<std::string_view> &m, std::string &erreur)
{
    if (m.size() < 3) {
        erreur = "« tour RANGEES TRAIT [O-D ...] » attendu";
        return std::nullopt;
    }
    LectureNotation l = lireNotation(std::string(m[1]) + " " + std::string(m[2]));
    if (!l.position) {
        erreur = l.erreur;
        return std::nullopt;
    }
    ListeCoups coups = getCoupsLegaux(*l.position);
    bool memeListe = m.size() == static_cast<size_t>(coups.nb) + 3;
    for (int i = 0; memeListe && i < coups.nb; i++)
        memeListe = m[static_cast<size_t>(i) + 3] == dialogue::ecrireCoup(coups.coups[i]);
    if (!memeListe)
        erreur = texte("la liste des coups n'est pas celle des règles (%d coups attendus dans "
                       "l'ordre de getCoupsLegaux)", coups.nb);
    return memeListe ? l.position : std::nullopt;
}

// One turn: the player's last index, none, or its person gone.
std::string repondre(const Position &position)
{
    std::vector<int> indices = jouerTour(position);
    std::fflush(stdout);
    int nb = getCoupsLegaux(position).nb;
    bool dansLaListe = !indices.empty() && indices.back() >= 0 && indices.back() < nb;
    // As in engine mode, a person whose input has ended has left.
    if (!dansLaListe && std::feof(stdin) != 0 && &joueurPersonne != nullptr)
        return dialogue::ligneAbandon();
    return indices.empty() ? dialogue::lignePasse() : dialogue::ligneCoup(indices.back());
}

// The engine's requests until `fin` or the end of the input (status 0); a
// line that cannot be understood ends it with status 1 and why.
int servir(Session &s, std::string &erreur)
{
    std::string ligne;
    for (;;) {
        if (!lireLigne(s, ligne)) {
            if (s.tampon.empty())
                return EXIT_SUCCESS; // the engine is gone: nothing left to play
            erreur = "ligne tronquée ou trop longue";
            return EXIT_FAILURE;
        }
        std::vector<std::string_view> m = dialogue::mots(ligne);
        std::string_view premier = m.empty() ? std::string_view() : m[0];
        if (premier == dialogue::mot::FIN && m.size() == 1)
            return EXIT_SUCCESS;
        if (premier == dialogue::mot::PARTIE) {
            erreur = commencer(m);
        } else if (premier == dialogue::mot::PENDULE) {
            erreur = regler(m);
        } else if (premier == dialogue::mot::TOUR) {
            std::optional<Position> p = lirePosition(m, erreur);
            if (p && !ecrire(s, repondre(*p)))
                return EXIT_FAILURE;
        } else if (premier != dialogue::mot::RESULTAT) {
            erreur = "ligne inconnue";
        }
        if (!erreur.empty()) {
            erreur = "« " + lisible(ligne.substr(0, 80)) + " » : " + erreur;
            return EXIT_FAILURE;
        }
    }
}

// The engine greets first, with the version it speaks; the answer gives
// ours, whatever it said: the engine decides whether they can talk.
bool saluer(Session &s, const char *programme, std::string &erreur)
{
    std::string ligne;
    if (!lireLigne(s, ligne))
        return false;
    std::vector<std::string_view> m = dialogue::mots(ligne);
    bool accueil = m.size() == 2 && m[0] == dialogue::mot::ACCUEIL;
    if (!accueil || !dialogue::lireEntier(m[1], 0, INT32_MAX)) {
        erreur = "« " + lisible(ligne.substr(0, 80)) + " » au lieu de « tessor VERSION »";
        return false;
    }
    return ecrire(s, dialogue::ligneBonjour(programme, s.personne));
}

// The protocol's descriptors moved out of the player's way: its output to
// standard error, its input from the terminal (a person) or nothing.
bool separerLeProtocole(Session &s)
{
    s.entree = fcntl(0, F_DUPFD_CLOEXEC, 3);
    s.sortie = fcntl(1, F_DUPFD_CLOEXEC, 3);
    if (s.entree < 0 || s.sortie < 0 || dup2(2, 1) < 0)
        return false;
    int clavier = s.personne ? open("/dev/tty", O_RDONLY) : -1;
    if (clavier < 0)
        clavier = open("/dev/null", O_RDONLY);
    if (clavier < 0 || dup2(clavier, 0) < 0)
        return false;
    close(clavier);
    // Line by line, so that a trace file keeps the last line before a crash.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    return true;
}

} // namespace

int modeTexte(const char *programme, int argc, char **)
{
    if (argc != 2) {
        afficherUsage(programme, true);
        return STATUT_USAGE;
    }
    Session s;
    s.personne = &joueurPersonne != nullptr;
    if (!separerLeProtocole(s)) {
        std::perror(programme);
        return EXIT_FAILURE;
    }
    std::string erreur;
    int statut = saluer(s, programme, erreur) ? servir(s, erreur) : EXIT_FAILURE;
    if (!erreur.empty())
        std::fprintf(stderr, "%s : demande du moteur refusée : %s\n", programme, erreur.c_str());
    return statut;
}

} // namespace hote
