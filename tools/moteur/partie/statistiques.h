// Statistics of game results, on the Elo scale: pure functions, no output.
//
// The logistic model: a player rated d points above its opponent scores on
// average 1 / (1 + 10^(-d/400)) per game, a draw counting half a win and half
// a loss.  Ratings are its maximum a posteriori: besides its games, each
// player has NULLES_A_PRIORI virtual draws against a reference rated 0.  That
// prior keeps every rating finite (a run of wins alone would be rated
// infinitely far) and weighs little once a player has played tens of games.
// Intervals come from the curvature of the posterior.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace moteur {

constexpr double Z_95 = 1.959963984540054; // two-sided 95 % of the normal law
// The prior: virtual draws of each player against a reference rated 0, and
// virtual game pairs spread as two independent games would be (ecartDesPaires).
constexpr double NULLES_A_PRIORI = 2;
constexpr double PAIRES_A_PRIORI = 1;

// The expected score of a player `elo` points above its opponent, and back
// (`score` strictly between 0 and 1).
double scoreAttendu(double elo);
double eloDuScore(double score);

// An Elo difference with its 95 % interval.
struct Ecart {
    double elo = 0, bas = 0, haut = 0;
    // Only wins (or only losses): the games alone would put the difference
    // beyond any value; `elo` is where the prior holds it.
    bool borne = false;
    int unites = 0; // games (or game pairs) it rests on; 0: nothing to say
};

// The first player's results game by game: the two-player case of
// cotesParVraisemblance (the difference of the two ratings, its interval
// twice theirs), so that a match and its standings agree.
Ecart ecartDesParties(int victoires, int nulles, int defaites);

// Game pairs (the same start, once with each colour order), counted by the
// first player's points in the pair: paires[k] pairs of k/2 points, k = 0..4.
using Paires = std::array<int, 5>;
// Elo difference from the pairs: the estimate of the same model, its
// interval from the spread of the pair scores (both games share their start,
// and the model takes them as independent), that spread counting
// PAIRES_A_PRIORI more pairs spread as two independent games would be.
Ecart ecartDesPaires(const Paires &paires);

// The likelihood of superiority: the probability that the first player is
// the stronger, from its wins and losses (draws tell nothing about it).
double probabiliteDeSuperiorite(int victoires, int defaites);

// Sequential test of H0 (difference elo0) against H1 (difference elo1): the
// log-likelihood ratio of H1 over H0 from the game pairs.  Under each
// hypothesis the pair scores follow the distribution most likely to give the
// pairs seen among those whose mean is the hypothesis's expected score (a
// generalized likelihood ratio: no law is assumed for the pairs).  A count of
// zero weighs 0.001 pair, so that a run of identical pairs gives a finite
// ratio; each pair then moves it by little, and no test concludes on its
// first few pairs.
double rapportDeVraisemblance(const Paires &paires, double elo0, double elo1);
struct BornesSprt {
    double basse, haute; // ln(beta / (1 - alpha)), ln((1 - beta) / alpha)
};
BornesSprt bornesSprt(double alpha, double beta);
struct ReglageSprt {
    double elo0 = 0, elo1 = 5, alpha = 0.05, beta = 0.05;
};

// The game pairs of a match as it goes: the first player's points in games
// 2k-1 and 2k, counted once both have ended.
class CompteDePaires {
public:
    // `demiPoints`: the first player's half-points in game `rang` (1, 2, ...).
    void ajouter(int rang, int demiPoints);
    const Paires &paires() const { return paires_; }

private:
    Paires paires_ = {};
    int enAttente_ = -1; // half-points of the odd game whose partner has not ended
};

// Ratings of many players over all their games (the model above).
// points[i][j]: points of i against j (a draw is half a point), parties[i][j]
// the games between them (symmetric).  Players linked by games share one
// scale, its average 0; a group not linked to the others gets its own.
struct Cote {
    double elo = 0;
    double erreur = 0;    // half-width of the 95 % interval of elo less its group's average
    bool borne = false;   // only wins or only losses: held by the prior alone
    bool aucunePartie = false;
};
std::vector<Cote> cotesParVraisemblance(const std::vector<std::vector<double>> &points,
                                        const std::vector<std::vector<int>> &parties);

} // namespace moteur
