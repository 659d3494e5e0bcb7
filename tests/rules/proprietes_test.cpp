// What must hold in every position of thousands of seeded random games.
#include "capture.h"
#include "grille.h"
#include "tessor.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int NOMBRE_DE_PARTIES = 2000;
using Paire = std::pair<int, int>;

// The neighbour relation from the grid alone, independent of `topologie`.
const std::vector<std::vector<int>> &voisinsGeometriques()
{
    static const std::vector<std::vector<int>> voisins = [] {
        std::vector<std::vector<int>> v(NBCASES);
        for (int l = 0; l < 9; l++)
            for (int c = 0; c < 9; c++)
                for (int dl = -1; dl <= 1; dl++)
                    for (int dc = -1; dc <= 1; dc++) {
                        int l2 = l + dl, c2 = c + dc;
                        if ((dl || dc) && l2 >= 0 && l2 < 9 && c2 >= 0 && c2 < 9 &&
                            hote::grille[l][c] != hote::HORS && hote::grille[l2][c2] != hote::HORS)
                            v[hote::grille[l][c]].push_back(hote::grille[l2][c2]);
                    }
        return v; // built row by row, so already ascending
    }();
    return voisins;
}

std::vector<Paire> enumerer(const Position &p)
{
    std::vector<Paire> coups;
    for (int o = 0; o < NBCASES; o++)
        for (int d : voisinsGeometriques()[o])
            if (p.cols[o].nb && p.cols[d].nb && p.cols[o].nb + p.cols[d].nb <= 5)
                coups.emplace_back(o, d);
    return coups;
}

std::vector<Paire> paires(const ListeCoups &l)
{
    std::vector<Paire> v;
    for (int k = 0; k < l.nb; k++)
        v.emplace_back(l.coups[k].origine, l.coups[k].destination);
    return v;
}

std::string messageAttendu(const Position &p, int o, int d)
{
    if (p.cols[o].nb == 0)
        return "jouerCoup impossible : la colonne " + std::to_string(o) + " est vide ! \n";
    if (p.cols[d].nb == 0)
        return "jouerCoup impossible : la colonne " + std::to_string(d) + " est vide ! \n";
    return "jouerCoup impossible : trop de jetons entre " + std::to_string(o) + " et " +
           std::to_string(d) + " ! \n";
}

Position demiTour(const Position &p)
{
    Position t = p;
    for (int i = 0; i < NBCASES; i++)
        t.cols[i] = p.cols[47 - i];
    return t;
}

int nonVides(const Position &p)
{
    int n = 0;
    for (const Colonne &c : p.cols)
        n += c.nb != 0;
    return n;
}

// Checks one position; returns false after the first failure, to keep the
// report short.
bool verifierPosition(const Position &p, essai::CaptureSortie &capture)
{
    ListeCoups liste = getCoupsLegaux(p);
    std::vector<Paire> legaux = paires(liste);
    EXPECT_EQ(legaux, enumerer(p));

    std::set<Paire> ensemble(legaux.begin(), legaux.end());
    for (int o = 0; o < NBCASES; o++)
        for (int d : voisinsGeometriques()[o]) {
            auto co = static_cast<uint8_t>(o), cd = static_cast<uint8_t>(d);
            bool attendu = ensemble.count({o, d}) > 0;
            EXPECT_EQ(estValide(p, co, cd), attendu) << o << "-" << d;
            EXPECT_EQ(capture.lire(), attendu ? "" : messageAttendu(p, o, d)) << o << "-" << d;
        }

    int hauteur = 0;
    for (const Colonne &c : p.cols) {
        hauteur += c.nb;
        EXPECT_EQ(c.nb == 0, c.couleur == VIDE);
    }
    EXPECT_EQ(hauteur, 48);
    Score s = evaluerScore(p);
    EXPECT_EQ(s.nbJ + s.nbR, nonVides(p));

    std::set<Paire> tournes;
    for (Paire c : paires(getCoupsLegaux(demiTour(p))))
        tournes.insert({47 - c.first, 47 - c.second});
    EXPECT_EQ(tournes, ensemble);
    return !testing::Test::HasFailure();
}

TEST(Proprietes, TiennentDansChaquePositionDePartiesAleatoires)
{
    essai::CaptureSortie capture;
    std::mt19937 hasard(20261208);
    long positions = 0;
    for (int partie = 0; partie < NOMBRE_DE_PARTIES; partie++) {
        Position p = getPositionInitiale();
        for (;;) {
            positions++;
            ASSERT_TRUE(verifierPosition(p, capture)) << "partie " << partie;
            ListeCoups l = getCoupsLegaux(p);
            if (l.nb == 0)
                break;
            Coup c = l.coups[std::uniform_int_distribution<int>(0, l.nb - 1)(hasard)];
            Position suivante = jouerCoup(p, c.origine, c.destination);
            ASSERT_EQ(capture.lire(), "");
            ASSERT_EQ(nonVides(suivante), nonVides(p) - 1);
            ASSERT_NE(suivante.trait, p.trait);
            p = suivante;
        }
    }
    EXPECT_GT(positions, NOMBRE_DE_PARTIES * 20L);
}

} // namespace
