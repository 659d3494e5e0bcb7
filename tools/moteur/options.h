// The engine's command line, declared as a table and read in one pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
};

struct LectureOptions {
    Options options;
    std::string erreur; // empty when the command line is sound
};

LectureOptions lireOptions(const std::vector<std::string> &arguments);

// The text of `moteur --help`.
std::string texteAide();

} // namespace moteur
