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
    std::optional<double> reflexion;  // seconds until its answer, if it signalled (SIGNALE)
};

// What the program at `chemin` says when started as a player: whether it
// greets the engine at all, and whether a person plays through it.  The
// program is started once, without the terminal or a trace, asked and ended,
// before the match: a person's program needs the terminal from its start, a
// program must not have it; and a program that is no player is refused
// before any game rather than losing every one.
struct Salut {
    bool joueur = false;   // it greeted the engine (perhaps in another version)
    bool personne = false; // a person plays through it
    std::string refus;     // when it is no player: why, e.g. "le programme a planté (SIGSEGV)"
    bool memeVersion = false; // it speaks this engine's version of the protocol
};
Salut saluer(Registre &registre, const std::string &chemin);
inline bool annonceUnePersonne(Registre &registre, const std::string &chemin)
{
    return saluer(registre, chemin).personne;
}

class Participant {
public:
    Participant(DescriptionJoueur description, Registre &registre)
        : d_(std::move(description)), registre_(registre), processus_(registre) {}

    const DescriptionJoueur &description() const { return d_; }

    // Starts the program if it is not running (first game, or after a fault)
    // and tells it a new game begins.
    std::optional<Issue> commencerPartie(uint32_t graine);
    ReponseTour jouer(const Position &position);
    // End of the match: the program is asked to leave, then ended.
    void finir();
    // Before the match, what `saluer` says, from this participant's own
    // process: started as a program (no terminal, its trace file if any), it
    // is kept for the first game, which spares a second start.  A person's
    // program is ended (it needs the terminal from its start), and so is
    // one of another version (its first game says why).
    Salut saluer();
    // The greeting said a person plays through it: no time limit (unless
    // `delai` >= 0), no trace file, the terminal.
    void devenirUnePersonne(double delai);
    // The signal of its last crash (Issue::Plantage), 0 if none.
    int signalDuPlantage() const { return signalDuPlantage_; }

private:
    std::optional<Issue> demarrer();
    Issue fauteDeProcessus(Etat etat);
    DescriptionJoueur d_;
    Registre &registre_;
    Processus processus_;
    bool versionDite_ = false; // a program of another version is told once
    int signalDuPlantage_ = 0;
};

} // namespace moteur
