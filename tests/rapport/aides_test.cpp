// The helpers of joueur_rapport: point moves, lookahead, rankings, the rule
// families and the blocking collectors.  Every expected entry below was worked
// out by hand from the neighbour table; move indices are those of the legal
// list of the board, sorted by origin then destination.
#include "capture.h"
#include "plateau.h"
#include "rapport.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

using essai::Colonnes;
using essai::plateau;

// numero, origine, destination, motif
using Entree = std::tuple<int, int, int, int>;

std::vector<Entree> entrees(const CoupEvalue table[], int n)
{
    std::vector<Entree> v;
    for (int i = 0; i < n; i++)
        v.emplace_back(table[i].numero, table[i].origine, table[i].destination, table[i].motif);
    return v;
}

std::vector<Entree> points(const Position &p, int camp)
{
    CoupEvalue table[CAPACITE_TABLE];
    return entrees(table, marquerPoint(table, camp, p, getCoupsLegaux(p)));
}

CoupEvalue entree(int o, int d, int apresOrdi = 0, int apresAdvr = 0)
{
    CoupEvalue e = {};
    e.origine = static_cast<uint8_t>(o);
    e.destination = static_cast<uint8_t>(d);
    e.apresOrdi = apresOrdi;
    e.apresAdvr = apresAdvr;
    return e;
}

/* ---- estValideint ------------------------------------------------------- */

TEST(EstValideint, LegaliteSansMessage)
{
    const Position p = plateau({{0, "2j"}, {1, "3r"}, {3, "4r"}, {47, "1j"}});
    struct Cas { int a, b, attendu; };
    const Cas cas[] = {
        {0, 1, 1},  // neighbours, 2 + 3
        {1, 0, 1},
        {0, 3, 0},  // 2 + 4 is too high
        {0, 2, 0},  // empty destination
        {2, 0, 0},  // empty origin
        {0, 47, 0}, // not neighbours
        {0, 0, 0},  // a cell is not its own neighbour
    };
    essai::CaptureSortie capture;
    for (const Cas &c : cas)
        EXPECT_EQ(estValideint(static_cast<uint8_t>(c.a), static_cast<uint8_t>(c.b), p), c.attendu)
            << c.a << " -> " << c.b;
    EXPECT_EQ(capture.lire(), "");
}

/* ---- marquerPoint ------------------------------------------------------- */

struct CasPoints {
    const char *nom;
    Colonnes colonnes;
    std::vector<Entree> propres;     // camp 1
    std::vector<Entree> adverses;    // camp 0
};

TEST(MarquerPoint, MotifsDesDeuxCamps)
{
    const std::vector<CasPoints> cas = {
        {"liste vide", {{0, "1j"}}, {}, {}},
        {"aucune origine du camp demandé", {{0, "1r"}, {1, "1r"}, {3, "1r"}}, {}, {}},
        // (0,1) idx 0, (1,0) idx 1.  1's only neighbour is 0, yet the five is
        // pattern 1, never pattern 3.
        {"cinq de chaque côté", {{0, "2j"}, {1, "3r"}}, {{0, 0, 1, 1}}, {{1, 1, 0, 1}}},
        // (0,1) 0, (1,0) 1, (1,5) 2, (5,1) 3.  Own (0,1): 1 has neighbours 0
        // and 5, 5 is too high to join (4 + 1 + 1), 3 and 4 are empty: closed.
        // Opponent (1,0): 0 is alone with 1, so every neighbour of 1 is tried
        // with X = h(0) = 1: (1,0) and also (1,5), a move other than the one
        // examined; (1,5) is then recorded again as a five.
        {"colonne fermée et voisin libéré",
         {{0, "1j"}, {1, "1r"}, {5, "4r"}},
         {{0, 0, 1, 2}},
         {{1, 1, 0, 3}, {2, 1, 5, 3}, {2, 1, 5, 1}, {3, 5, 1, 1}}},
        // (3,8) 0, (8,3) 1: each column is the other's only neighbour.
        {"voisin libéré, 2·h(o) + h(d) = 3", {{3, "1j"}, {8, "1r"}}, {{0, 3, 8, 3}}, {{1, 8, 3, 3}}},
        // 2·2 + 1 = 5 > 4: the column of 2 could come back onto 8.
        {"voisin libéré, 2·h(o) + h(d) = 5", {{3, "2j"}, {8, "1r"}}, {}, {{1, 8, 3, 3}}},
        // (0,3) 0, (3,0) 1, (3,8) 2, (8,3) 3.  For (3,0) and (3,8) the
        // neighbour 0 of 3 comes first in N(3) and raises bloc (1 + 3 + h(3)
        // > 4); the counter is not reset, so 8, which alone would pass, is not
        // recorded either.  The opponent's moves land on 3, which keeps two
        // neighbours that can still join it.
        {"bloc gardé d'un voisin à l'autre", {{0, "3r"}, {3, "1j"}, {8, "1r"}}, {}, {}},
        // (2,7) 0, (4,7) 1, (7,2) 2, (7,4) 3, (7,12) 4, (12,7) 5, (46,47) 6,
        // (47,46) 7.  Each move of 7 onto a lone leaf records the three moves
        // of 7 onto the leaves: nine entries for three moves.
        {"doublons comptés",
         {{7, "1j"}, {2, "1r"}, {4, "1r"}, {12, "1r"}, {46, "2j"}, {47, "3r"}},
         {{2, 7, 2, 3}, {3, 7, 4, 3}, {4, 7, 12, 3}, {2, 7, 2, 3}, {3, 7, 4, 3}, {4, 7, 12, 3},
          {2, 7, 2, 3}, {3, 7, 4, 3}, {4, 7, 12, 3}, {6, 46, 47, 1}},
         {{7, 47, 46, 1}}},
        // (0,3) 0, (3,0) 1, (3,8) 2, (8,3) 3, (8,9) 4, (9,8) 5.  Own (3,0): 0
        // is alone with 3; each neighbour n of 3 is weighed with its own
        // height: n = 0 (1 + 2 + 1 = 4), n = 8 (1 + 1 + h(9) = 4), both
        // recorded (with h(0) = 2 in place of h(8), 9 would raise bloc).
        // Opponent (8,9): 9 is alone with 8, weighed with h(9) = 2: n = 3
        // meets 0 (1 + 2 + 2 > 4), and the counter then keeps 9 out too (alone
        // it would pass; with h(n) in place of h(d) both would be recorded).
        // (3,8), (8,3), (9,8) and (0,3) land next to a column that can join.
        {"X de chaque camp",
         {{0, "2r"}, {3, "1j"}, {8, "1r"}, {9, "2r"}},
         {{1, 3, 0, 3}, {2, 3, 8, 3}},
         {}},
        // A triangle of ones: every new column keeps a neighbour that can join it.
        {"triangle sans coup à point", {{0, "1j"}, {1, "1r"}, {3, "1r"}}, {}, {}},
    };
    for (const CasPoints &c : cas) {
        const Position p = plateau(c.colonnes);
        EXPECT_EQ(points(p, 1), c.propres) << c.nom;
        EXPECT_EQ(points(p, 0), c.adverses) << c.nom;
    }
}

TEST(MarquerPoint, ChaqueEntreeEstNeuve)
{
    const Position p = plateau({{0, "1j"}, {1, "1r"}, {5, "4r"}});
    CoupEvalue table[CAPACITE_TABLE];
    for (CoupEvalue &e : table)
        e = {99, 9, 9, 9, 9, 9, 9, 9};
    ASSERT_EQ(marquerPoint(table, 0, p, getCoupsLegaux(p)), 4);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(table[i].apresAdvr, 0);
        EXPECT_EQ(table[i].apresOrdi, 0);
        EXPECT_EQ(table[i].rapport, 0);
        EXPECT_EQ(table[i].testsupp, 0);
    }
    EXPECT_EQ(table[4].numero, 99); // nothing past the count
}

TEST(MarquerPoint, UneTablePleineNePrendPlusRien)
{
    // Each (1,0) records two entries: 1 + 2 x 383 would overflow the table.
    const Position p = plateau({{0, "1j"}, {1, "1r"}, {5, "4r"}});
    ListeCoups l = {};
    l.nb = CAPACITE_COUPS;
    l.coups[0] = {1, 5};
    for (int k = 1; k < CAPACITE_COUPS; k++)
        l.coups[k] = {1, 0};
    struct {
        CoupEvalue table[CAPACITE_TABLE];
        CoupEvalue garde[4];
    } zone = {};
    for (CoupEvalue &e : zone.garde)
        e.numero = -7;
    EXPECT_EQ(marquerPoint(zone.table, 0, p, l), CAPACITE_TABLE);
    EXPECT_EQ(entrees(zone.table, 3), (std::vector<Entree>{{0, 1, 5, 1}, {1, 1, 0, 3}, {0, 1, 5, 3}}));
    for (const CoupEvalue &e : zone.garde)
        EXPECT_EQ(e.numero, -7);
}

TEST(ListeRecue, UnCompteHorsDeLaCapaciteEstBorne)
{
    // A count past the capacity is read as the capacity (the sanitizer build
    // catches a read past the list); a negative count as an empty list, for
    // which the fallback hands 0 instead of reading an entry it never wrote.
    const Position p = plateau({{0, "2j"}, {1, "3r"}});
    ListeCoups l = {};
    for (Coup &c : l.coups)
        c = {0, 1};
    CoupEvalue table[CAPACITE_TABLE];
    l.nb = CAPACITE_COUPS + 50;
    EXPECT_EQ(marquerPoint(table, 1, p, l), CAPACITE_COUPS);
    EXPECT_EQ(indiceDuCoup(&l, 1, 0), -1);
    l.nb = -5;
    EXPECT_EQ(marquerPoint(table, 1, p, l), 0);
    for (CoupEvalue &e : table)
        e.numero = 123;
    EXPECT_EQ(coupAvantageux(table, 0, 0, p, l), 0);
}

/* ---- prevoirCoupAvance -------------------------------------------------- */

TEST(PrevoirCoupAvance, GardeLeTraitEtNeVerifiePasLeCoup)
{
    // Yellow to move; 0 and 1 are yellow, 46 red, 47 yellow.
    const Position p = plateau({{0, "2j"}, {1, "3j"}, {46, "1r"}, {47, "1j"}});
    CoupEvalue table[3] = {entree(46, 47), entree(1, 0), entree(46, 1)};
    for (CoupEvalue &e : table) {
        e.numero = 41;
        e.motif = 3;
        e.testsupp = 7;
    }
    essai::CaptureSortie capture;
    prevoirCoupAvance(table, 3, 5, 1, p);
    EXPECT_EQ(capture.lire(), "");
    struct Attendu { int apresOrdi, apresAdvr, rapport; };
    const Attendu attendus[] = {
        // 47 turns red; both fives 0-1 stay yellow: 2 own, 0 opponent (a
        // lookahead that handed the trait to red would see 0 and 2).
        {2, 0, (2 - 5) + (1 - 0)},
        // 0 becomes a yellow five; 46-47 remain, one lone-pair move each side.
        {1, 1, (1 - 5) + (1 - 1)},
        // Not neighbours, applied anyway: 1 becomes 4 red, nothing can move
        // (jouerCoup would have refused it and left four point moves).
        {0, 0, (0 - 5) + (1 - 0)},
    };
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(table[i].apresOrdi, attendus[i].apresOrdi) << i;
        EXPECT_EQ(table[i].apresAdvr, attendus[i].apresAdvr) << i;
        EXPECT_EQ(table[i].rapport, attendus[i].rapport) << i;
        EXPECT_EQ(table[i].numero, 41);
        EXPECT_EQ(table[i].motif, 3);
        EXPECT_EQ(table[i].testsupp, 7);
    }
}

TEST(PrevoirCoupAvance, LesDoublonsComptent)
{
    // After 46 onto 47 the star around 7 is left: its nine entries all count.
    const Position p =
        plateau({{7, "1j"}, {2, "1r"}, {4, "1r"}, {12, "1r"}, {46, "2j"}, {47, "3r"}});
    CoupEvalue table[1] = {entree(46, 47)};
    prevoirCoupAvance(table, 1, 10, 1, p);
    EXPECT_EQ(table[0].apresOrdi, 9);
    EXPECT_EQ(table[0].apresAdvr, 0);
    EXPECT_EQ(table[0].rapport, (9 - 10) + (1 - 0));
}

/* ---- Rankings and listing ----------------------------------------------- */

std::vector<int> numeros(const CoupEvalue table[], int n)
{
    std::vector<int> v;
    for (int i = 0; i < n; i++)
        v.push_back(table[i].numero);
    return v;
}

TEST(Classements, DecroissantsEtStables)
{
    struct Cas { std::vector<int> valeurs; std::vector<int> ordre; };
    const Cas cas[] = {
        {{0, 1, 0, 1, 0}, {1, 3, 0, 2, 4}},          // equals keep their order
        {{5, 5, 5, 5}, {0, 1, 2, 3}},                // all equal: unchanged
        {{-3, -2, -1, 0, 1, 2}, {5, 4, 3, 2, 1, 0}}, // needs every pass
        {{-999, 5, -4, 5}, {1, 3, 2, 0}},
        {{}, {}},
    };
    for (const Cas &c : cas) {
        const int n = static_cast<int>(c.valeurs.size());
        CoupEvalue parTest[8] = {}, parRapport[8] = {};
        for (int i = 0; i < n; i++) {
            parTest[i].numero = parRapport[i].numero = i;
            parTest[i].testsupp = c.valeurs[static_cast<size_t>(i)];
            parTest[i].rapport = -c.valeurs[static_cast<size_t>(i)]; // must not matter
            parRapport[i].rapport = c.valeurs[static_cast<size_t>(i)];
            parRapport[i].testsupp = -c.valeurs[static_cast<size_t>(i)];
        }
        classertestsupp(parTest, n);
        classerrapport(parRapport, n);
        EXPECT_EQ(numeros(parTest, n), c.ordre) << testing::PrintToString(c.valeurs);
        EXPECT_EQ(numeros(parRapport, n), c.ordre) << testing::PrintToString(c.valeurs);
    }
}

TEST(AfficherTab, UneLigneParEntree)
{
    CoupEvalue table[2] = {};
    table[0].numero = 12;
    table[0].rapport = -3;
    table[0].testsupp = -999;
    table[1].numero = 0;
    table[1].rapport = 4;
    table[1].testsupp = 6;
    essai::CaptureSortie capture;
    afficherTab(table, 2);
    afficherTab(table, 0);
    EXPECT_EQ(capture.lire(), "Position 0 : coup numéro 12 rapport : -3 testsupp : -999\n"
                              "Position 1 : coup numéro 0 rapport : 4 testsupp : 6\n");
}

TEST(CasesChargees, TroisEntreesSurUneCaseEtDoublesComptes)
{
    CoupEvalue t[4] = {entree(0, 1), entree(1, 3), entree(3, 0), entree(1, 4)};
    for (int i = 0; i < 4; i++)
        t[i].numero = i;
    CoupEvalue c[CAPACITE_TABLE];
    // Only cell 1 is touched three times.
    EXPECT_EQ(numeros(c, rassemblerCasesChargees(t, 4, c)), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(rassemblerCasesChargees(t, 3, c), 0);
    // Three times the same move: taken for cell 0, then again for cell 1.
    CoupEvalue memes[3] = {entree(0, 1), entree(0, 1), entree(0, 1)};
    EXPECT_EQ(rassemblerCasesChargees(memes, 3, c), 6);
}

/* ---- Rule families ------------------------------------------------------ */

// Rules that read only the lookahead counts.  Each row: the rule, the
// entry's apresOrdi and apresAdvr, nbOrdi and nbAdvr, the value expected.
using RegleComptes = int (*)(const CoupEvalue[], int, int, int);
struct CasComptes { const char *nom; RegleComptes regle; int apresOrdi, apresAdvr, nbOrdi, nbAdvr, attendu; };

int contrerAdvr1_(const CoupEvalue t[], int i, int, int nbAdvr) { return contrerAdvr1(t, i, nbAdvr); }
int contrerOrdi1_(const CoupEvalue t[], int i, int nbOrdi, int) { return contrerOrdi1(t, i, nbOrdi); }
int donnerAdrv1_(const CoupEvalue t[], int i, int, int nbAdvr) { return donnerAdrv1(t, i, nbAdvr); }
int donnerAdrv3_(const CoupEvalue t[], int i, int, int nbAdvr) { return donnerAdrv3(t, i, nbAdvr); }
int contrerOrdi2_(const CoupEvalue t[], int i, int nbOrdi, int) { return contrerOrdi2(t, i, nbOrdi); }
int donnerAdrv2_(const CoupEvalue t[], int i, int, int nbAdvr) { return donnerAdrv2(t, i, nbAdvr); }
int contrerAdvr2_(const CoupEvalue t[], int i, int, int nbAdvr) { return contrerAdvr2(t, i, nbAdvr); }

TEST(Familles, ReglesDesComptes)
{
    const CasComptes cas[] = {
        {"contrerAdvr1", contrerAdvr1_, 0, 1, 0, 2, 2},
        {"contrerAdvr1", contrerAdvr1_, 0, 2, 0, 2, 0},
        {"contrerOrdi1 perd deux", contrerOrdi1_, 1, 0, 3, 0, -2},
        {"contrerOrdi1 perd un", contrerOrdi1_, 2, 0, 3, 0, 0},
        {"donnerAdrv1", donnerAdrv1_, 0, 3, 0, 2, -4},
        {"donnerAdrv1", donnerAdrv1_, 0, 2, 0, 2, 0},
        {"donnerOrdi3", donnerOrdi3, 3, 2, 2, 2, 10},
        {"donnerOrdi3 sans gain", donnerOrdi3, 2, 2, 2, 2, 0},
        {"donnerOrdi3 qui change l'adversaire", donnerOrdi3, 3, 1, 2, 2, 0},
        {"donnerAdrv3", donnerAdrv3_, 0, 1, 0, 0, -20},
        {"donnerAdrv3", donnerAdrv3_, 0, 0, 0, 1, 0},
        {"donnerOrdi2", donnerOrdi2, 1, 2, 0, 2, 4},
        {"donnerOrdi2 qui change l'adversaire", donnerOrdi2, 1, 1, 0, 2, 0},
        {"contrerOrdi2", contrerOrdi2_, 1, 0, 2, 0, -4},
        {"contrerOrdi2", contrerOrdi2_, 2, 0, 2, 0, 0},
        {"donnerAdrv2", donnerAdrv2_, 0, 3, 0, 2, -4},
        {"donnerAdrv2", donnerAdrv2_, 0, 2, 0, 2, 0},
        {"contrerAdvr2", contrerAdvr2_, 0, 1, 0, 2, 4},
        {"contrerAdvr2", contrerAdvr2_, 0, 2, 0, 2, 0},
    };
    for (const CasComptes &c : cas) {
        const CoupEvalue t[1] = {entree(0, 1, c.apresOrdi, c.apresAdvr)};
        EXPECT_EQ(c.regle(t, 0, c.nbOrdi, c.nbAdvr), c.attendu)
            << c.nom << " apres " << c.apresOrdi << "/" << c.apresAdvr;
    }
}

TEST(Familles, ReglesDesHauteursEtDesCouleurs)
{
    // Yellow to move: 0 own 1, 1 opponent 1, 3 own 3, 4 opponent 2, 5 opponent 4.
    const Position p = plateau({{0, "1j"}, {1, "1r"}, {3, "3j"}, {4, "2r"}, {5, "4r"}});
    struct Cas { const char *nom; int valeur, attendu; };
    auto t = [](int o, int d, int apresAdvr = 0) { return entree(o, d, 0, apresAdvr); };
    const CoupEvalue e03[1] = {t(0, 3)}, e01[1] = {t(0, 1)}, e10[1] = {t(1, 0)}, e14[1] = {t(1, 4)},
                     e15[1] = {t(1, 5)}, e30[1] = {t(3, 0)}, e13a[1] = {t(1, 3, 2)},
                     e13b[1] = {t(1, 3, 1)};
    const Cas cas[] = {
        {"empiler1 sur une colonne à soi", empiler1(e03, 0, p), -1},
        {"empiler1 sur l'adversaire", empiler1(e01, 0, p), 0},
        {"empilerCouleur3 à soi sur à soi", empilerCouleur3(e03, 0, p), -4},
        {"empilerCouleur3 à soi sur l'adversaire", empilerCouleur3(e01, 0, p), 4},
        {"empilerCouleur3 adversaire sur à soi", empilerCouleur3(e10, 0, p), -8},
        {"empilerCouleur3 adversaire sur adversaire", empilerCouleur3(e14, 0, p), 6},
        {"marquerOrdi3 cinq", marquerOrdi3(e15, 0, p), -1},
        {"marquerOrdi3 quatre", marquerOrdi3(e30, 0, p), 0},
        // 1 + 3 = 4: forbidden only when the opponent's count changes.
        {"pileQuatre3", pileQuatre3(e13a, 0, 1, p), INTERDIT},
        {"pileQuatre3 sans changement", pileQuatre3(e13b, 0, 1, p), 0},
        {"pileQuatre3 cinq", pileQuatre3(e15, 0, 1, p), 0},
        {"pileQuatre2", pileQuatre2(e13a, 0, 1, p), INTERDIT},
        {"pileQuatre2 sans changement", pileQuatre2(e13b, 0, 1, p), 0},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(c.valeur, c.attendu) << c.nom;
}

TEST(Familles, PointPlusTard)
{
    struct Cas { const char *nom; Colonnes colonnes; int attendu; };
    const Cas cas[] = {
        // 1 + 4: no column of two, nothing to play around it.
        {"cinq de 1 et 4 à soi", {{0, "1j"}, {1, "4j"}}, INTERDIT},
        // The two of 0 has a lone neighbour 2 and no neighbour of two.
        {"cinq de 2 et 3 avec un voisin à prendre", {{0, "2j"}, {1, "3j"}, {2, "1r"}}, 0},
        // 3 (height 2) stops the three on 0; 2 (place 1 of N(0)) is refused
        // because place 1 of N(2) is 3, of height 2.
        {"cinq de 2 et 3 sans réponse", {{0, "2j"}, {1, "3j"}, {2, "1r"}, {3, "2r"}}, INTERDIT},
        {"destination adverse", {{0, "1j"}, {1, "4r"}}, 0},
        {"pas un cinq", {{0, "1j"}, {1, "3j"}}, 0},
    };
    for (const Cas &c : cas) {
        const Position p = plateau(c.colonnes);
        const CoupEvalue t[1] = {entree(0, 1)};
        EXPECT_EQ(pointPlusTard1(t, 0, p, getCoupsLegaux(p)), c.attendu) << c.nom;
    }
}

TEST(Familles, LesSommesSAjoutentDansLOrdre)
{
    // Yellow: 0 own 1, 1 opponent 4, 3 own 3.
    const Position p = plateau({{0, "1j"}, {1, "4r"}, {3, "3j"}});
    const ListeCoups l = getCoupsLegaux(p);
    CoupEvalue t[3] = {entree(0, 1, 0, 1), entree(0, 3, 0, 3), entree(1, 0, 4, 2)};
    for (CoupEvalue &e : t)
        e.testsupp = 100;
    CoupEvalue t1[3] = {t[0], t[1], t[2]}, t2[3] = {t[0], t[1], t[2]}, t3[3] = {t[0], t[1], t[2]};
    calculerTestSupp1(t1, 3, 2, 2, p, l);
    calculerTestSupp2(t2, 3, 2, 2, p);
    calculerTestSupp3(t3, 3, 2, 2, p);
    // (0,1): five onto the opponent, takes one opponent point move away,
    // loses both own ones.  (0,3): own onto own (1 + 3 = 4), gives one.
    // (1,0): opponent onto own, gains two own, takes none.
    EXPECT_EQ(t1[0].testsupp, 100 + 2 - 2);
    EXPECT_EQ(t1[1].testsupp, 100 - 2 - 4 - 1);
    EXPECT_EQ(t1[2].testsupp, 100 + 0 - 1);
    EXPECT_EQ(t2[0].testsupp, 100 - 4 + 4);
    EXPECT_EQ(t2[1].testsupp, 100 + INTERDIT - 4 - 4);
    EXPECT_EQ(t2[2].testsupp, 100 + 4);
    EXPECT_EQ(t3[0].testsupp, 100 - 1 + 4);
    EXPECT_EQ(t3[1].testsupp, 100 - 20 - 4 + INTERDIT);
    EXPECT_EQ(t3[2].testsupp, 100 + 10 - 1 - 8);
}

/* ---- Blocking collectors ------------------------------------------------ */

struct CasCollecteur {
    const char *nom;
    Colonnes colonnes;
    int x;
    std::vector<Entree> attendues;
};

TEST(Collecteurs, FairePile3)
{
    // 0 (2), 1 (3), 2 (1), 3 (1).  List: (0,1) 0, (0,2) 1, (0,3) 2, (1,0) 3,
    // (1,3) 4, (2,0) 5, (2,3) 6, (3,0) 7, (3,1) 8, (3,2) 9.
    const std::vector<CasCollecteur> cas = {
        {"chaque voisin de 1 en ordre", {{0, "2r"}, {1, "3r"}, {2, "1r"}, {3, "1j"}}, 0,
         {{5, 2, 0, 1}, {7, 3, 0, 1}}},
        {"un voisin de 2 l'empêche", {{0, "2r"}, {1, "3r"}, {2, "1r"}, {3, "1j"}, {4, "2j"}}, 0, {}},
    };
    for (const CasCollecteur &c : cas) {
        const Position p = plateau(c.colonnes);
        CoupEvalue t[CAPACITE_TABLE] = {};
        t[0].numero = 77; // entries before the count stay
        const int n = fairePile3(t, static_cast<uint8_t>(c.x), 1, p, getCoupsLegaux(p));
        ASSERT_EQ(n, 1 + static_cast<int>(c.attendues.size())) << c.nom;
        EXPECT_EQ(t[0].numero, 77);
        EXPECT_EQ(entrees(t + 1, n - 1), c.attendues) << c.nom;
    }
}

TEST(Collecteurs, EloignerPileEtSonCompteur)
{
    const std::vector<CasCollecteur> cas = {
        // N(7) = 2, 3, 4, ...  2 at place 0: place 0 of N(2) is 0, empty, so
        // 2 is taken.  3 at place 1: place 1 of N(3) is 1, of height 2: the
        // counter grows by 7 and 3 is refused, and so is 4 after it.
        // List: (1,3) 0, (1,4) 1, (2,3) 2, (2,7) 3, (3,1) 4, (3,2) 5, (3,4) 6,
        // (3,7) 7, (4,1) 8, (4,3) 9, (4,7) 10, (7,2) 11, (7,3) 12, (7,4) 13.
        {"le compteur arrête la suite", {{7, "2j"}, {2, "1r"}, {3, "1r"}, {4, "1r"}, {1, "2r"}}, 7,
         {{11, 7, 2, 1}}},
        // Without 1: place 2 of N(4) is 3, of height 1; all three taken (a
        // test over every neighbour of v would meet 7 itself and take none).
        // List: (2,3) 0, (2,7) 1, (3,2) 2, (3,4) 3, (3,7) 4, (4,3) 5, (4,7) 6,
        // (7,2) 7, (7,3) 8, (7,4) 9.
        {"sans colonne de 2 aux places lues", {{7, "2j"}, {2, "1r"}, {3, "1r"}, {4, "1r"}}, 7,
         {{7, 7, 2, 1}, {8, 7, 3, 1}, {9, 7, 4, 1}}},
        // 14 is at place 7 of N(7), past the 7 neighbours of 14: cell 0 is read.
        {"au-delà du compte, la case 0", {{7, "2j"}, {14, "1r"}, {0, "2r"}}, 7, {}},
        {"case 0 vide", {{7, "2j"}, {14, "1r"}}, 7, {{0, 7, 14, 1}}},
    };
    for (const CasCollecteur &c : cas) {
        const Position p = plateau(c.colonnes);
        CoupEvalue t[CAPACITE_TABLE];
        const int n = eloignerPile(t, static_cast<uint8_t>(c.x), 0, p, getCoupsLegaux(p));
        EXPECT_EQ(entrees(t, n), c.attendues) << c.nom;
    }
}

TEST(Collecteurs, BloquerLib1EtBloquerLib23)
{
    {
        // 0 (2), 1 (3), 2 (1): list (0,1) 0, (0,2) 1, (1,0) 2, (2,0) 3.  The
        // five 1 -> 0 is answered around 0: 2 onto 0, then 0 onto 2.
        const Position p = plateau({{0, "2r"}, {1, "3r"}, {2, "1r"}});
        CoupEvalue t[CAPACITE_TABLE];
        const int n = bloquerLib1(t, 1, 0, 0, p, getCoupsLegaux(p));
        EXPECT_EQ(entrees(t, n), (std::vector<Entree>{{3, 2, 0, 1}, {1, 0, 2, 1}}));
    }
    {
        const Position p = plateau({{0, "1r"}, {1, "4r"}, {2, "1r"}});
        CoupEvalue t[CAPACITE_TABLE];
        EXPECT_EQ(bloquerLib1(t, 0, 1, 5, p, getCoupsLegaux(p)), 5); // no column of two
    }
    {
        const Position p = plateau({{0, "1r"}, {1, "1r"}}); // (0,1) 0, (1,0) 1
        CoupEvalue t[CAPACITE_TABLE];
        EXPECT_EQ(bloquerLib23(t, 0, 1, 2, getCoupsLegaux(p)), 3);
        EXPECT_EQ(entrees(t + 2, 1), (std::vector<Entree>{{1, 1, 0, 1}}));
    }
}

} // namespace
