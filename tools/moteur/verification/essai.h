// One process of the program `moteur verifier` checks, run as a match runs
// it: its greeting, one position at a time as a game of one turn, its
// output kept in a file of memory that is read and emptied after each turn.
#pragma once

#include "partie/cadence.h"
#include "partie/programme_texte.h"
#include "processus/processus.h"

#include "tessor.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

// UTF-8 read in pieces, a sequence possibly cut between two of them.
class LecteurUtf8 {
public:
    // False when the piece holds a byte that no valid text could hold there.
    bool lire(std::string_view morceau);
    // No sequence left unfinished.
    bool complet() const { return reste_ == 0; }
    void reprendre() { reste_ = 0; }

private:
    int reste_ = 0; // continuation bytes still expected
    unsigned char bas_ = 0x80, haut_ = 0xBF; // the range of the next one
};

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
    bool texte() const { return programme_.texte; }

    // Starts the program and reads its greeting: why it is no player of
    // this kit, or nothing.
    std::string demarrer();
    // One position, as a game of one turn: the seed, then the turn.
    Tour jouer(const Position &position, uint32_t graine);
    // Asks the program to leave, as at the end of a match: whether it left
    // in time.  What it wrote meanwhile goes into `t`.
    bool finir(Tour &t);
    void tuer() { processus_.tuer(); }
    int pid() const { return processus_.pid(); }

private:
    void lireSortie(Tour &t);
    std::string debutDeSortie();
    void jouerEnTexte(const Position &position, uint32_t graine, Tour &t);

    Processus processus_;
    DialogueTexte dialogue_{processus_};
    DescriptionJoueur programme_;
    Cadence cadence_;
    int sortie_ = -1;
    std::string trace_;
    LecteurUtf8 utf8_;
    bool personne_ = false;
};

// Once the programs were asked to leave: how many other children of ours
// still run after `delai` seconds (those that end meanwhile are reaped).  A
// program that did not leave is no leftover of itself, and its process
// layer reaps it.
int processusRestants(double delai, const std::vector<int> &programmes);

} // namespace moteur
