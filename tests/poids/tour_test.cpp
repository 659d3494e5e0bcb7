// choisirCoup of joueur_poids in process, on lists the host never builds.
#include "capture.h"
#include "joueur.h"
#include "plateau.h"
#include "programme.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::vector<int> indicesRemis;
} // namespace

// The host's side, for these tests only.
int ecrireIndexCoup(int index)
{
    indicesRemis.push_back(index);
    return 0;
}

namespace {

std::string tour(const Position &position, const ListeCoups &coups)
{
    indicesRemis.clear();
    essai::CaptureSortie capture;
    choisirCoup(position, coups);
    return capture.lire();
}

TEST(TourPoids, UnNombreDeCoupsNegatifEstUneListeVide)
{
    Position p = essai::position(essai::NOTATION_INITIALE);
    ListeCoups coups = getCoupsLegaux(p);
    coups.nb = -3;
    EXPECT_EQ(tour(p, coups), "");
    EXPECT_EQ(indicesRemis, (std::vector<int>{0, 0}));
}

TEST(TourPoids, UnNombreDeCoupsTropGrandSArreteALaCapacite)
{
    Position p = essai::position(essai::plateau({{0, "2j"}, {1, "3j"}}, 'j'));
    ListeCoups coups = getCoupsLegaux(p);
    coups.nb = CAPACITE_COUPS + 1000;
    std::string trace = tour(p, coups);
    ASSERT_EQ(indicesRemis.size(), 2u);
    for (int i : indicesRemis) {
        EXPECT_GE(i, 0);
        EXPECT_LT(i, CAPACITE_COUPS);
    }
    int rang1 = 0;
    for (const std::string &l : essai::lignes(trace))
        rang1 += l.rfind("rang 1 ", 0) == 0;
    EXPECT_EQ(rang1, CAPACITE_COUPS);
}

// The same turn as through the program: two calls, the later tie wins.
TEST(TourPoids, DeuxAppelsParTour)
{
    Position p = essai::position(essai::plateau({{19, "1j"}, {26, "3r"}, {27, "1r"}}, 'j'));
    tour(p, getCoupsLegaux(p));
    EXPECT_EQ(indicesRemis, (std::vector<int>{5, 4}));
}

} // namespace
