// The helpers of joueur_poids in process: the table, the closed-column test
// and the weighing of the replies around one cell.
#include "poids.h"

#include "capture.h"
#include "plateau.h"

#include <gtest/gtest.h>

namespace {

TEST(Poids, LaTableDonneSesDeuxPremieresColonnesParRang)
{
    // Rank 1 and rank 2 of each row, typed from the game's weight table.
    const double attendu[NB_LIGNES_POIDS][2] = {
        {800, 10},    {900, -10000},  {-900, -10000}, {-800, -10000}, {900, 10},
        {1000, -10000}, {-1000, -10000}, {-900, -9000}, {-20000, 1000}, {100000, 0},
        {-100, 10},   {-300, -30},    {100, -10},     {100, 3},       {-10000, 0},
    };
    for (int ligne = 0; ligne < NB_LIGNES_POIDS; ligne++) {
        for (int rang = 1; rang <= 2; rang++) {
            double poids = 0.5;
            afecterpoid(rang, listconstpoid, ligne, &poids);
            EXPECT_EQ(poids, 0.5 + attendu[ligne][rang - 1])
                << "ligne " << ligne << " rang " << rang;
        }
    }
}

TEST(Poids, LeRang3LitLaTroisiemeColonne)
{
    // 200 in every row but the unused one and the last, which hold 0.
    for (int ligne = 0; ligne < NB_LIGNES_POIDS; ligne++) {
        double poids = 0;
        afecterpoid(3, listconstpoid, ligne, &poids);
        EXPECT_EQ(poids, ligne == INUTILISEE || ligne == NON_EXPLORE ? 0 : 200) << ligne;
    }
}

TEST(Poids, UnRangHorsDeLaTableNAjouteRien)
{
    for (int rang : {0, -1, 4, 100}) {
        double poids = 7.0;
        afecterpoid(rang, listconstpoid, CINQ_ML, &poids);
        EXPECT_EQ(poids, 7.0) << rang;
    }
}

TEST(Poids, ComparerCoupPrefereLePlusLourdEtLEgalite)
{
    const double poids[] = {-10000.0, 100.0, 100.0, 79.0};
    EXPECT_EQ(ComparerCoup(1, 2, poids), 1);
    EXPECT_EQ(ComparerCoup(2, 1, poids), 1);
    EXPECT_EQ(ComparerCoup(3, 1, poids), 0);
    EXPECT_EQ(ComparerCoup(1, 3, poids), 1);
    EXPECT_EQ(ComparerCoup(0, 3, poids), 0);
}

struct CasFermee {
    const char *nom;
    essai::Colonnes cellules;
    Coup coup;
    int attendu;
};

TEST(Poids, VoisinsInferieurs)
{
    // 19's neighbours are 18, 26 and 27.
    const CasFermee cas[] = {
        {"26 et 27 trop hauts", {{18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "4j"}}, {18, 19}, 1},
        {"27 vide", {{18, "2j"}, {19, "2r"}, {26, "4r"}}, {18, 19}, 0},
        {"27 peut encore venir (1 + 4)",
         {{18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "1j"}}, {18, 19}, 0},
        {"27 de 2 ne peut plus (2 + 4)",
         {{18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "2j"}}, {18, 19}, 1},
        // The origin, low as it is, leaves its cell: it does not count.
        {"l'origine ne compte pas", {{18, "1j"}, {19, "1r"}, {26, "4r"}, {27, "4j"}}, {18, 19}, 1},
        // 26 (3) still fits on the column of two.
        {"26 peut encore venir (3 + 1 + 1)",
         {{18, "1j"}, {19, "1r"}, {26, "3r"}, {27, "4j"}}, {18, 19}, 0},
        // 18 has empty neighbours (11, 17, 25): a column built on 18 never closes.
        {"vers 18", {{18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "4j"}}, {19, 18}, 0},
        {"une colonne de cinq sans voisin vide",
         {{18, "2j"}, {19, "3r"}, {26, "1r"}, {27, "1j"}}, {18, 19}, 1},
        {"une colonne de cinq a cote d'une case vide",
         {{18, "2j"}, {19, "3r"}, {26, "1r"}}, {18, 19}, 0},
        // 7 has eight neighbours: all of height 4 but the origin 2.
        {"huit voisins",
         {{2, "1r"}, {3, "4j"}, {4, "4j"}, {6, "4r"}, {7, "1j"}, {8, "4r"}, {12, "4j"}, {13, "4j"},
          {14, "4r"}},
         {2, 7}, 1},
        {"huit voisins, un de 3",
         {{2, "1r"}, {3, "4j"}, {4, "4j"}, {6, "4r"}, {7, "1j"}, {8, "4r"}, {12, "4j"}, {13, "4j"},
          {14, "3r"}},
         {2, 7}, 0},
    };
    for (const CasFermee &c : cas) {
        Position p = essai::plateau(c.cellules, 'j');
        EXPECT_EQ(voisinsInferieurs(JAUNE, c.coup, p), c.attendu) << c.nom;
        EXPECT_EQ(voisinsInferieurs(ROUGE, c.coup, p), c.attendu) << c.nom << " (rouge)";
    }
}

struct CasReponses {
    const char *nom;
    essai::Colonnes cellules; // the board after the move explored
    uint8_t cellule;
    int rang;
    double ajout;
    std::string trace;
};

TEST(Poids, RecursifPeseLesReponsesQuiTouchentLaCellule)
{
    // Yellow (JAUNE) is own; 18 and 19 meet alone, 26 and 27 (4) close 19.
    const essai::Colonnes coin = {{26, "4r"}, {27, "4j"}};
    auto avec = [&](const char *c18, const char *c19) {
        essai::Colonnes m = coin;
        m[18] = c18;
        m[19] = c19;
        return m;
    };
    const CasReponses cas[] = {
        {"fermee M/L puis L/M", avec("2j", "2r"), 18, 2, 3 - 10000 - 30,
         "S M/L18->19 Pd M/L18->19 S L/M19->18 "},
        {"fermee M/M, derniere paire", avec("2j", "2j"), 18, 2, (10 + 1000 + 10) + (10 + 1000),
         "S M/M18->19 ine favo 18->19 Pd M/M18->19 S M/M19->18 ine favo 19->18 "},
        {"fermee L/L, derniere paire", avec("2r", "2r"), 18, 2, (-10 + 1000 - 9000) + (-10 + 1000),
         "S L/L18->19 ine favo 18->19 Pd L/L18->19 S L/L19->18 ine favo 19->18 "},
        {"fermee L/M", avec("2r", "2j"), 19, 2, -30 - 10000 + 3,
         "S L/M18->19 Pd L/M18->19 S M/L19->18 "},
        {"cinq M/M", avec("2j", "3j"), 19, 2, 2 * (10 + 1000 + 10),
         "S M/M18->19 ine favo 18->19 P5 M/M18->19 S M/M19->18 ine favo 19->18 P5 M/M19->18 "},
        {"cinq M/L et L/M", avec("2j", "3r"), 18, 2, (3 - 10000) + (-30 - 10000),
         "S M/L18->19 P5 M/L18->19 S L/M19->18 P5 L/M19->18 "},
        {"cinq L/L", avec("2r", "3r"), 18, 2, 2 * (-10 + 1000 - 10000),
         "S L/L18->19 ine favo 18->19 P5 L/L18->19 S L/L19->18 ine favo 19->18 P5 L/L19->18 "},
        // 26 meets nothing: no reply touches it.
        {"aucune reponse", avec("2j", "2r"), 26, 2, 0, ""},
        // The pair 18-19 does not touch 0; its presence also keeps 0-1 from
        // being the last pair.
        {"reponses loin de la cellule",
         {{0, "1j"}, {1, "1j"}, {18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "4j"}}, 0, 2, 10 + 10,
         "S M/M0->1 S M/M1->0 "},
        {"couleurs sur des hauteurs de 1", {{0, "1r"}, {1, "1r"}, {3, "1j"}}, 3, 2,
         /* (0,3) L/M */ -30 + /* (1,3) L/M */ -30 + /* (3,0) M/L */ 3 + /* (3,1) M/L */ 3,
         "S L/M0->3 S L/M1->3 S M/L3->0 S M/L3->1 "},
        {"au-dela du rang maximal", avec("2j", "2r"), 18, 3, 0, ""},
    };
    for (const CasReponses &c : cas) {
        Position p = essai::plateau(c.cellules, 'r');
        double poids[4] = {1.0, 50.0, 2.0, 3.0};
        std::string trace;
        {
            essai::CaptureSortie capture;
            recursif(c.rang, poids, 2, JAUNE, c.cellule, p, 1);
            trace = capture.lire();
        }
        EXPECT_EQ(trace, c.trace) << c.nom;
        EXPECT_EQ(poids[1], 50.0 + c.ajout) << c.nom;
        EXPECT_EQ(poids[0], 1.0) << c.nom;
        EXPECT_EQ(poids[2], 2.0) << c.nom;
        EXPECT_EQ(poids[3], 3.0) << c.nom;
    }
}

// The own colour is the one passed, not the trait of the board explored.
TEST(Poids, RecursifGardeLaCouleurDuJoueur)
{
    Position p = essai::plateau({{18, "2j"}, {19, "2r"}, {26, "4r"}, {27, "4j"}});
    double poids[1] = {0.0};
    essai::CaptureSortie capture;
    recursif(2, poids, 2, ROUGE, 18, p, 0);
    EXPECT_EQ(capture.lire(), "S L/M18->19 Pd L/M18->19 S M/L19->18 ");
    EXPECT_EQ(poids[0], -30 - 10000 + 3);
}

} // namespace
