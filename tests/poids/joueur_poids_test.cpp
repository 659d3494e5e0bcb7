// joueur_poids played as a real program, one turn on positions built so that
// each rule, row and label of the weight table decides the turn or shows in
// the trace.  Every expected weight below is summed by hand from the table:
//   colour rule, rank 1: M/M -100, L/M -300, L/L +100, M/L +100
//                rank 2: M/M +10,  L/M -30,  L/L -10,  M/L +3
//   five        rank 1: M/M 800, M/L 900, L/M -900, L/L -800; rank 2: +10 or -10000
//   closed      rank 1: M/M 900, M/L 1000, L/M -1000, L/L -900;
//               rank 2: M/M +10, M/L and L/M -10000, L/L -9000
//   last pair   rank 1 -20000, rank 2 +1000; not explored -10000.
#include "plateau.h"
#include "programme.h"

#include <gtest/gtest.h>

namespace {

const char *const JOUEUR = "joueur_poids";

struct Cas {
    const char *nom;
    std::string notation;
    std::vector<int> indices; // provisional, then final
    std::string trace;
};

void verifier(const Cas &c)
{
    essai::Tour t = essai::jouerUnTour(JOUEUR, c.notation);
    EXPECT_EQ(t.execution.statut, 0) << c.nom;
    EXPECT_EQ(t.indices, c.indices) << c.nom;
    EXPECT_EQ(t.execution.sortie, c.trace) << c.nom;
    EXPECT_EQ(t.signaux, 0) << c.nom;
}

// Cells 18 and 19 alone can meet: 26 and 27 (height 4) are too high to join
// either, and they are 19's only other neighbours, so a column built on 19 of
// height 4 or less is closed; 18 always has empty neighbours.
std::string coin(const char *c18, const char *c19, char trait, const char *c27 = "4j")
{
    std::map<int, std::string> cellules = {{18, c18}, {19, c19}, {26, "4r"}};
    if (c27 != nullptr)
        cellules[27] = c27;
    return essai::notation(cellules, trait);
}

TEST(JoueurPoids, SansCoupRienNEstAnalyseEtLIndex0EstRemisDeuxFois)
{
    verifier({"une seule colonne", essai::notation({{0, "1j"}}, 'j'), {0, 0}, ""});
    verifier({"colonnes trop hautes", essai::notation({{0, "3j"}, {1, "3r"}}, 'r'), {0, 0}, ""});
}

// One pair of columns: the first pass decides, the second adds 10000 less to
// every move at or below zero, and explores a positive one that has no reply.
TEST(JoueurPoids, PremierRangCinqColonneFermeeDernierePaire)
{
    const Cas cas[] = {
        // (0,1) and (1,0): -100 -20000 +800 each, the tie goes to the later.
        {"cinq M/M et derniere paire", essai::notation({{0, "2j"}, {1, "3j"}}, 'j'), {1, 1},
         "\nrang 1 0->1\nS M/M0->1 ine favo 0->1 P5 M/M0->1 "
         "\nrang 1 1->0\nS M/M1->0 ine favo 1->0 P5 M/M1->0 "},
        // 100 + 900 against -300 - 900; the five has no reply.
        {"cinq M/L et L/M", coin("2j", "3r", 'j'), {0, 0},
         "\nrang 1 18->19\nS M/L18->19 P5 M/L18->19 "
         "\nrang 1 19->18\nS L/M19->18 P5 L/M19->18 \nrang 2 18->19\n"},
        // 100 - 20000 - 800 each.
        {"cinq L/L", coin("2r", "3r", 'j'), {1, 1},
         "\nrang 1 18->19\nS L/L18->19 ine favo 18->19 P5 L/L18->19 "
         "\nrang 1 19->18\nS L/L19->18 ine favo 19->18 P5 L/L19->18 "},
        // -100 - 20000 + 900 beats -100 - 20000 (18 is never closed).
        {"fermee M/M", coin("2j", "2j", 'j'), {0, 0},
         "\nrang 1 18->19\nS M/M18->19 ine favo 18->19 Pd M/M18->19 "
         "\nrang 1 19->18\nS M/M19->18 ine favo 19->18 "},
        // 100 + 1000 against -300.
        {"fermee M/L", coin("2j", "2r", 'j'), {0, 0},
         "\nrang 1 18->19\nS M/L18->19 Pd M/L18->19 "
         "\nrang 1 19->18\nS L/M19->18 \nrang 2 18->19\n"},
        // -300 - 1000 against 100.
        {"fermee L/M", coin("2r", "2j", 'j'), {1, 1},
         "\nrang 1 18->19\nS L/M18->19 Pd L/M18->19 "
         "\nrang 1 19->18\nS M/L19->18 \nrang 2 19->18\n"},
        // The same board seen by red: own and opponent's swap.
        {"fermee, trait rouge", coin("2j", "2r", 'r'), {1, 1},
         "\nrang 1 18->19\nS L/M18->19 Pd L/M18->19 "
         "\nrang 1 19->18\nS M/L19->18 \nrang 2 19->18\n"},
        // 100 - 20000 - 900 against 100 - 20000.
        {"fermee L/L", coin("2r", "2r", 'j'), {1, 1},
         "\nrang 1 18->19\nS L/L18->19 ine favo 18->19 Pd L/L18->19 "
         "\nrang 1 19->18\nS L/L19->18 ine favo 19->18 "},
        // 27 empty: 19 keeps an empty neighbour, the column is not closed.
        {"voisin vide", coin("2j", "2r", 'j', nullptr), {0, 0},
         "\nrang 1 18->19\nS M/L18->19 \nrang 1 19->18\nS L/M19->18 \nrang 2 18->19\n"},
    };
    for (const Cas &c : cas)
        verifier(c);
}

// The second pass changes the answer: every move worth 100 at rank 1 hands
// the opponent a five on the new column (two replies, -10000 each, plus +3
// and -30), so they end at 100 + 3 - 30 - 20000 = -19927, below the moves of
// -300 that were not explored (-10300); the later of those, (27,19), wins.
TEST(JoueurPoids, DeuxiemeRangLesCinqOffertsALAdversaireDecident)
{
    verifier({"cinq offerts", essai::notation({{19, "1j"}, {26, "3r"}, {27, "1r"}}, 'j'), {5, 4},
              "\nrang 1 19->26\nS M/L19->26 "
              "\nrang 1 19->27\nS M/L19->27 "
              "\nrang 1 26->19\nS L/M26->19 "
              "\nrang 1 26->27\nS L/L26->27 "
              "\nrang 1 27->19\nS L/M27->19 "
              "\nrang 1 27->26\nS L/L27->26 "
              "\nrang 2 19->26\nS M/L26->27 P5 M/L26->27 S L/M27->26 P5 L/M27->26 "
              "\nrang 2 19->27\nS L/M26->27 P5 L/M26->27 S M/L27->26 P5 M/L27->26 "
              "\nrang 2 26->27\nS M/L19->27 P5 M/L19->27 S L/M27->19 P5 L/M27->19 "
              "\nrang 2 27->26\nS M/L19->26 P5 M/L19->26 S L/M26->19 P5 L/M26->19 "});
}

// After (19,27) or (26,27) the opponent's only moves join the two remaining
// yellow columns: +10 and +1000 per reply, 100 + 2020 for both; the tie goes
// to the later move, the first pass's choice.
TEST(JoueurPoids, DeuxiemeRangDernierePaireEtColonnesPropres)
{
    verifier({"derniere paire au rang 2", essai::notation({{19, "1j"}, {26, "1j"}, {27, "1r"}}, 'j'),
              {3, 3},
              "\nrang 1 19->26\nS M/M19->26 "
              "\nrang 1 19->27\nS M/L19->27 "
              "\nrang 1 26->19\nS M/M26->19 "
              "\nrang 1 26->27\nS M/L26->27 "
              "\nrang 1 27->19\nS L/M27->19 "
              "\nrang 1 27->26\nS L/M27->26 "
              "\nrang 2 19->27\nS M/M26->27 ine favo 26->27 S M/M27->26 ine favo 27->26 "
              "\nrang 2 26->27\nS M/M19->27 ine favo 19->27 S M/M27->19 ine favo 27->19 "});
}

// Eight moves around 18.  Rank 1: (18,19) closes 19 between 26 and 27
// (100 - 900), (27,18) builds an own five (100 + 900 = 1000) and wins at once.
// Rank 2 of (11,18): the reply (18,19) would close 19 under yellow, M/L, -10000.
// Rank 2 of (19,18): 11 and 18 meet both ways, +3 - 30.  (27,18) leaves no reply.
TEST(JoueurPoids, DeuxiemeRangColonneFermeeDansLaTrace)
{
    verifier({"fermee au rang 2",
              essai::notation({{11, "1j"}, {18, "1r"}, {19, "2r"}, {26, "4r"}, {27, "4j"}}, 'j'),
              {7, 7},
              "\nrang 1 11->18\nS M/L11->18 "
              "\nrang 1 18->11\nS L/M18->11 "
              "\nrang 1 18->19\nS L/L18->19 Pd L/L18->19 "
              "\nrang 1 18->26\nS L/L18->26 P5 L/L18->26 "
              "\nrang 1 18->27\nS L/M18->27 P5 L/M18->27 "
              "\nrang 1 19->18\nS L/L19->18 "
              "\nrang 1 26->18\nS L/L26->18 P5 L/L26->18 "
              "\nrang 1 27->18\nS M/L27->18 P5 M/L27->18 "
              "\nrang 2 11->18\nS M/L18->19 Pd M/L18->19 S L/M19->18 "
              "\nrang 2 19->18\nS M/L11->18 S L/M18->11 "
              "\nrang 2 27->18\n"});
}

// The same eight moves with 11 and 18 red: (11,18) now builds a red column of
// two next to red 19 (2), the opponent's last pair, which closes 19:
// -10 + 1000 - 9000, then -10 + 1000 back.  (19,18) leaves red 11 and 18 as
// the last pair, two replies of -10 + 1000: 100 + 1980 beats the five of
// (27,18), 1000, which has no reply.
TEST(JoueurPoids, DeuxiemeRangDernierePaireAdverseEtColonneFermeeL_L)
{
    verifier({"paire adverse au rang 2",
              essai::notation({{11, "1r"}, {18, "1r"}, {19, "2r"}, {26, "4r"}, {27, "4j"}}, 'j'),
              {7, 5},
              "\nrang 1 11->18\nS L/L11->18 "
              "\nrang 1 18->11\nS L/L18->11 "
              "\nrang 1 18->19\nS L/L18->19 Pd L/L18->19 "
              "\nrang 1 18->26\nS L/L18->26 P5 L/L18->26 "
              "\nrang 1 18->27\nS L/M18->27 P5 L/M18->27 "
              "\nrang 1 19->18\nS L/L19->18 "
              "\nrang 1 26->18\nS L/L26->18 P5 L/L26->18 "
              "\nrang 1 27->18\nS M/L27->18 P5 M/L27->18 "
              "\nrang 2 11->18\nS L/L18->19 ine favo 18->19 Pd L/L18->19 "
              "S L/L19->18 ine favo 19->18 "
              "\nrang 2 18->11\n"
              "\nrang 2 19->18\nS L/L11->18 ine favo 11->18 S L/L18->11 ine favo 18->11 "
              "\nrang 2 27->18\n"});
}

// 19 yellow of three: after (11,18) or (19,18) the only replies build a
// yellow five from the last yellow pair, +10 + 1000 + 10 each way, so both
// reach 100 + 2040 and the later, (19,18), beats the five of (27,18).
TEST(JoueurPoids, DeuxiemeRangCinqPropreOffert)
{
    verifier({"cinq M/M au rang 2",
              essai::notation({{11, "1j"}, {18, "1r"}, {19, "3j"}, {26, "4r"}, {27, "4j"}}, 'j'),
              {7, 5},
              "\nrang 1 11->18\nS M/L11->18 "
              "\nrang 1 18->11\nS L/M18->11 "
              "\nrang 1 18->19\nS L/M18->19 Pd L/M18->19 "
              "\nrang 1 18->26\nS L/L18->26 P5 L/L18->26 "
              "\nrang 1 18->27\nS L/M18->27 P5 L/M18->27 "
              "\nrang 1 19->18\nS M/L19->18 "
              "\nrang 1 26->18\nS L/L26->18 P5 L/L26->18 "
              "\nrang 1 27->18\nS M/L27->18 P5 M/L27->18 "
              "\nrang 2 11->18\nS M/M18->19 ine favo 18->19 P5 M/M18->19 "
              "S M/M19->18 ine favo 19->18 P5 M/M19->18 "
              "\nrang 2 19->18\nS M/M11->18 ine favo 11->18 P5 M/M11->18 "
              "S M/M18->11 ine favo 18->11 P5 M/M18->11 "
              "\nrang 2 27->18\n"});
}

// Red to move, four low columns around 3 (0 and 4 red, 1 yellow, 3 yellow of
// two): no five, no closed column (each destination keeps an empty
// neighbour), so rank 1 is the colour rule alone and the six moves of +100
// are explored.  At rank 2 red stays own although yellow replies: after
// (0,1), (0,3), (4,1) or (4,3) the replies touching the new column sum
// 3 + 10 - 30 + 10 in some order, -7; after (1,3) or (3,1), two M/L and two
// L/M, -54.  The last of the four at 93, (4,3), keeps its first-pass lead.
TEST(JoueurPoids, DeuxiemeRangTraitRouge)
{
    verifier({"trait rouge au rang 2",
              essai::notation({{0, "1r"}, {1, "1j"}, {3, "2j"}, {4, "1r"}}, 'r'), {11, 11},
              "\nrang 1 0->1\nS M/L0->1 "
              "\nrang 1 0->3\nS M/L0->3 "
              "\nrang 1 0->4\nS M/M0->4 "
              "\nrang 1 1->0\nS L/M1->0 "
              "\nrang 1 1->3\nS L/L1->3 "
              "\nrang 1 1->4\nS L/M1->4 "
              "\nrang 1 3->0\nS L/M3->0 "
              "\nrang 1 3->1\nS L/L3->1 "
              "\nrang 1 3->4\nS L/M3->4 "
              "\nrang 1 4->0\nS M/M4->0 "
              "\nrang 1 4->1\nS M/L4->1 "
              "\nrang 1 4->3\nS M/L4->3 "
              "\nrang 2 0->1\nS M/L1->3 S M/M1->4 S L/M3->1 S M/M4->1 "
              "\nrang 2 0->3\nS L/M1->3 S M/L3->1 S M/M3->4 S M/M4->3 "
              "\nrang 2 1->3\nS M/L0->3 S L/M3->0 S L/M3->4 S M/L4->3 "
              "\nrang 2 3->1\nS M/L0->1 S L/M1->0 S L/M1->4 S M/L4->1 "
              "\nrang 2 4->1\nS M/M0->1 S M/M1->0 S M/L1->3 S L/M3->1 "
              "\nrang 2 4->3\nS M/M0->3 S L/M1->3 S M/M3->0 S M/L3->1 "});
}

// The opening: every own column onto an opponent's one (side neighbours) and
// every opponent's column onto another diagonally weighs 100 at rank 1; the
// last of them is (47,45), index 290.  At rank 2 a yellow column of two on a
// former red cell d gains +20 per other yellow neighbour (side) and loses 27
// per red one (diagonal): 100 + 20 * 3 - 27 * 3 = 79 on the red cells with
// four side neighbours and three diagonal ones (4, 9, 14, 16, 31, 33, 38, 43),
// the most any move reaches; the last such move is (46,43), index 284 + 1.
TEST(JoueurPoids, PositionInitiale)
{
    essai::Tour t = essai::jouerUnTour(JOUEUR, essai::NOTATION_INITIALE);
    ASSERT_EQ(t.execution.statut, 0);
    EXPECT_EQ(t.indices, (std::vector<int>{290, 285}));

    const std::string &s = t.execution.sortie;
    // Cell 0 is red, 1 and 3 yellow, 2 and 4 red; no column of two is closed.
    const std::string debut = "\nrang 1 0->1\nS L/M0->1 \nrang 1 0->2\nS L/L0->2 "
                              "\nrang 1 0->3\nS L/M0->3 \nrang 1 0->4\nS L/L0->4 \n";
    EXPECT_EQ(s.substr(0, debut.size()), debut);
    std::vector<std::string> l = essai::lignes(s);
    int rang1 = 0;
    std::string apres4643;
    for (size_t k = 0; k < l.size(); k++) {
        rang1 += l[k].rfind("rang 1 ", 0) == 0;
        if (l[k] == "rang 2 46->43" && k + 1 < l.size())
            apres4643 = l[k + 1];
    }
    EXPECT_EQ(rang1, 292);
    // Replies touching 43 (now yellow), in list order; 46 is empty.
    EXPECT_EQ(apres4643, "S L/M38->43 S M/M39->43 S L/M40->43 S M/M42->43 S M/L43->38 "
                         "S M/M43->39 S M/L43->40 S M/M43->42 S M/M43->44 S M/L43->47 "
                         "S M/M44->43 S L/M47->43 ");
}

} // namespace
