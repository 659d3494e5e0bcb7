// The neighbour table and the initial position, checked against the board's
// geometry rather than restated.
#include "capture.h"
#include "grille.h"
#include "tessor.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

struct Place {
    int ligne, colonne;
};

Place placeDe(int cellule)
{
    for (int l = 0; l < hote::TAILLE_GRILLE; l++)
        for (int c = 0; c < hote::TAILLE_GRILLE; c++)
            if (hote::grille[l][c] == cellule)
                return {l, c};
    ADD_FAILURE() << "cellule " << cellule << " absente de la grille";
    return {-1, -1};
}

// Cells touching by a side or a corner, from the grid alone.
std::vector<int> voisinsGeometriques(int cellule)
{
    Place p = placeDe(cellule);
    std::vector<int> v;
    for (int dl = -1; dl <= 1; dl++)
        for (int dc = -1; dc <= 1; dc++) {
            int l = p.ligne + dl, c = p.colonne + dc;
            if ((dl || dc) && l >= 0 && l < 9 && c >= 0 && c < 9 && hote::grille[l][c] != hote::HORS)
                v.push_back(hote::grille[l][c]);
        }
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<int> voisinsDuTableau(int cellule)
{
    const Voisins &v = topologie[cellule];
    return std::vector<int>(v.cases, v.cases + v.nb);
}

TEST(Topologie, ChaqueCelluleALesVoisinsDeLaGrilleDansLOrdreEtCompleteParDesZeros)
{
    for (int i = 0; i < NBCASES; i++) {
        EXPECT_EQ(voisinsDuTableau(i), voisinsGeometriques(i)) << "cellule " << i;
        for (int k = topologie[i].nb; k < NBVOISINS_MAX; k++)
            EXPECT_EQ(topologie[i].cases[k], 0) << "cellule " << i << " entrée " << k;
    }
}

TEST(Topologie, CompteLesVoisinsCommeAttendu)
{
    std::map<int, int> cellulesParCompte;
    int paires = 0;
    for (int i = 0; i < NBCASES; i++) {
        cellulesParCompte[topologie[i].nb]++;
        paires += topologie[i].nb;
    }
    EXPECT_EQ(cellulesParCompte, (std::map<int, int>{{3, 2}, {4, 10}, {5, 4}, {6, 6}, {7, 18}, {8, 8}}));
    EXPECT_EQ(paires, 292);
    for (int i : {7, 8, 13, 22, 25, 34, 39, 40})
        EXPECT_EQ(nbVoisins(static_cast<uint8_t>(i)), 8) << i;
    EXPECT_EQ(nbVoisins(19), 3);
    EXPECT_EQ(nbVoisins(28), 3);
}

TEST(Topologie, RelationSymetriqueSansBoucleEtInvarianteParDemiTour)
{
    for (int i = 0; i < NBCASES; i++)
        for (int j : voisinsDuTableau(i)) {
            EXPECT_NE(i, j);
            std::vector<int> retour = voisinsDuTableau(j);
            EXPECT_TRUE(std::count(retour.begin(), retour.end(), i)) << i << " - " << j;
            std::vector<int> tourne = voisinsDuTableau(47 - i);
            EXPECT_TRUE(std::count(tourne.begin(), tourne.end(), 47 - j)) << i << " - " << j;
        }
}

TEST(Topologie, GetVoisinsCopieLesNeufOctets)
{
    Voisins v = getVoisins(0);
    EXPECT_EQ(v.nb, 4);
    const uint8_t attendu[8] = {1, 2, 3, 4, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(v.cases, v.cases + 8, attendu));
}

TEST(Topologie, ListerVoisinsEcritChaqueVoisinSuiviDUnBlanc)
{
    essai::CaptureSortie capture;
    listerVoisins(0);
    EXPECT_EQ(capture.lire(), "1 2 3 4 \n");
    listerVoisins(19);
    EXPECT_EQ(capture.lire(), "18 26 27 \n");
}

TEST(PositionInitiale, UnPionParCaseEnDamierJauneAuTrait)
{
    Position p = getPositionInitiale();
    EXPECT_EQ(p.trait, JAUNE);
    int jaunes = 0;
    for (int i = 0; i < NBCASES; i++) {
        Place pl = placeDe(i);
        EXPECT_EQ(p.cols[i].nb, 1) << i;
        EXPECT_EQ(p.cols[i].couleur, (pl.ligne + pl.colonne) % 2 == 0 ? ROUGE : JAUNE) << i;
        EXPECT_EQ(p.cols[i].couleur, p.cols[47 - i].couleur) << i;
        jaunes += p.cols[i].couleur == JAUNE;
    }
    EXPECT_EQ(jaunes, 24);
    EXPECT_EQ(p.cols[0].couleur, ROUGE);
    EXPECT_EQ(p.cols[1].couleur, JAUNE);
    EXPECT_EQ(p.cols[47].couleur, ROUGE);
}

} // namespace
