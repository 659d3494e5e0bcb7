// The match layer: which games are played, with which seeds, colours and
// start positions, and the tally of each player.
#pragma once

#include "partie/hasard.h"
#include "partie/livre.h"
#include "partie/partie.h"
#include "partie/statistiques.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace moteur {

struct ReglageMatch {
    int parties = 1;
    uint32_t graine = 0;
    int ouverture = 0; // random legal moves before each pair of games
    RefLivre livre;    // or each pair from a start of this book
    bool strict = false;
    // After each game pair, the match stops once the test concludes.
    std::optional<ReglageSprt> sprt;
    // Games already in the record of a resumed match, by number: counted,
    // not played again.
    std::map<int, Partie> dejaJouees;
    // Whether games go in pairs from one start.
    bool parPaires() const { return ouverture > 0 || livre != nullptr; }
};

// The start position reached by `coups` legal moves drawn from `graine`
// (fewer if the game ends on the way).
Position ouverture(uint32_t graine, int coups);

// The games of a match one after the other, each with its seed (the n-th
// draw of the match seed's own stream) and its start: with a book, games go
// in pairs from its starts, in the order ordreDuLivre draws from the seed;
// with an opening, in pairs from the opening of the pair's first game.  A
// tournament draws each pairing's games here too, so that game k of a
// pairing is game k of `moteur A B` with the same seed and options.  A book
// known only by its header gives no start (the initial position).
class SuiteDesParties {
public:
    SuiteDesParties(uint32_t graine, int ouverture, RefLivre livre = nullptr);
    struct Prevue {
        uint32_t graine = 0;
        Position depart = {};
    };
    Prevue suivante();

private:
    Hasard graines_;
    int ouverture_;
    RefLivre livre_;
    std::vector<size_t> ordre_; // of the book's starts
    int numero_ = 0;
    Position depart_;
};

struct Decompte {
    int victoires = 0, defaites = 0, nulles = 0;
    int coupsImposes = 0; // moves the engine drew in place of this player's answer
    int fautes = 0;       // games lost by a fault
    int demiPoints() const { return 2 * victoires + nulles; }
};

struct BilanMatch {
    int partiesJouees = 0;
    Decompte premier, second; // the players in the order of the command line
    bool interrompu = false; // stopped early: a person left, the output is gone, or a signal
    Paires paires = {};      // the first player's points in each pair of games
    // The sequential test (--sprt) after the last pair: its log-likelihood
    // ratio, and the hypothesis it accepted (none: the match ended first).
    double rapportSprt = 0;
    enum class Hypothese { Aucune, H0, H1 } acceptee = Hypothese::Aucune;
};

// What a match does after a game: go on, stop, or stop without counting
// that game (it could not be kept: its record failed).
enum class Suite { Continuer, Arreter, Ecarter };
// The tally of a match as its games come, in the order of their numbers:
// the same whether they were played one after the other, several at once,
// or read back from the record of a resumed match.
class Pointage {
public:
    explicit Pointage(const ReglageMatch &reglage) : reglage_(reglage) {}
    // Game `p.numero` (the next one) counted: whether the match goes on
    // after it, false once the sequential test concludes on its pair.
    bool compter(const Partie &p);
    BilanMatch &bilan() { return bilan_; }

private:
    const ReglageMatch &reglage_;
    BilanMatch bilan_;
    CompteDePaires paires_;
};

// Colours swap every game: the first player is yellow in odd games.  With an
// opening, games go in pairs from one start position, once each way round.
// `partieFinie` is called after each game (records, summaries) and says
// what follows; it is not called for the games already played of a
// resumed match.  With a sequential test, the match stops at the pair that
// decides it, `parties` being only its longest length.
BilanMatch jouerMatch(const ReglageMatch &reglage, Participant &premier, Participant &second,
                      SuiviPartie &suivi, const std::function<Suite(const Partie &)> &partieFinie);

// Adds one game to the tally of the player who had `couleur`.
void compter(Decompte &t, const Partie &p, uint8_t couleur);

} // namespace moteur
