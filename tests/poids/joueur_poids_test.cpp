// joueur_poids played as a real program: what its case file
// (tests/joueurs/cas/joueur_poids.cas) cannot say, a count over the trace.
#include "programme.h"

#include <gtest/gtest.h>

namespace {

// The opening's 292 legal moves are each analysed once at rank 1.
TEST(JoueurPoids, PositionInitialeAnalyseChaqueCoupAuRang1)
{
    essai::Tour t = essai::jouerUnTour("joueur_poids", essai::NOTATION_INITIALE);
    ASSERT_EQ(t.execution.statut, 0);
    EXPECT_EQ(t.indices, (std::vector<int>{290, 285}));
    int rang1 = 0;
    for (const std::string &l : essai::lignes(t.execution.sortie))
        rang1 += l.rfind("rang 1 ", 0) == 0;
    EXPECT_EQ(rang1, 292);
}

} // namespace
