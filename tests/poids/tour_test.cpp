// choisirCoup of joueur_poids in process, on lists the host never builds.
#include "capture.h"
#include "plateau.h"
#include "programme.h"
#include "tour.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Tour {
    std::vector<int> indices;
    std::string trace;
};

Tour tour(const Position &position, const ListeCoups &coups)
{
    essai::CaptureSortie capture;
    std::vector<int> indices = hote::jouerTour(position, coups);
    return {indices, capture.lire()};
}

TEST(TourPoids, UnNombreDeCoupsNegatifEstUneListeVide)
{
    Position p = essai::position(essai::NOTATION_INITIALE);
    ListeCoups coups = getCoupsLegaux(p);
    coups.nb = -3;
    Tour t = tour(p, coups);
    EXPECT_EQ(t.trace, "");
    EXPECT_EQ(t.indices, (std::vector<int>{0, 0}));
}

TEST(TourPoids, UnNombreDeCoupsTropGrandSArreteALaCapacite)
{
    Position p = essai::plateau({{0, "2j"}, {1, "3j"}});
    ListeCoups coups = getCoupsLegaux(p);
    coups.nb = CAPACITE_COUPS + 1000;
    Tour t = tour(p, coups);
    ASSERT_EQ(t.indices.size(), 2u);
    for (int i : t.indices) {
        EXPECT_GE(i, 0);
        EXPECT_LT(i, CAPACITE_COUPS);
    }
    int rang1 = 0;
    for (const std::string &l : essai::lignes(t.trace))
        rang1 += l.rfind("rang 1 ", 0) == 0;
    EXPECT_EQ(rang1, CAPACITE_COUPS);
}

// The last-pair rule reads the list only up to its storage as well: here all
// 384 stored moves join 0 and 1, so every one is the last pair of two yellow
// columns making a five, -100 - 20000 + 800, none is explored, and the later
// tie, the last stored move, is handed both times.
TEST(TourPoids, LaDernierePaireSeJugeSurLesCoupsRanges)
{
    Position p = essai::plateau({{0, "2j"}, {1, "3j"}});
    ListeCoups coups = {};
    for (int k = 0; k < CAPACITE_COUPS; k++)
        coups.coups[k] = k % 2 == 0 ? Coup{0, 1} : Coup{1, 0};
    coups.nb = CAPACITE_COUPS + 1000;
    Tour t = tour(p, coups);
    EXPECT_EQ(t.indices, (std::vector<int>{CAPACITE_COUPS - 1, CAPACITE_COUPS - 1}));
    std::vector<std::string> l = essai::lignes(t.trace);
    int analyses = 0;
    for (size_t k = 0; k + 1 < l.size(); k++) {
        if (l[k] == "rang 1 0->1") {
            analyses++;
            EXPECT_EQ(l[k + 1], "S M/M0->1 ine favo 0->1 P5 M/M0->1 ") << k;
        } else if (l[k] == "rang 1 1->0") {
            analyses++;
            EXPECT_EQ(l[k + 1], "S M/M1->0 ine favo 1->0 P5 M/M1->0 ") << k;
        }
    }
    EXPECT_EQ(analyses, CAPACITE_COUPS);
    EXPECT_EQ(t.trace.find("rang 2"), std::string::npos);
}

// The same turn as through the program: two calls, the later tie wins.
TEST(TourPoids, DeuxAppelsParTour)
{
    Position p = essai::plateau({{19, "1j"}, {26, "3r"}, {27, "1r"}});
    EXPECT_EQ(tour(p, getCoupsLegaux(p)).indices, (std::vector<int>{5, 4}));
}

} // namespace
