// The checks of `moteur verifier`, their counts and their table.
#pragma once

#include "partie/cadence.h"
#include "verification/essai.h"

#include "tessor.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace moteur {

struct Controle {
    explicit Controle(const char *n) : nom(n) {}
    const char *nom;
    bool verifie = true;
    int echecs = 0;
    int premiere = -1; // the first position that fails it
    std::string detail;
    void echouer(int position)
    {
        if (echecs++ == 0)
            premiere = position;
    }
};

struct Bilan {
    Controle salut{"salut"}, reponses{"réponses"}, temps{"temps"}, indices{"indices"},
        graine{"graine"}, sortie{"sortie"}, processus{"processus"}, vide{"liste vide"};
    int tours = 0, plantages = 0, arrets = 0, ruptures = 0, relances = 0;
    int attentes = 0; // turns out of time, or that found the program unable to start again
    std::vector<double> durees;
    int dansLaListe = 0, horsListe = 0, sansIndice = 0;
    int comparees = 0;
    std::vector<uint64_t> volumes;
    int toursVides = 0;
    std::string rupture; // the first answer that broke the text protocol
    int jouees = 0;
};

// Counts what one process made of position `i` (`nbCoups` moves in its
// list); `fautesVides` counts the faults on the empty list by kind.
void noterTour(Bilan &b, int i, int nbCoups, const Tour &t, bool strict,
               std::array<int, 4> &fautesVides);
// Each check's line of detail, once every position is played.
void redigerDetails(Bilan &b, Cadence limite, bool strict, const std::array<int, 4> &fautesVides,
                    int restants, bool partis);
// One line of the table; a failed check names its first position.
void afficherLigne(const Controle &c, const std::vector<Position> &positions,
                   const std::vector<uint32_t> &graines);
std::string compte(int n, const char *singulier, const char *pluriel);
std::string texteLimite(Cadence c);

} // namespace moteur
