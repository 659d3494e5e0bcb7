// A player program of the kit, spoken to through the engine protocol
// (protocole.h) over its process: its greeting, its games, its faults.
#pragma once

#include "partie/participant.h"
#include "processus/processus.h"

#include "protocole.h"

namespace moteur {

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
// `restant`: seconds left on the player's game clock (negative: none).
protocole::Demande demandeTour(const Position &position, double restant = -1,
                               double increment = 0);
protocole::Demande demandeFin();

class Programme final : public Participant {
public:
    Programme(DescriptionJoueur description, Registre &registre)
        : Participant(std::move(description)), registre_(registre), processus_(registre) {}

    // Starts the program if it is not running (first game, or after a fault)
    // and tells it a new game begins.
    std::optional<Issue> commencerPartie(uint32_t graine) override;
    ReponseTour jouer(const Position &position, double restant) override;
    // End of the match: the program is asked to leave, then ended.
    void finir() override;
    // Before the match, what `saluer` says, from this participant's own
    // process: started as a program (no terminal, its trace file if any), it
    // is kept for the first game, which spares a second start.  When the
    // greeting says a person plays through it, the participant becomes one:
    // the terminal, no trace file, no time limit unless the user gave one;
    // its process is ended then (it needs the terminal from its start), and
    // so is one of another version (its first game says why).
    Salut saluer() override;

private:
    std::optional<Issue> demarrer();
    Lancement lancement() const;
    Registre &registre_;
    Processus processus_;
    bool versionDite_ = false; // a program of another version is told once
};

} // namespace moteur
