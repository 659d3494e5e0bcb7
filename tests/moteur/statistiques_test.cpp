// The statistics against values worked out by hand or by cotes_reference.py
// (python3, next to this file), which reaches the same posterior another way:
// the minorization-maximization iteration of the Bradley-Terry model for the
// fit, finite differences of the log-posterior for its curvature.
#include "partie/statistiques.h"

#include <gtest/gtest.h>

#include <cmath>

namespace moteur {
namespace {

struct Rencontre {
    size_t i, j;
    double points; // of i
    int parties;
};

std::vector<Cote> coter(size_t joueurs, const std::vector<Rencontre> &rencontres)
{
    std::vector<std::vector<double>> points(joueurs, std::vector<double>(joueurs, 0));
    std::vector<std::vector<int>> parties(joueurs, std::vector<int>(joueurs, 0));
    for (const Rencontre &r : rencontres) {
        points[r.i][r.j] = r.points;
        points[r.j][r.i] = r.parties - r.points;
        parties[r.i][r.j] = parties[r.j][r.i] = r.parties;
    }
    return cotesParVraisemblance(points, parties);
}

TEST(Statistiques, EcartsDesPartiesEtDesPaires)
{
    // Four draws, by hand: the fit is 0 by symmetry; the information is
    // 4 * 1/4 per game and 2 * 1/4 from each player's prior, [[1.5, -1],
    // [-1, 1.5]], and the difference's variance (1, -1) I^-1 (1, -1) = 0.8,
    // i.e. 1.96 sqrt(0.8) * 400 / ln 10 = 304.54.  Two wins out of two: the
    // fit u (natural log-odds) solves 2 / (1 + e^u) = tanh(u / 4), the prior's
    // pull, u = 1.5126: 262.77.  The other rows: cotes_reference.py.
    struct {
        int v, n, d;
        double elo, demi; // the interval: elo -+ demi
        bool borne;
    } parties[] = {{750, 0, 250, 190.60, 24.84, false}, {30, 40, 30, 0, 67.76, false},
                   {0, 4, 0, 0, 304.54, false},         {10, 0, 0, 478.80, 400.57, true},
                   {0, 0, 10, -478.80, 400.57, true},   {2, 0, 0, 262.77, 475.23, true}};
    for (const auto &c : parties) {
        Ecart e = ecartDesParties(c.v, c.n, c.d);
        EXPECT_NEAR(e.elo, c.elo, 0.01) << c.v << "-" << c.n << "-" << c.d;
        EXPECT_NEAR(e.bas, c.elo - c.demi, 0.01) << c.v << "-" << c.n << "-" << c.d;
        EXPECT_NEAR(e.haut, c.elo + c.demi, 0.01) << c.v << "-" << c.n << "-" << c.d;
        EXPECT_EQ(e.borne, c.borne) << c.v << "-" << c.n << "-" << c.d;
        // The standings of the same games say the same: half the difference each.
        std::vector<Cote> k = coter(2, {{0, 1, c.v + c.n / 2.0, c.v + c.n + c.d}});
        EXPECT_NEAR(k[0].elo - k[1].elo, e.elo, 1e-6);
        EXPECT_NEAR(2 * k[0].erreur, (e.haut - e.bas) / 2, 1e-6);
        EXPECT_EQ(k[0].borne, c.borne);
    }
    // Pairs: the games' estimate, the pairs' spread.  3, 5, 10, 6, 4 with no
    // prior would give the classic pentanomial figures: mean 14.75 / 28 =
    // 0.5268 (18.6 Elo), variance of a pair's mean 0.08634, standard error
    // sqrt(0.08634 / 28) / (0.5268 * 0.4732) = 0.2228 log-odds, +-75.8 Elo;
    // the prior makes it 18.30 +-75.07.  Identical pairs are no longer
    // certain: the prior's pair has the spread of two independent games.
    struct {
        Paires paires;
        double elo, demi;
        bool borne;
    } paires[] = {{{0, 0, 5, 0, 0}, 0, 79.92, false},
                  {{0, 0, 20, 0, 0}, 0, 22.92, false},
                  {{3, 5, 10, 6, 4}, 18.30, 75.07, false},
                  {{0, 0, 0, 0, 5}, 478.80, 184.39, true}};
    for (const auto &c : paires) {
        Ecart e = ecartDesPaires(c.paires);
        EXPECT_NEAR(e.elo, c.elo, 0.01) << c.paires[2];
        EXPECT_NEAR(e.bas, c.elo - c.demi, 0.01) << c.paires[2];
        EXPECT_NEAR(e.haut, c.elo + c.demi, 0.01) << c.paires[2];
        EXPECT_EQ(e.borne, c.borne) << c.paires[2];
    }
    EXPECT_NEAR(eloDuScore(0.75), 190.85, 0.01); // 400 log10(0.75 / 0.25)
    // 0.5 (1 + erf(10 / sqrt(20))) = 0.5 (1 + erf(2.2361)) = 0.99922.
    EXPECT_NEAR(probabiliteDeSuperiorite(10, 0), 0.99922, 1e-5);
    EXPECT_EQ(probabiliteDeSuperiorite(7, 7), 0.5);
}

TEST(Statistiques, RapportDeVraisemblanceDesPaires)
{
    // Pairs of 0 or 2 points only, 1000 and 3000 (the others weigh 0.001
    // pair: nothing at this precision): the closest law of mean s puts 1 - s
    // on 0 and s on 2 points, so the ratio is
    // 4000 (0.25 ln(0.25 / 0.5) + 0.75 ln(0.75 / 0.5)) = 523.25 for
    // elo1 = 190.85 (s = 0.75) against elo0 = 0 (s = 0.5).
    EXPECT_NEAR(rapportDeVraisemblance({1000, 0, 0, 0, 3000}, 0, 400 * std::log10(3.0)), 523.25,
                0.01);
    // One pair of 2 points: the laws of mean 0.5 and of mean s1 =
    // 1 / (1 + 10^(-50/400)) = 0.57146 put about s on 2 points, hence about
    // ln(0.57146 / 0.5) = 0.1336: far from the bound 2.94, no early stop.
    EXPECT_NEAR(rapportDeVraisemblance({0, 0, 0, 0, 1}, 0, 50), 0.1336, 0.002);
    // Symmetric pairs, symmetric hypotheses: no evidence either way.
    EXPECT_NEAR(rapportDeVraisemblance({1, 2, 4, 2, 1}, -20, 20), 0, 1e-9);
    BornesSprt b = bornesSprt(0.05, 0.05); // ln(0.05 / 0.95) = -2.944
    EXPECT_NEAR(b.basse, -2.944, 0.001);
    EXPECT_NEAR(b.haute, 2.944, 0.001);
}

// 24 players 40 Elo apart, 100 games a pairing (27,600 games), the points
// of each pairing what the model expects, rounded.
std::vector<Rencontre> grandTableau()
{
    std::vector<Rencontre> r;
    for (size_t i = 0; i < 24; i++)
        for (size_t j = i + 1; j < 24; j++)
            r.push_back({i, j, std::floor(100 * scoreAttendu(40.0 * double(j - i)) + 0.5), 100});
    return r;
}

TEST(Statistiques, CotesParVraisemblance)
{
    // Each row: the games, then each player's rating and interval
    // (cotes_reference.py), and who has only wins or only losses.  75 of
    // 100 is 190.85 apart by maximum likelihood, the prior draws it in a
    // little.  Two who lose to all the others, by hand: the others' lead u
    // solves 20 / (1 + e^u) = tanh(u / 4), u = 3.3417, 580.5 Elo, +-290.25.
    // Two groups never linked: each its own average 0.  The big table: the
    // 40-Elo steps found again, to a few tenths.
    const std::vector<Rencontre> deuxQuiPerdent = {{0, 1, 5, 10}, {0, 2, 10, 10}, {0, 3, 10, 10},
                                                   {1, 2, 10, 10}, {1, 3, 10, 10}, {2, 3, 5, 10}};
    struct {
        const char *nom;
        size_t joueurs;
        std::vector<Rencontre> rencontres;
        std::vector<size_t> vus; // the players checked
        std::vector<double> elo, erreur;
        std::vector<bool> borne;
    } cas[] = {
        {"75 sur 100", 2, {{0, 1, 75, 100}}, {0, 1}, {94.20, -94.20}, {38.94, 38.94}, {0, 0}},
        {"4 nulles", 2, {{0, 1, 2, 4}}, {0, 1}, {0, 0}, {152.27, 152.27}, {0, 0}},
        {"défi gagné partout, un absent", 4, {{0, 1, 10, 10}, {0, 2, 10, 10}}, {0, 1, 2, 3},
         {365.64, -182.82, -182.82, 0}, {236.40, 292.73, 292.73, 0}, {1, 1, 1, 0}},
        {"deux qui perdent tout", 4, deuxQuiPerdent, {0, 1, 2, 3},
         {290.25, 290.25, -290.25, -290.25}, {167.47, 167.47, 167.47, 167.47}, {0, 0, 0, 0}},
        {"deux groupes", 4, {{0, 1, 3, 4}, {2, 3, 1, 6}}, {0, 1, 2, 3},
         {72.90, -72.90, -110.89, 110.89}, {163.66, 163.66, 152.30, 152.30}, {0, 0, 0, 0}},
        {"2 parties", 2, {{0, 1, 2, 2}}, {0, 1}, {131.38, -131.38}, {237.62, 237.62}, {1, 1}},
        {"27600 parties", 24, grandTableau(), {0, 5, 11, 23}, {459.20, 259.07, 19.91, -459.20},
         {23.50, 18.92, 17.32, 23.50}, {0, 0, 0, 0}},
    };
    for (const auto &c : cas) {
        std::vector<Cote> k = coter(c.joueurs, c.rencontres);
        for (size_t v = 0; v < c.vus.size(); v++) {
            const Cote &x = k[c.vus[v]];
            EXPECT_NEAR(x.elo, c.elo[v], 0.01) << c.nom << " " << c.vus[v];
            EXPECT_NEAR(x.erreur, c.erreur[v], 0.01) << c.nom << " " << c.vus[v];
            EXPECT_EQ(x.borne, c.borne[v]) << c.nom << " " << c.vus[v];
            EXPECT_EQ(x.aucunePartie, c.erreur[v] == 0) << c.nom << " " << c.vus[v];
        }
    }
}

} // namespace
} // namespace moteur
