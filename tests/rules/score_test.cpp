// Column counts and the text displays.
#include "capture.h"
#include "tessor.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

uint32_t valeur(Score s)
{
    uint32_t v;
    std::memcpy(&v, &s, sizeof v);
    return v;
}

TEST(EvaluerScore, PositionInitiale24Contre24)
{
    Score s = evaluerScore(getPositionInitiale());
    EXPECT_EQ(valeur(s), 24u | 24u << 16);
    essai::CaptureSortie capture;
    afficherScore(s);
    EXPECT_EQ(capture.lire(), "J: 24 (0 piles de 5) - R : 24 (0 piles de 5)\n");
}

TEST(EvaluerScore, CompteLesCinqEtTraiteToutNonJauneCommeRouge)
{
    Position p = {};
    p.cols[10] = {5, JAUNE};
    EXPECT_EQ(valeur(evaluerScore(p)), 257u);
    p.cols[11] = {5, ROUGE};
    p.cols[12] = {5, 7};   // an unknown colour counts for red
    p.cols[13] = {0, JAUNE}; // an empty cell counts for nobody
    p.cols[14] = {4, ROUGE};
    Score s = evaluerScore(p);
    EXPECT_EQ(s.nbJ, 1);
    EXPECT_EQ(s.nbJ5, 1);
    EXPECT_EQ(s.nbR, 3);
    EXPECT_EQ(s.nbR5, 2);
    essai::CaptureSortie capture;
    afficherScore(s);
    EXPECT_EQ(capture.lire(), "J: 1 (1 piles de 5) - R : 3 (2 piles de 5)\n");
}

TEST(AfficherPosition, QuaranteHuitLignesAlignees)
{
    essai::CaptureSortie capture;
    Position p = getPositionInitiale();
    p.cols[5] = {0, VIDE};
    afficherPosition(p);
    std::string texte = capture.lire();
    EXPECT_EQ(std::count(texte.begin(), texte.end(), '\n'), 48);
    EXPECT_EQ(texte.substr(0, 36), "  0 :   1 : rouge\n  1 :   1 : jaune\n");
    EXPECT_NE(texte.find("\n  5 :   0 : jaune\n"), std::string::npos) << "une case vide s'écrit jaune";
    EXPECT_EQ(texte.substr(texte.size() - 18), " 47 :   1 : rouge\n");
}

TEST(AfficherListeCoups, UneLigneParCoupRienPourUneListeVide)
{
    essai::CaptureSortie capture;
    afficherListeCoups(getCoupsLegaux(getPositionInitiale()));
    std::string texte = capture.lire();
    EXPECT_EQ(std::count(texte.begin(), texte.end(), '\n'), 292);
    EXPECT_EQ(texte.substr(0, 17), "  0 :   0 ->   1\n");
    EXPECT_EQ(texte.substr(texte.size() - 17), "291 :  47 ->  46\n");
    ListeCoups vide = {};
    afficherListeCoups(vide);
    vide.nb = -3;
    afficherListeCoups(vide);
    EXPECT_EQ(capture.lire(), "");
}

} // namespace
