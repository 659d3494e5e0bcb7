// The player layer: one player program of a match, spoken to through the
// engine protocol (protocole.h) over its process.
#pragma once

#include "partie/cadence.h"
#include "partie/issue.h"
#include "processus/processus.h"

#include "protocole.h"
#include "tessor.h"

#include <cstdint>
#include <optional>
#include <string>

namespace moteur {

struct DescriptionJoueur {
    std::string nom;              // as the user gave it: shown and recorded
    std::string chemin;           // the program found
    bool personne = false;        // a person plays through it, at our terminal
    std::optional<Cadence> temps; // given by the user; none: the default (cadence.h)
    std::string fichierTrace;     // for a program: where its output goes (empty: nowhere)
};

struct ReponseTour {
    std::optional<Issue> faute;       // the player loses the game
    bool indexRemis = false;          // at least one index handed
    int nbIndices = 0;                // how many
    int index = -1;                   // the last one
    bool entreeFinie = false;         // its standard input has ended
    std::optional<double> reflexion;  // seconds until its SIGUSR1, if one came
    double duree = 0;                 // seconds from the request to the answer
};

// How a program greeted the engine when started as a player, or why it did
// not.  Each caller words the failure its own way.
enum class EchecSalut {
    Aucun,      // it greeted the engine (perhaps in another version)
    Lancement,  // it could not be started
    Delai,      // no greeting in time
    Plantage,   // it crashed first (`code`: the signal)
    Arret,      // it exited first (`code`: its status)
    Fermeture,  // it closed its answers' pipe and kept running
    PasUnSalut, // its first answer is something else
};
struct Salut {
    EchecSalut echec = EchecSalut::Aucun;
    int code = 0;
    int version = 0;       // of the protocol it speaks
    bool personne = false; // a person plays through it (this version only)
    bool joueur() const { return echec == EchecSalut::Aucun; }
    bool memeVersion() const;
    // Why it is no player, e.g. "le programme a planté (SIGSEGV)".
    std::string refus() const;
};
// A program must greet the engine this fast, whatever the time for a move.
constexpr double DELAI_BONJOUR = 10.0;
// Starts `l` on `processus` and reads its greeting; a process that failed
// it, or speaks another version, is ended.
Salut accueillir(Processus &processus, const Lancement &l);

// The program at `chemin` started once as a player, without the terminal
// or a trace, asked and ended: before a match or a tournament, so that a
// person's program gets the terminal from its start and a program that is
// no player is refused before any game rather than losing every one.
Salut saluer(Registre &registre, const std::string &chemin);
inline bool annonceUnePersonne(Registre &registre, const std::string &chemin)
{
    return saluer(registre, chemin).personne;
}

// How a process that failed a request or its answer failed: out of time,
// crashed (`signal` set), exited, or closed its pipe and kept running.  The
// process is ended.
Issue fauteDeProcessus(Processus &processus, Etat etat, int &signal);

// The engine's requests, each built in one place.
protocole::Demande demandePartie(uint32_t graine, bool viderSortie);
protocole::Demande demandeTour(const Position &position);
protocole::Demande demandeFin();

class Participant {
public:
    Participant(DescriptionJoueur description, Registre &registre)
        : d_(std::move(description)), registre_(registre), processus_(registre) {}

    const DescriptionJoueur &description() const { return d_; }
    // Its time for a move: the user's, or a program's default, or none for
    // a person.
    Cadence cadence() const;

    // Starts the program if it is not running (first game, or after a fault)
    // and tells it a new game begins.
    std::optional<Issue> commencerPartie(uint32_t graine);
    ReponseTour jouer(const Position &position);
    // End of the match: the program is asked to leave, then ended.
    void finir();
    // Before the match, what `saluer` says, from this participant's own
    // process: started as a program (no terminal, its trace file if any), it
    // is kept for the first game, which spares a second start.  When the
    // greeting says a person plays through it, the participant becomes one:
    // the terminal, no trace file, no time limit unless the user gave one;
    // its process is ended then (it needs the terminal from its start), and
    // so is one of another version (its first game says why).
    Salut saluer();
    // The signal of its last crash (Issue::Plantage), 0 if none.
    int signalDuPlantage() const { return signalDuPlantage_; }

private:
    std::optional<Issue> demarrer();
    Lancement lancement() const;
    DescriptionJoueur d_;
    Registre &registre_;
    Processus processus_;
    bool versionDite_ = false; // a program of another version is told once
    int signalDuPlantage_ = 0;
};

} // namespace moteur
