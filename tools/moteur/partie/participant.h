// The player layer: what the game loop knows of a player, whatever kind of
// player it is.
#pragma once

#include "partie/cadence.h"
#include "partie/issue.h"

#include "tessor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace moteur {

struct DescriptionJoueur {
    std::string nom;              // as the user gave it: shown and recorded
    std::string chemin;           // the program found
    bool personne = false;        // a person plays through it, at our terminal
    std::optional<Cadence> temps; // a program's, given by the user; none: the default
    std::optional<Cadence> tempsPersonne; // a person's, given by the user; none: no limit
    std::string fichierTrace;     // for a program: where its output goes (empty: nowhere)
    bool texte = false;           // it speaks the text protocol (named `texte:COMMANDE`)
    std::vector<std::string> arguments; // the text program's own, from its command
    long tailleTrace = 0;         // bytes at most in that file (0: no limit)
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
    bool texte = false;    // the text protocol's greeting (its version is counted apart)
    std::string recu;      // PasUnSalut over the text protocol: the line received
    bool joueur() const { return echec == EchecSalut::Aucun; }
    bool memeVersion() const;
    // Why it is no player, e.g. "le programme a planté (SIGSEGV)".
    std::string refus() const;
    // The whole refusal of the program named `programme` as the user gave
    // it: not a player, or, when the engine itself could not start it (its
    // trace file), why.
    std::string refusDe(const std::string &programme) const;
    std::string cause; // Lancement: what the engine failed to prepare, if it knows
};
// One side of a game as the game loop sees it: a player program spoken to
// over the engine protocol (programme.h), or any other kind of player.
class Participant {
public:
    virtual ~Participant() = default;
    Participant(const Participant &) = delete;
    Participant &operator=(const Participant &) = delete;

    const DescriptionJoueur &description() const { return d_; }
    // Its time for a move: for a program, --temps or the default; for a
    // person, --temps-personne or no limit (--temps is a program's only).
    Cadence cadence() const;

    // Before the match: whether it is a player at all, and whether a person
    // plays through it (it then becomes one: no trace, the terminal, no
    // time limit unless the user gave one).
    virtual Salut saluer() = 0;
    // A new game begins: nothing, or the fault that loses it.
    virtual std::optional<Issue> commencerPartie(uint32_t graine) = 0;
    // One turn; `restant`: the seconds left on its game clock (negative
    // without one), which bound the wait with the time per move.
    virtual ReponseTour jouer(const Position &position, double restant) = 0;
    // The game is over (told to a program that speaks of it).
    virtual void annoncerResultat(Resultat, const FinPartie &) {}
    // Between its pairings in a tournament: stopped (true), so that it takes
    // no processor from the games under way, or let go on (false).
    virtual void mettreEnAttente(bool) {}
    // End of the match.
    virtual void finir() = 0;
    // The signal of its last crash (Issue::Plantage), 0 if none.
    int signalDuPlantage() const { return signalDuPlantage_; }

protected:
    explicit Participant(DescriptionJoueur description) : d_(std::move(description)) {}
    DescriptionJoueur d_;
    int signalDuPlantage_ = 0;
};

} // namespace moteur
