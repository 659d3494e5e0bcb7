// The engine's command line: its subcommands, and one table of options that
// says which subcommands each belongs to, read in one pass.
#pragma once

#include "partie/cadence.h"
#include "partie/statistiques.h"
#include "processus/isolation.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moteur {

enum class Commande { Match, Rejouer, Verifier, Page, Tournoi, Classement, Navigateur,
                      Livre, Joueurs };

// A trace file is cut at this many bytes unless --taille-traces says otherwise.
constexpr long MEGAOCTET = 1000000;
constexpr long TAILLE_TRACES = 10 * MEGAOCTET;

struct Options {
    Commande commande = Commande::Match;
    bool aide = false;
    std::vector<std::string> noms; // players or files, as the subcommand takes them
    int parties = 1;
    bool partiesDonnees = false;   // --parties given (a tournament's default is 2)
    std::optional<uint32_t> graine;
    int ouverture = 0;
    std::string enregistrer;
    std::optional<Cadence> temps;         // a program's time for a move
    std::optional<Cadence> tempsPersonne; // a person's
    std::optional<Pendule> pendule;       // --cadence: a game clock
    std::string livre;                    // --livre: the book of starts
    bool strict = false;
    bool silencieux = false;
    std::string traces;                 // folder of the programs' output files
    long tailleTraces = TAILLE_TRACES;  // bytes at most per trace file
    std::vector<std::string> personnes; // programs a person plays through
    std::optional<ReglageSprt> sprt;    // a match stopped by a sequential test
    // `moteur tournoi` and `moteur classement FICHIER...`
    bool defi = false;
    bool tous = false;                          // every automatic player found joins
    std::optional<int> concurrence;             // games at once (tournament: the processors)
    std::string resultats;                      // the standings as JSON
    bool reprendre = false;                     // play only what the record lacks
    std::optional<std::pair<int, int>> tranche; // slice K of M
    ReglageIsolation isolation;                 // the players' sandbox and limits
    int positions = 500;                        // `moteur verifier`
    std::optional<std::string> sortie;          // `moteur page`: the page's file
    int port = 0;                               // `moteur navigateur` (0: one the system picks)
    int coups = 4, nombre = 300, ecart = 20;    // `moteur livre`

    // The time per move and the game clock as given; none: the default.
    std::optional<Cadence> cadence() const;
};

struct LectureOptions {
    Options options;
    std::string erreur; // empty when the command line is sound
};

// The subcommand (the first word that is no option, when it names one) and
// the options, each checked against what that subcommand takes.
LectureOptions lireOptions(const std::vector<std::string> &arguments);

// The help lines of the options of these subcommands, in the table's order.
std::string lignesDAide(std::initializer_list<Commande> commandes);

} // namespace moteur
