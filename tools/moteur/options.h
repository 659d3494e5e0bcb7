// The engine's command line, declared as a table and read in one pass.
#pragma once

#include "isolation.h"
#include "statistiques.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moteur {

struct Options {
    bool aide = false;
    bool rejouer = false;          // `moteur rejouer FICHIER`
    std::vector<std::string> noms; // the players, or the record file to replay
    int parties = 1;
    std::optional<uint32_t> graine;
    int ouverture = 0;
    std::string enregistrer;
    std::optional<double> temps;
    bool strict = false;
    bool silencieux = false;
    std::string traces;                // folder of the programs' output files
    std::vector<std::string> personnes; // programs a person plays through
    bool partiesDonnees = false;        // --parties given (a tournament's default is 2)
    std::optional<ReglageSprt> sprt;     // a match stopped by a sequential test
    // `moteur tournoi` and `moteur classement FICHIER...`
    bool tournoi = false;
    bool classement = false;
    bool defi = false;
    std::optional<int> concurrence;          // games at once (default: the processors)
    std::string resultats;                   // the standings as JSON
    bool reprendre = false;                  // play only what the record lacks
    std::optional<std::pair<int, int>> tranche; // slice K of M
    ReglageIsolation isolation;                 // the players' sandbox and limits
};

struct LectureOptions {
    Options options;
    std::string erreur; // empty when the command line is sound
};

LectureOptions lireOptions(const std::vector<std::string> &arguments);

// A whole number, all of `t`, within [min, max].
template <typename Entier>
std::optional<Entier> lireEntier(const std::string &t, Entier min, Entier max)
{
    Entier n{};
    auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || erreur != std::errc() || fin != t.data() + t.size() || n < min || n > max)
        return std::nullopt;
    return n;
}

// What --temps takes: seconds above 0 and up to a day, digits with one
// decimal point or comma (no sign, exponent or "inf").
std::optional<double> lireSecondes(const std::string &t);

// The seed of a run given none: from the clock and the engine's pid.
uint32_t graineDeLHorloge();

// Now in UTC, as a record dates its match or tournament.
std::string dateUTC();

// The text of `moteur --help`.
std::string texteAide();

} // namespace moteur
