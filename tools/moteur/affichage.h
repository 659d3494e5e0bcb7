// The output layer, on the screen: boards, moves, results and summaries.
#pragma once

#include "match.h"
#include "partie.h"

#include <cstdio>
#include <string>

namespace moteur {

// The board on its 9 x 9 grid, one line per grid row: each cell shows its
// number, its height and its colour (j, r, or . when empty), e.g. "12:3j".
// With `couleurs`, heights and letters are coloured for a terminal.
std::string texteGrille(const Position &position, bool couleurs);

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

private:
    std::FILE *sortie_;
    bool silencieux_;
    bool couleurs_;
};

// The summary of a match, in the order of the command line.
std::string texteBilan(const BilanMatch &bilan, const std::string &premier,
                       const std::string &second, uint32_t graine);

} // namespace moteur
