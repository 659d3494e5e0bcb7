// Listing, validating and playing moves.
#include "capture.h"
#include "tessor.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using Paires = std::vector<std::pair<int, int>>;

Paires paires(const ListeCoups &l)
{
    Paires p;
    for (int k = 0; k < l.nb; k++)
        p.emplace_back(l.coups[k].origine, l.coups[k].destination);
    return p;
}

// An empty board with the given columns.
Position plateau(std::vector<std::pair<int, Colonne>> colonnes, uint8_t trait = JAUNE)
{
    Position p = {};
    p.trait = trait;
    for (auto [c, col] : colonnes)
        p.cols[c] = col;
    return p;
}

TEST(CoupsLegaux, PositionInitialeDonne292CoupsTriesParOrigineEtDestination)
{
    ListeCoups l = getCoupsLegaux(getPositionInitiale());
    ASSERT_EQ(l.nb, 292);
    Paires toutes = paires(l);
    EXPECT_EQ(Paires(toutes.begin(), toutes.begin() + 9), (Paires{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 3}, {1, 4}, {1, 5}, {2, 0}}));
    EXPECT_EQ(toutes.back(), std::make_pair(47, 46));
    for (int k = l.nb; k < CAPACITE_COUPS; k++)
        ASSERT_TRUE(l.coups[k].origine == 0 && l.coups[k].destination == 0) << k;
}

TEST(CoupsLegaux, AucunCoupQuandRienNePeutSeJoindre)
{
    EXPECT_EQ(getCoupsLegaux(plateau({})).nb, 0);
    // Neighbours 0 and 1 too high together; 0 and 47 far apart.
    EXPECT_EQ(getCoupsLegaux(plateau({{0, {3, JAUNE}}, {1, {3, ROUGE}}, {47, {1, JAUNE}}})).nb, 0);
}

TEST(CoupsLegaux, DeuxEtTroisDonnentLesDeuxSensTroisEtTroisAucun)
{
    EXPECT_EQ(paires(getCoupsLegaux(plateau({{7, {2, JAUNE}}, {8, {3, ROUGE}}}))),
              (Paires{{7, 8}, {8, 7}}));
    EXPECT_EQ(getCoupsLegaux(plateau({{7, {3, JAUNE}}, {8, {3, ROUGE}}})).nb, 0);
}

TEST(AddCoup, AjouteALaSuite)
{
    ListeCoups l = {};
    addCoup(&l, 3, 4);
    addCoup(&l, 47, 46);
    EXPECT_EQ(paires(l), (Paires{{3, 4}, {47, 46}}));
}

TEST(JouerCoup, EmpileLaColonneEtPasseLeTrait)
{
    Position avant = plateau({{7, {2, ROUGE}}, {8, {3, JAUNE}}}, JAUNE);
    Position apres = jouerCoup(avant, 7, 8);
    EXPECT_EQ(apres.cols[8].nb, 5);
    EXPECT_EQ(apres.cols[8].couleur, ROUGE);
    EXPECT_EQ(apres.cols[7].nb, 0);
    EXPECT_EQ(apres.cols[7].couleur, VIDE);
    EXPECT_EQ(apres.trait, ROUGE);
    EXPECT_EQ(jouerCoup(apres, 8, 7).trait, ROUGE) << "coup refusé : trait inchangé";
    avant.trait = 7; // any trait other than yellow becomes yellow
    EXPECT_EQ(jouerCoup(avant, 7, 8).trait, JAUNE);
}

struct Refus {
    const char *cas;
    Position position;
    int origine, destination;
    const char *message;
};

TEST(EstValide, RefuseAvecLePremierMessageQuiSApplique)
{
    Position p = plateau({{0, {2, JAUNE}}, {47, {3, ROUGE}}, {1, {4, ROUGE}}, {46, {1, JAUNE}}});
    const Refus refus[] = {
        {"origine vide", p, 5, 0, "jouerCoup impossible : la colonne 5 est vide ! \n"},
        {"destination vide", p, 0, 5, "jouerCoup impossible : la colonne 5 est vide ! \n"},
        {"les deux vides : l'origine seule", p, 20, 21,
         "jouerCoup impossible : la colonne 20 est vide ! \n"},
        {"trop haut et voisins", p, 0, 1, "jouerCoup impossible : trop de jetons entre 0 et 1 ! \n"},
        {"non voisins", p, 0, 47, "jouerCoup impossible : cases 0 et 47 inaccessibles! \n"},
        {"non voisins, 4 + 1", p, 1, 46, "jouerCoup impossible : cases 1 et 46 inaccessibles! \n"},
        {"non voisins, 4 + 3 : la hauteur d'abord", p, 1, 47,
         "jouerCoup impossible : trop de jetons entre 1 et 47 ! \n"},
        {"sur elle-même, hauteur double > 5", p, 47, 47,
         "jouerCoup impossible : trop de jetons entre 47 et 47 ! \n"},
        {"sur elle-même, hauteur double <= 5", p, 0, 0,
         "jouerCoup impossible : cases 0 et 0 inaccessibles! \n"},
    };
    essai::CaptureSortie capture;
    for (const Refus &r : refus) {
        auto o = static_cast<uint8_t>(r.origine), d = static_cast<uint8_t>(r.destination);
        EXPECT_EQ(estValide(r.position, o, d), 0) << r.cas;
        EXPECT_EQ(capture.lire(), r.message) << r.cas;
        Position apres = jouerCoup(r.position, o, d);
        EXPECT_EQ(capture.lire(), r.message) << r.cas << " (jouerCoup)";
        EXPECT_EQ(0, std::memcmp(&apres, &r.position, sizeof apres)) << r.cas;
    }
}

TEST(EstValide, AccepteSansRienEcrire)
{
    essai::CaptureSortie capture;
    Position p = getPositionInitiale();
    EXPECT_EQ(estValide(p, 0, 1), 1);
    EXPECT_EQ(estValide(p, 47, 46), 1);
    EXPECT_EQ(capture.lire(), "");
}

} // namespace
