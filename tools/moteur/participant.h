// The player layer: one player program of a match, spoken to through the
// engine protocol (protocole.h) over its process.
#pragma once

#include "issue.h"
#include "processus.h"

#include "tessor.h"

#include <cstdint>
#include <optional>
#include <string>

namespace moteur {

struct DescriptionJoueur {
    std::string nom;          // as the user gave it: shown and recorded
    std::string chemin;       // the program found
    bool personne = false;    // a person plays through it, at our terminal
    double delai = -1;        // seconds for one move; negative: no limit
    std::string fichierTrace; // for a program: where its output goes (empty: nowhere)
};

struct ReponseTour {
    std::optional<Issue> faute;       // the player loses the game
    bool indexRemis = false;          // at least one index handed
    int index = -1;                   // the last one
    bool entreeFinie = false;         // its standard input has ended
    std::optional<double> reflexion;  // seconds until its SIGUSR1, if one came
};

class Participant {
public:
    explicit Participant(DescriptionJoueur description) : d_(std::move(description)) {}

    const DescriptionJoueur &description() const { return d_; }

    // Starts the program if it is not running (first game, or after a fault)
    // and tells it a new game begins.
    std::optional<Issue> commencerPartie(uint32_t graine);
    ReponseTour jouer(const Position &position);
    // After a fault: the process is ended; the next game starts a new one.
    void abandonner();
    // End of the match: the program is asked to leave, then ended.
    void finir();

private:
    std::optional<Issue> demarrer();
    Issue fauteDeProcessus(Etat etat);
    DescriptionJoueur d_;
    Processus processus_;
};

} // namespace moteur
