// Running the kit's programs as real processes from the tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace essai {

struct Execution {
    int statut = -1;      // exit status, or 128 + signal number
    std::string sortie;   // standard output
    std::string erreurs;  // standard error
};

// Path of a program built into build/bin, or of a test-only one (tests/bin).
// The engine run by the tests finds the test-only players by name too: the
// test programs put their folder in TESSOR_JOUEURS.
std::string programme(const std::string &nom);

// Runs the program with these arguments and this standard input; a program
// still running after `delai` seconds is killed (statut 128 + 9).
Execution executer(const std::string &chemin, const std::vector<std::string> &arguments,
                   const std::string &entree = "", int delai = 30);

// One turn of a player program in one-turn mode.
struct Tour {
    Execution execution;
    std::vector<int> indices; // parsed from the line "indices: ..."
    int signaux = 0;          // lines "signal: SIGUSR1"
    bool ligneIndicesLue = false;
};
Tour jouerUnTour(const std::string &joueur, const std::string &notation,
                 std::optional<unsigned> graine = std::nullopt, const std::string &entree = "");

// The text cut into lines, without their newlines (a last line without a
// newline is kept).
std::vector<std::string> lignes(const std::string &texte);
// The whole content of a file; empty when it cannot be read.
std::string lireFichier(const std::string &chemin);

// A list of names separated by commas, as CMake hands the tests the
// programs it registered.
std::vector<std::string> noms(const std::string &liste);

// The initial position in notation.
extern const char *const NOTATION_INITIALE;

} // namespace essai
