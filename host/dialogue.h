// The text protocol: what the engine and a player program written in any
// language exchange as lines on the program's standard input and output.
// Its lines are written and read here, for the engine and the host's text
// mode alike; the README's section "The text protocol" describes it for
// those who implement it elsewhere.
//
//   engine -> program                        program -> engine
//   tessor 1                                 bonjour 1 NOM [personne]
//   partie GRAINE [PID]
//   tour RANGEES TRAIT [O-D ...]             coup INDICE | coup O-D | passe | abandon
//   resultat 1-0|0-1|1/2-1/2 FIN...
//   fin
//
// Words are separated by spaces; a line ends with a newline.  Whatever else
// the program writes (its trace) goes to its standard error.
#pragma once

#include "tessor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogue {

constexpr int VERSION = 1;
// How a program of the kit is asked to speak it: `PLAYER --texte`.
constexpr const char *OPTION = "--texte";
// A line this long without its newline breaks the protocol (a turn's line,
// the longest, holds a few hundred moves: under 2,500 characters).
constexpr size_t LONGUEUR_MAX = 4096;

// The first word of each line.
namespace mot {
constexpr std::string_view ACCUEIL = "tessor", PARTIE = "partie", PENDULE = "pendule",
                           TOUR = "tour", RESULTAT = "resultat", FIN = "fin";
constexpr std::string_view BONJOUR = "bonjour", COUP = "coup", PASSE = "passe",
                           ABANDON = "abandon", PERSONNE = "personne";
} // namespace mot

// The words of a line, split at spaces and tabs (a carriage return before
// its newline is dropped).
std::vector<std::string_view> mots(std::string_view ligne);
// A decimal integer within [min, max] ("-" allowed when min is below 0).
std::optional<int64_t> lireEntier(std::string_view mot, int64_t min, int64_t max);
std::string ecrireCoup(Coup c); // "8-4"

// The engine's lines, newline included.
std::string ligneAccueil();
std::string lignePartie(uint32_t graine, int pidMoteur);
// The game clock before a turn: milliseconds left, and gained after each move.
std::string lignePendule(int64_t restantMs, int64_t incrementMs);
std::string ligneTour(const Position &position, const ListeCoups &coups);
std::string ligneResultat(std::string_view resultat, std::string_view fin);
std::string ligneFin();

// The program's greeting.  Another version than VERSION is read as far as
// its version; the engine then refuses it by name.
struct Bonjour {
    int version = 0;
    std::string nom;
    bool personne = false; // a person at the terminal plays through the program
};
std::optional<Bonjour> lireBonjour(std::string_view ligne);
std::string ligneBonjour(std::string_view nom, bool personne);

// The program's answer to a turn, against the list that turn sent: a move
// given (its index, -1 for a move `O-D` not in the list), none, or the
// person gone.
struct Reponse {
    bool coupDonne = false;
    int index = -1;
    bool abandon = false;
};
std::optional<Reponse> lireReponse(std::string_view ligne, const ListeCoups &coups);
std::string ligneCoup(int index);
std::string lignePasse();
std::string ligneAbandon();

// What the engine expects as an answer, for its messages.
constexpr const char *REPONSES_ATTENDUES =
    "« coup INDICE », « coup O-D », « passe » ou « abandon »";

} // namespace dialogue
