// One process of the program `moteur verifier` checks, run by the same
// participant as in a match: its greeting, one position at a time as a game
// of one turn, its output kept in a file of memory that is read and emptied
// after each turn.
#pragma once

#include "partie/cadence.h"
#include "partie/programme.h"
#include "sorties/format.h"

#include "tessor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

enum class Fin { Reponse, Temps, Plantage, Arret, Protocole, Relance };

// What one process made of one position.
struct Tour {
    Fin fin = Fin::Reponse;
    double secondes = 0;
    int nbIndices = 0;
    int dernier = -1;
    uint64_t octets = 0;      // written on its standard output and error
    bool sortieValide = true; // as UTF-8
    std::string rupture;      // Protocole over the text protocol: what was received
};

class Essai {
public:
    // `programme`: found (trouverLeJoueur), of either protocol.
    Essai(Registre &registre, DescriptionJoueur programme, Cadence cadence);
    ~Essai();
    Essai(const Essai &) = delete;
    Essai &operator=(const Essai &) = delete;

    bool pret() const { return sortie_ >= 0; }
    bool personne() const { return personne_; }
    bool texte() const { return programme_->description().texte; }

    // Starts the program and reads its greeting: why it is no player of
    // this kit, or nothing.
    std::string demarrer();
    // One position, as a game of one turn: the seed, then the turn.
    Tour jouer(const Position &position, uint32_t graine);
    // Asks the program to leave, as at the end of a match: whether it left
    // in time.  What it wrote meanwhile goes into `t`.
    bool finir(Tour &t);
    void tuer() { programme_->tuer(); }
    int pid() const { return programme_->pid(); }
    // In its sandbox, what it started and left running when it left.
    int restants() const { return programme_->restants(); }

private:
    void lireSortie(Tour &t);
    std::string debutDeSortie();

    int sortie_ = -1;
    std::unique_ptr<ProgrammeLance> programme_; // its trace is the file of memory
    LecteurUtf8 utf8_;
    bool personne_ = false;
};

// Once the programs were asked to leave: how many other children of ours
// still run after `delai` seconds (those that end meanwhile are reaped).  A
// program that did not leave is no leftover of itself, and its process
// layer reaps it.
int processusRestants(double delai, const std::vector<int> &programmes);

} // namespace moteur
