// joueur_critique, joueur_critique3 and joueur_critique2 played for one turn
// as real programs.  Each board is small enough to follow by hand: the
// comments give the legal list (sorted by origin, then destination) and why
// each slot holds what it holds.
#include "capture.h"
#include "plateau.h"
#include "programme.h"

#include <gtest/gtest.h>

namespace {

using essai::Colonnes;

struct Attendu {
    std::string slots;     // the trace line of the slots
    std::string decision;  // the last line; empty when a five is taken at once
    std::vector<int> indices;
};

struct Cas {
    const char *nom;
    Colonnes colonnes;
    char trait;
    std::string prise;     // the five-taking line, or empty
    Attendu critique;      // joueur_critique and joueur_critique3
    Attendu critique2;
};

const char *const AUCUNE = "aucune strat choisi, coup par default";

const Cas CAS[] = {
    // No two neighbouring columns: an empty list.
    {"liste vide", {{0, "5j"}, {47, "1r"}}, 'r', "",
     {"-1\t-1\t-1", AUCUNE, {}},
     {"-1\t-1\t-1\t-1\t-1\t", AUCUNE, {}}},

    // 0 (0,1) 1 (0,3) 2 (0,4) 3 (1,0) 4 (1,3) 5 (1,4) 6 (3,0) 7 (3,1) 8 (3,4) ...
    // Move 6 is already a safe move onto red (slot 2), but move 8 puts the
    // yellow 2 on the red 3: a five taken at once, before (3,7) at 9.
    {"cinq pris à l'adversaire", {{0, "1r"}, {1, "1r"}, {3, "2j"}, {4, "3r"}, {7, "3r"}}, 'j',
     "tour de 5 prise par le coup 8 : 3 ---> 4 ",
     {"", "", {8}},
     {"", "", {8}}},

    // 0 (0,1) 1 (1,0), both a yellow five on yellow: not taken, and a sum of
    // 5 is not below the isolation value 5.  Slot 3 starts at 6 and takes
    // the first; slot 4 too (5 > 0), and slot 3 comes first.
    {"cinq sur sa propre couleur", {{0, "2j"}, {1, "3j"}}, 'j', "",
     {"-1\t-1\t-1", AUCUNE, {}},
     {"-1\t-1\t-1\t0\t0\t", "coup isolement suicide 0 : 0 ---> 1 ", {0}}},

    // All yellow, every cell with three live neighbours: nothing to isolate,
    // nothing red.  Sums: 0:(0,1)2 1:(0,3)3 2:(0,4)4 3..5 from 1, 6:(3,0)3
    // 7:(3,1)3 8:(3,4)5 9:(4,0)4 10:(4,1)4 11:(4,3)5; all safe, the first 5
    // is 8.
    {"la plus haute pile sûre", {{0, "1j"}, {1, "1j"}, {3, "2j"}, {4, "3j"}}, 'j', "",
     {"-1\t-1\t-1", AUCUNE, {}},
     {"-1\t-1\t-1\t-1\t8\t", "coup autoempileopti 8 : 3 ---> 4 ", {8}}},

    // All of height 1, each cell with three live neighbours, so every move
    // is safe.  Onto the red 3: 1 (0,3), 4 (1,3), 11 (4,3): the last wins.
    // The red 3 only moves onto yellow, so slot 1 stays empty; slot 4 takes
    // the first move, 0 (0,1).
    {"dernier coup sûr sur l'adversaire", {{0, "1j"}, {1, "1j"}, {3, "1r"}, {4, "1j"}}, 'j', "",
     {"-1\t-1\t11", "coup empilement  v2 11 : 4 ---> 3 ", {11}},
     {"-1\t-1\t11\t-1\t0\t", "coup empilement  v1 11 : 4 ---> 3 ", {11}}},

    // Red 2 and 7 among yellow columns, all of height 1: 40 safe moves.
    // 2 (2,7): red on red, 7 has 8 live neighbours, 8 < 9; 16 (7,2): 2 has
    // 3, 3 < 8, kept.  The last move onto red is 37 (14,7).
    {"empilement adverse, le moins de voisins",
     {{2, "1r"}, {3, "1j"}, {4, "1j"}, {6, "1j"}, {7, "1r"}, {8, "1j"}, {12, "1j"}, {13, "1j"},
      {14, "1j"}},
     'j', "",
     {"-1\t16\t37", "coup empilement  v1 16 : 7 ---> 2 ", {16}},
     {"-1\t16\t37\t-1\t0\t", "coup empilement  v2 16 : 7 ---> 2 ", {16}}},

    // The same with a yellow 3 on cell 0, which shifts the list by 6 and
    // makes (7,2) critical (2 + 3 = 5 next to 2): slot 1 keeps 6 (2,7),
    // filled with a count of 8.  Every move of height 4 offers a five (a
    // red neighbour, or a red top), so the tallest safe stack is 2 high,
    // first safe at 5 (2,6) after 4 (2,3) offered a five next to 0.
    {"huit voisins suffisent",
     {{0, "3j"}, {2, "1r"}, {3, "1j"}, {4, "1j"}, {6, "1j"}, {7, "1r"}, {8, "1j"}, {12, "1j"},
      {13, "1j"}, {14, "1j"}},
     'j', "",
     {"-1\t6\t43", "coup empilement  v1 6 : 2 ---> 7 ", {6}},
     {"-1\t6\t43\t-1\t5\t", "coup empilement  v2 6 : 2 ---> 7 ", {6}}},

    // 0 (0,1)3 1 (1,0)3 2 (19,27)2 3 (20,28)2 4 (27,19) 5 (28,20)2, then a
    // red group 43, 44, 46, 47 (moves 6 to 17, three live neighbours each).
    // Isolation: 0 with 3, then 2 with 2; later sums of 2 are not below.
    // Red on red: 6 (43,44) first with 3.  Last onto red: 17 (47,46).
    {"isolement d'abord",
     {{0, "2j"}, {1, "1j"}, {19, "1j"}, {20, "1j"}, {27, "1r"}, {28, "1j"}, {43, "1r"},
      {44, "1r"}, {46, "1r"}, {47, "1r"}},
     'j', "",
     {"2\t6\t17", "coup d'isolement la plus petite 2 : 19 ---> 27 ", {2}},
     {"2\t6\t17\t2\t0\t", "coup d'isolement la plus petite 2 : 19 ---> 27 ", {2}}},

    // Reds 0, 1, 2 and a yellow 3, all of height 1.  0 (0,1) 1 (0,2) 2 (0,3)
    // 3 (1,0) 4 (1,3) 5 (2,0) 6 (2,3) 7 (3,0) 8 (3,1) 9 (3,2).  Cell 1 has two
    // live neighbours and its empty neighbour 5 has only 1 itself: every move
    // onto 1 is risky, so red on red starts at 1 (0,2) with 2 neighbours,
    // (1,0) and (2,0) reach 3.  Last safe move onto red: 9 (3,2).  The
    // tallest safe stack is 2 high, first safe at 1 since 0 is risky.
    {"paire fermée : le coup risqué est écarté", {{0, "1r"}, {1, "1r"}, {2, "1r"}, {3, "1j"}},
     'j', "",
     {"-1\t1\t9", "coup empilement  v1 1 : 0 ---> 2 ", {1}},
     {"-1\t1\t9\t-1\t1\t", "coup empilement  v2 1 : 0 ---> 2 ", {1}}},

    // Yellow 45 and 47, red 46, all of height 1: 0 (45,47) 1 (46,47)
    // 2 (47,45) 3 (47,46).  47 has two live neighbours, 45 and 46 one each:
    // moves 0 and 1 close a pair (risky); 2 isolates 45 under yellow (sum 2),
    // 3 is the same sum, not below.  The only safe move onto red is 3; the
    // tallest safe stack keeps 2, the first safe one.
    {"isolement sûr, égalité au premier", {{45, "1j"}, {46, "1r"}, {47, "1j"}}, 'j', "",
     {"2\t-1\t3", "coup d'isolement la plus petite 2 : 47 ---> 45 ", {2}},
     {"2\t-1\t3\t2\t2\t", "coup d'isolement la plus petite 2 : 47 ---> 45 ", {2}}},
};

// The start of the game: no lone cell; the first red-on-red move, 1 (0,2),
// reaches a cell of 4 live neighbours, the fewest on the board for a red
// cell; the last move onto red is 290 (47,45); every move is safe.
const Cas INITIALE = {"position initiale", {}, 'j', "",
                      {"-1\t1\t290", "coup empilement  v1 1 : 0 ---> 2 ", {1}},
                      {"-1\t1\t290\t-1\t0\t", "coup empilement  v2 1 : 0 ---> 2 ", {1}}};

std::string sortieAttendue(const std::string &couleur, const Cas &c, const Attendu &a)
{
    std::string s = "Ma couleur : " + couleur + "\n";
    if (!c.prise.empty())
        return s + c.prise + "\n";
    return s + a.slots + "\n" + a.decision + "\n";
}

void verifier(const std::string &joueur, const std::string &notation, const std::string &couleur,
              const Cas &c, const Attendu &a)
{
    essai::Tour t = essai::jouerUnTour(joueur, notation);
    SCOPED_TRACE(joueur + " / " + c.nom + " / " + couleur);
    EXPECT_EQ(t.execution.statut, 0);
    EXPECT_EQ(t.execution.sortie, sortieAttendue(couleur, c, a));
    EXPECT_TRUE(t.ligneIndicesLue);
    EXPECT_EQ(t.indices, a.indices);
    EXPECT_EQ(t.signaux, 0);
}

void jouerLesCas(const Cas &c, const Position &p)
{
    // The players compare colours with the trait only: the board with the
    // colours exchanged gives the same choice, announced with the other
    // colour.
    const Position echangee = essai::couleursEchangees(p);
    const std::string couleur = p.trait == ROUGE ? "rouge" : "jaune";
    const std::string autre = p.trait == ROUGE ? "jaune" : "rouge";
    for (const char *joueur : {"joueur_critique", "joueur_critique3"}) {
        verifier(joueur, essai::notation(p), couleur, c, c.critique);
        verifier(joueur, essai::notation(echangee), autre, c, c.critique);
    }
    verifier("joueur_critique2", essai::notation(p), couleur, c, c.critique2);
    verifier("joueur_critique2", essai::notation(echangee), autre, c, c.critique2);
}

TEST(JoueursCritique, ChaqueRegleEtChaqueCase)
{
    for (const Cas &c : CAS)
        jouerLesCas(c, essai::plateau(c.colonnes, c.trait));
}

TEST(JoueursCritique, PositionInitiale)
{
    jouerLesCas(INITIALE, essai::position(essai::NOTATION_INITIALE));
}

} // namespace
