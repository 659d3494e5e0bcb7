// A player program of the kit, spoken to through the engine protocol
// (protocole.h) over its process: its greeting, its games, its faults.
#pragma once

#include "partie/participant.h"
#include "processus/processus.h"

#include "protocole.h"

namespace moteur {

// A program must greet the engine this fast, whatever the time for a move.
constexpr double DELAI_BONJOUR = 10.0;
// At the end of a match, a player leaves on its own this fast, or is killed.
constexpr double DELAI_DEPART = 1.0;
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

// The greeting that did not come because the pipe ended: how the process
// ended, if it did, in `s`.
void classerLaFin(Processus &processus, Salut &s);

// How a process that failed a request or its answer failed: out of time,
// crashed (`signal` set), exited, or closed its pipe and kept running.  The
// process is ended.
Issue fauteDeProcessus(Processus &processus, Etat etat, int &signal);

// The engine's requests, each built in one place.  A new game tells the
// player whether its output is kept (`viderSortie`: a trace file or a
// person's terminal, written line by line), or thrown away unwritten.
protocole::Demande demandePartie(uint32_t graine, bool viderSortie);
// `restant`: seconds left on the player's game clock (negative: none).
protocole::Demande demandeTour(const Position &position, double restant = -1,
                               double increment = 0);
protocole::Demande demandeFin();

// A participant that is a program in a process of its own, of either
// protocol; besides a match's steps, what `moteur verifier` asks of it, on
// the same process: start it as a program (never a person's), kept when it
// greets the engine in this version; whether it runs; a new game told
// without starting it again; asked to leave, whether it left within
// `delai` (its pipes left open, its process kept); its process id; its end.
class ProgrammeLance : public Participant {
public:
    // Starts the program if it is not running (first game, or after a fault)
    // and tells it a new game begins.
    std::optional<Issue> commencerPartie(uint32_t graine) final;
    // Before the match, what `saluer` says, from this participant's own
    // process: started as a program (no terminal, its trace file if any), it
    // is kept for the first game, which spares a second start.  When the
    // greeting says a person plays through it, the participant becomes one:
    // the terminal, no trace file, no time limit unless the user gave one;
    // its process is ended then (it needs the terminal from its start), and
    // so is one of another version (its first game says why).
    Salut saluer() final;

    Salut lancer();
    bool enMarche() const { return processus_.lance(); }
    virtual std::optional<Issue> annoncerPartie(uint32_t graine) = 0;
    virtual bool partir(double delai) = 0;
    int pid() const { return processus_.pid(); }
    void tuer() { processus_.tuer(); }
    void mettreEnAttente(bool oui) final { processus_.suspendre(oui); }
    // Whether an answer waits that no request asked for (one turn had two).
    bool reponseEnAttente() const { return processus_.reponseEnAttente(); }
    // In its sandbox, what it started and left running when it left (the
    // box ends it); set by partir.
    int restants() const { return restants_; }
    // The last answer that broke the protocol, as a person reads it (a
    // text program's; empty otherwise).
    virtual std::string rupture() const { return ""; }

protected:
    ProgrammeLance(DescriptionJoueur description, Registre &registre)
        : Participant(std::move(description)), registre_(registre), processus_(registre) {}
    // How it is started: a person's program on the terminal, a program with
    // its trace file.
    Lancement lancement() const;
    // The arguments that start it in its protocol.
    virtual std::vector<std::string> argumentsDuProtocole() const = 0;
    // Starts it as `l` says and reads its greeting, in its own protocol.
    virtual Salut accueillirAvec(const Lancement &l) = 0;
    // What to tell the user of a program that speaks another version.
    virtual std::string autreVersion(int version) const = 0;
    Registre &registre_;
    Processus processus_;
    int restants_ = 0;

private:
    std::optional<Issue> demarrer();
    bool versionDite_ = false; // a program of another version is told once
    bool causeDite_ = false;   // and why the engine could not start it
};

// A program of the kit (libjoueur), over the binary protocol.
class Programme final : public ProgrammeLance {
public:
    Programme(DescriptionJoueur description, Registre &registre)
        : ProgrammeLance(std::move(description), registre) {}

    ReponseTour jouer(const Position &position, double restant) override;
    // End of the match: the program is asked to leave, then ended.
    void finir() override;

    std::optional<Issue> annoncerPartie(uint32_t graine) override;
    bool partir(double delai) override;

private:
    std::vector<std::string> argumentsDuProtocole() const override { return {protocole::OPTION}; }
    Salut accueillirAvec(const Lancement &l) override { return accueillir(processus_, l); }
    std::string autreVersion(int version) const override;
};

} // namespace moteur
