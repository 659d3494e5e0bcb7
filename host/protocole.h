// What the engine `moteur` and a player's host exchange in engine mode.
//
// The engine starts the player as `PLAYER --moteur` with two pipes on fixed
// descriptors, and keeps the process for a whole match.  Every message is
// one fixed-size binary record, far below the size a pipe writes at once:
//   engine -> player (descriptor 3): Demande, PARTIE then TOUR ... TOUR,
//     and so on for every game; FIN or the end of the pipe ends the player;
//   player -> engine (descriptor 4): Reponse, BONJOUR once at start (the
//     version, and whether a person plays through the program), then one
//     COUP per TOUR.
// Standard input and output are the player's own (a person's terminal, or
// /dev/null and trace files for a program): the protocol never uses them.
#pragma once

#include "tessor.h"

#include <cstdint>

namespace protocole {

constexpr const char *OPTION = "--moteur";
constexpr int FD_DEMANDES = 3; // the player reads the engine's requests here
constexpr int FD_REPONSES = 4; // and writes its answers here

constexpr uint32_t MAGIE = 0x52535354; // "TSSR" in memory order
// 2: BONJOUR says whether a person plays through the program.
// 3: the host stands for the engine in the player's process (pidMoteur is
//    the host's own process id: a sandboxed player cannot reach the engine),
//    and COUP says whether the program signalled it.
// 4: PARTIE says when nobody keeps the program's output (TAIRE_SORTIE).
// 5: TOUR gives the time left on the player's game clock.
constexpr uint32_t VERSION = 5;

enum Sorte : uint32_t {
    PARTIE = 1,   // a new game: srand(graine)
    TOUR = 2,     // choose a move of `position`
    FIN = 3,      // the match is over: exit
    BONJOUR = 11, // the player is ready (sent once, `valeur` = VERSION)
    COUP = 12,    // the answer to TOUR
};

// PARTIE: standard output goes line by line, and is flushed after every
// turn (a person reads it, or it goes to a trace file); otherwise it is
// flushed only when its buffer fills.
constexpr uint8_t VIDER_SORTIE = 1;
// PARTIE: nobody keeps standard output (it goes to /dev/null): the player's
// printf, puts and putchar return at once instead of formatting text that
// is thrown away, which costs more than many players' decisions.
constexpr uint8_t TAIRE_SORTIE = 2;

// Reponse.drapeaux.
constexpr uint32_t ENTREE_FINIE = 1; // COUP: the player's standard input has reached its end
constexpr uint32_t PERSONNE = 2;     // BONJOUR: a person plays through this program, at the
                                     // terminal, and takes the time it needs
constexpr uint32_t SIGNALE = 4;      // COUP: during the turn, the program sent SIGUSR1 to
                                     // pidMoteur (a person has chosen: the answer's arrival
                                     // ends the thinking time)

struct Demande {
    uint32_t magie;
    uint32_t sorte;
    uint32_t graine;    // PARTIE: the game's seed
    int32_t reserve;    // 0
    Position position;  // TOUR: the board, `trait` the colour to play
    uint8_t reglages;   // PARTIE: VIDER_SORTIE, TAIRE_SORTIE or 0
    uint8_t bourrage[2];
    int32_t restantMs;  // TOUR: milliseconds left on the player's game clock, -1 without one
    int32_t incrementMs; // TOUR: milliseconds the clock gains after each move
};

struct Reponse {
    uint32_t magie;
    uint32_t sorte;
    int32_t nbIndices;    // COUP: how many indices ecrireIndexCoup received
    int32_t valeur;       // COUP: the last index (meaningless if nbIndices is 0); BONJOUR: VERSION
    uint32_t drapeaux;    // ENTREE_FINIE (COUP), PERSONNE (BONJOUR)
};

static_assert(sizeof(Demande) == 124, "Demande : 124 octets");
static_assert(sizeof(Reponse) == 20, "Reponse : 20 octets");

} // namespace protocole
