// The game layer: one game between two players, from its start position to
// its end, with every move and how it was made.
#pragma once

#include "partie/issue.h"
#include "partie/participant.h"

#include "tessor.h"

#include <optional>
#include <string>
#include <vector>

namespace moteur {

struct CoupJoue {
    Coup coup;
    uint8_t couleur;                  // the side that moved
    bool impose = false;              // drawn by the engine for a missing or bad answer
    std::optional<double> reflexion;  // a person's thinking time, from its SIGUSR1
};

struct Partie {
    int numero = 1;
    std::string jaune, rouge; // the players' names
    uint32_t graine = 0;      // srand for both players before the first turn
    Position depart = {};
    Position finale = {};
    std::vector<CoupJoue> coups;
    FinPartie fin;
    Resultat resultat = Resultat::Nulle;
    bool interrompue = false; // the engine was stopped during it: neither recorded nor counted
    int rencontre = 0;        // its pairing in a tournament (0: a match)
    std::string pendule;      // its game clock as records write it ("10+0.1"), if one ran
};

// What the display learns while a game is played.
class SuiviPartie {
public:
    virtual ~SuiviPartie() = default;
    virtual void debutPartie(const Partie &) {}
    virtual void apresCoup(const Partie &, const Position &) {}
    virtual void finPartie(const Partie &) {}
    // A person is about to choose a move on this board.
    virtual void tourDUnePersonne(const Partie &, const Position &) {}
    // A person's answer is no move of the list: the turn starts again.
    virtual void indiceRefuse(const Partie &, const ListeCoups &, const ReponseTour &) {}
};

struct ReglagePartie {
    int numero = 1;
    uint32_t graine = 0;
    Position depart = {};
    bool strict = false;
};

// Plays one game to its end; a player at fault loses it, and a player whose
// process failed is ended (it starts again with the next game).  With a game
// clock, each side's clock starts at its base, loses the time of each of
// its turns and gains the increment after each of its moves: a turn that
// empties it loses the game (Issue::Pendule).  A person
// is never imposed a move: an answer outside the list starts its turn again.
// A game during which the engine is stopped comes back `interrompue`, with
// no end told to `suivi`.
Partie jouerPartie(const ReglagePartie &reglage, Participant &jaune, Participant &rouge,
                   SuiviPartie &suivi);

} // namespace moteur
