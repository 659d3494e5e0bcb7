// The one-turn mode of the host, through a test-only player.
#include "programme.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

const char *const JOUEUR = "joueur_essai";

// 0, -1, one past the list, the last index: what joueur_essai hands.
std::vector<int> indicesDeEssai(int nb) { return {0, -1, nb, nb - 1}; }

int premierTirage(unsigned graine)
{
    std::srand(graine);
    return std::rand();
}

TEST(TourUnique, RemetLaPositionEtSaListePuisEcritLesIndicesEtLesSignaux)
{
    essai::Tour t = essai::jouerUnTour(JOUEUR, essai::NOTATION_INITIALE);
    EXPECT_EQ(t.execution.statut, 0);
    EXPECT_EQ(t.execution.sortie, "trait 1\ncoups 292\npremier 0-1 dernier 47-46\n"
                                  "pidMoteur est le processus\nrand " +
                                      std::to_string(premierTirage(1)) +
                                      "\ncellule 0 initiale 2\n");
    EXPECT_EQ(t.execution.erreurs, "indices: 0 -1 292 291\nsignal: SIGUSR1\nsignal: SIGUSR1\n");
    EXPECT_EQ(t.indices, indicesDeEssai(292));
    EXPECT_EQ(t.signaux, 2);
}

TEST(TourUnique, LaGraineSemeLeGenerateurAvantLeTour)
{
    for (unsigned graine : {0u, 7u, 4294967295u}) {
        essai::Tour t = essai::jouerUnTour(JOUEUR, essai::NOTATION_INITIALE, graine);
        EXPECT_NE(t.execution.sortie.find("rand " + std::to_string(premierTirage(graine)) + "\n"),
                  std::string::npos)
            << graine;
    }
}

TEST(TourUnique, UneListeVideEstRemiseAussi)
{
    essai::Tour t = essai::jouerUnTour(JOUEUR, "5j0./0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.0./"
                                               "0.0.0.0.0.0.0.0./0.0.0.0.0.0.0.0./0.0.0.0.0.0./"
                                               "0.0.0.0./0.1r r");
    EXPECT_EQ(t.execution.statut, 0);
    EXPECT_EQ(essai::lignes(t.execution.sortie).at(0), "trait 2");
    EXPECT_EQ(essai::lignes(t.execution.sortie).at(1), "coups 0");
    EXPECT_EQ(t.indices, indicesDeEssai(0));
}

TEST(TourUnique, UneNotationFausseEstRefuseeSansAppelerLeJoueur)
{
    essai::Execution e = essai::executer(essai::programme(JOUEUR), {"--position", "1r1j j"});
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.sortie, "");
    EXPECT_EQ(e.erreurs, "joueur_essai: notation invalide : 9 lignes attendues, séparées par "
                         "« / », 1 trouvée\n");
}

TEST(TourUnique, UneLigneDeCommandeIncompriseDonneLUsageEtLeStatut2)
{
    const std::vector<std::vector<std::string>> incomprises = {
        {},
        {"--inconnu"},
        {"--position"},
        {"--graine", "3"},
        {"--position", essai::NOTATION_INITIALE, "--graine"},
        {"--position", essai::NOTATION_INITIALE, "--graine", "-1"},
        {"--position", essai::NOTATION_INITIALE, "--graine", "3x"},
        {"--position", essai::NOTATION_INITIALE, "--graine", "4294967296"},
        {"--position", essai::NOTATION_INITIALE, "--position", essai::NOTATION_INITIALE},
        {"--position", essai::NOTATION_INITIALE, "en-trop"},
    };
    for (const auto &args : incomprises) {
        essai::Execution e = essai::executer(essai::programme(JOUEUR), args);
        EXPECT_EQ(e.statut, 2) << testing::PrintToString(args);
        EXPECT_EQ(e.sortie, "");
        EXPECT_EQ(e.erreurs.rfind("usage : joueur_essai --position NOTATION [--graine N]\n", 0), 0u)
            << e.erreurs;
    }
    essai::Execution aide = essai::executer(essai::programme(JOUEUR), {"--help"});
    EXPECT_EQ(aide.statut, 0);
    EXPECT_EQ(aide.sortie.rfind("usage : joueur_essai", 0), 0u);
}

} // namespace

namespace {

TEST(TourUnique, UnJoueurAvecSesPropresTablesEstCeluiQueLesReglesLisent)
{
    // On the kit's board the initial position has 292 moves; on the player's
    // own board only 0-1 and 1-0 exist.
    essai::Tour t = essai::jouerUnTour("joueur_tables", essai::NOTATION_INITIALE);
    EXPECT_EQ(t.execution.statut, 0);
    EXPECT_EQ(t.execution.sortie, "coups 2, premier 0-1\n"
                                  "initiale : trait 2, hauteur 2\n"
                                  "voisins de 0 : 1\n");
    EXPECT_EQ(t.indices, std::vector<int>{0});
}

} // namespace
