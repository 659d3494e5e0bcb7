// The output layer, on the screen: boards, moves, results and summaries.
#pragma once

#include "partie/match.h"
#include "partie/partie.h"

#include <cstdio>
#include <optional>
#include <string>

namespace moteur {

// Whether boards are coloured: only on a terminal that shows colours (not
// TERM=dumb), and never when NO_COLOR is set to anything but "".
bool couleursVoulues(bool terminal, const char *term, const char *noColor);
// The same for this engine's standard output and environment.
bool couleursDuTerminal();

// The board on its 9 x 9 grid, one line per grid row: each cell shows its
// number, its height and its colour (j, r, or . when empty), e.g. "12:3j";
// a column of five shows its colour in capitals ("12:5J"), and the two cells
// of the last move stand in brackets ("[ 0: .] [ 1:2r]").  With `couleurs`,
// heights and letters are coloured for a terminal, columns of five reversed.
std::string texteGrille(const Position &position, bool couleurs,
                        std::optional<Coup> dernier = std::nullopt);

// "1-0, joueur_poids (jaune) gagne (plus aucun coup possible)"
std::string texteResultatPartie(const Partie &p);

// The players, seeds and boards of every game (unless quiet), one result
// line per game when quiet.
class Affichage : public SuiviPartie {
public:
    Affichage(std::FILE *sortie, bool silencieux, bool couleurs)
        : sortie_(sortie), silencieux_(silencieux), couleurs_(couleurs) {}
    void debutPartie(const Partie &p) override;
    void apresCoup(const Partie &p, const Position &position) override;
    void finPartie(const Partie &p) override;
    // Quiet, a person still sees the board before each of its turns.
    void tourDUnePersonne(const Partie &p, const Position &position) override;
    void indiceRefuse(const Partie &p, const ListeCoups &coups, const ReponseTour &r) override;
    // A whole game already played, move after move, as it was shown while
    // played: a replayed record, a game of a match played with others.
    void montrer(const Partie &p);

private:
    std::FILE *sortie_;
    bool silencieux_;
    bool couleurs_;
};

// The summary of a match, in the order of the command line; a player
// against itself is told apart by its colour in the first game.
std::string texteBilan(const BilanMatch &bilan, const std::string &premier,
                       const std::string &second, uint32_t graine);

} // namespace moteur
