// joueur_rapport as a real program, one turn per position.  Every expected
// index was worked out by hand: the point moves of both sides, the lookahead
// of each candidate, its rule family and the ranking.  Yellow is to move in
// every position; "own" is yellow.
//
// Refusals that cannot happen with these rules, hence no test:
// - one own point move (step 2) is never refused: the only -999 of its
//   family needs a five of two own columns, whose reverse move is another own
//   five, so there are then at least two own point moves;
// - for the same reason a single own five is never refused in trouverCoup:
//   a refused five always comes with its reverse;
// - a blocking answer never carries -999: every answer makes a column of at
//   most 3 (1 onto 2, 2 onto 1, or the reverse of a move of at most 3), never
//   a four; and contrerOrdi2 never applies there, the player having no point
//   move of its own.
#include "plateaux.h"
#include "programme.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using essai::Colonnes;

struct Cas {
    const char *nom;
    Colonnes colonnes;
    int attendu;
};

void verifier(const std::vector<Cas> &cas)
{
    for (const Cas &c : cas) {
        const std::string n = essai::notation(c.colonnes);
        essai::Tour t = essai::jouerUnTour("joueur_rapport", n);
        EXPECT_EQ(t.execution.statut, 0) << c.nom;
        EXPECT_EQ(t.execution.sortie, "") << c.nom; // nothing printed in a turn
        EXPECT_EQ(t.indices, std::vector<int>{c.attendu}) << c.nom << "\n" << n;
    }
}

TEST(JoueurRapport, UnSeulCoupAPoint)
{
    verifier({
        // (0,1) 0, (1,0) 1.  Own five onto the opponent: +2 (the opponent's
        // five 1 -> 0 disappears).
        {"un cinq", {{0, "2j"}, {1, "3r"}}, 0},
        // (0,1) 0, (1,0) 1, (1,5) 2, (5,1) 3.  Own point moves: only (1,0),
        // pattern 2 (5 is too high to join 0).  For (1,5) the neighbour 0 of
        // 1, first in N(1), raises bloc (1 + 1 + 5 > 4) and the counter is not
        // reset, so 5 is not recorded.  (1,0) rates -1 (own onto own) and is
        // still played.  The fallback would play (1,5) (+4 against -4, -24,
        // -28), and so would a bloc reset per neighbour (two point moves,
        // then (1,5) at -2 beats (1,0) at -3).
        {"somme négative acceptée", {{0, "1j"}, {1, "1j"}, {2, "5r"}, {5, "1r"}}, 1},
    });
}

TEST(JoueurRapport, PlusieursCoupsAPoint)
{
    verifier({
        // (0,1) 0, (1,0) 1, (46,47) 2, (47,46) 3.  Own: the two fives 46-47
        // of own columns 1 and 4 (-999 each, -1002 in all): refused.  The
        // fallback rates (0,1) and (1,0) +6 (opponent onto opponent), the
        // fives -5: index 0.  Accepting the five would give 2.
        {"cinq de 1 et 4 à soi refusé", {{0, "1r"}, {1, "1r"}, {46, "1j"}, {47, "4j"}}, 0},
        // (2,7) 0, (4,7) 1, (7,2) 2, (7,4) 3, (7,12) 4, (12,7) 5, (46,47) 6,
        // (47,46) 7.  Ten own point moves: nine around 7 (each move of 7 onto
        // a lone leaf records the three moves of 7) and the five 46 -> 47.
        // Cells 2, 4, 7 and 12 are crowded; the collection starts with the
        // three copies of (7,2); all rate -2 (lose more than one own point
        // move): index 2.  Without the crowded step the five alone would be
        // played (+2): index 6.
        {"cases chargées",
         {{7, "1j"}, {2, "1r"}, {4, "1r"}, {12, "1r"}, {46, "2j"}, {47, "3r"}},
         2},
        // (0,1) 0, (1,0) 1, (46,47) 2, (47,46) 3.  Two own point moves, so no
        // crowded step; the one five is rated alone (+2) and played.  Ranking
        // both would keep (0,1) first (+2 too): index 0.
        {"deux coups à point dont un cinq", {{0, "1j"}, {1, "1r"}, {46, "2j"}, {47, "3r"}}, 2},
        // (0,1) 0, (1,0) 1, (46,47) 2, (47,46) 3.  Three own fives, no cell
        // touched three times: (0,1) and (1,0) are 1 + 4 of own columns
        // (-1002), 46 -> 47 takes the opponent's five away (+2).
        {"plusieurs cinq classés", {{0, "1j"}, {1, "4j"}, {46, "2j"}, {47, "3r"}}, 2},
        // (0,1) 0, (1,0) 1, (46,47) 2, (47,46) 3.  Three own lone-pair moves,
        // no five: (0,1) and (1,0) -3 (lose two, own onto own), (46,47) +2.
        {"plusieurs coups à point sans cinq", {{0, "1j"}, {1, "1j"}, {46, "1j"}, {47, "1r"}}, 2},
    });
}

TEST(JoueurRapport, Blocage)
{
    verifier({
        // (0,1) 0, (0,2) 1, (1,0) 2, (2,0) 3.  Opponent: fives 0 -> 1 and
        // 1 -> 0, and 2 -> 0 (pattern 2); all three touch 0.  Answers: 2 onto
        // 0 (three), 0 onto 2 (moving the two away), twice, then the reverse
        // 0 -> 2 of 2 -> 0.  All rate +4 (no opponent point move left): the
        // first, 2 -> 0.  The fallback would play (0,2).
        {"autour d'une colonne de 2", {{0, "2r"}, {1, "3r"}, {2, "1r"}}, 3},
        // (13,14) 0, (14,13) 1, (14,15) 2, (15,14) 3.  Opponent: (13,14)
        // pattern 2 (15 is too high to join), the fives (14,15) and (15,14);
        // (14,13) raises bloc on its first joinable neighbour, 13 (2 + 1 + 2).
        // All three touch 14, so they are answered in table order: the
        // reverse 14 -> 13 of (13,14) first, then around the two of 14: 13
        // onto 14, 14 onto 13, twice.
        // Every answer leaves no move at all: +4 each, the first wins.
        // Answering only the fives would play (13,14), and so would the
        // fallback (+6 for red onto red against +5 for the fives).
        {"cases chargées adverses", {{13, "1r"}, {14, "2r"}, {15, "3r"}}, 1},
        // (46,47) 0, (47,46) 1.  Two opponent lone-pair moves, no five: each
        // answered by its reverse, the first answer being 47 -> 46.  Both
        // +4; the fallback would play (46,47).
        {"coup inverse", {{46, "1r"}, {47, "1r"}}, 1},
        // (45,47) 0, (46,47) 1, (47,45) 2, (47,46) 3.  Opponent: (47,46)
        // frees 46 and records (47,45) and (47,46) (X = h(46) = 1); (47,45)
        // records nothing (X = h(45) = 3, and 47 itself counts: 1 + 3 + 1).
        // No five: (47,45) sums 4 and gets no answer, (47,46) gets 46 -> 47,
        // after which the two fives 45-47 leave the count at 2: testsupp 0,
        // played.  Answering the four too would put 45 -> 47 first, at 0 as
        // well (no -999: the count stays); the fallback would play (45,47).
        {"coup adverse de 4 sans réponse", {{45, "3r"}, {46, "1r"}, {47, "1r"}}, 1},
        // (0,1) 0, (1,0) 1, (46,47) 2, (47,46) 3.  Opponent: the lone pair
        // 0-1 (pattern 3 both ways) and the fives of 1 and 4; no cell is
        // touched three times.  With fives, only the fives are answered, and
        // these get nothing: the fallback plays (0,1) (+6, the fives +5).
        // Answering the lone pair too would play its reverse (1,0) at +4.
        {"cinq adverses seuls répondus", {{0, "1r"}, {1, "1r"}, {46, "1r"}, {47, "4r"}}, 0},
        // Triangle (0,1) 0, (0,3) 1, (1,0) 2, (1,3) 3, (3,0) 4, (3,1) 5,
        // then (46,47) 6, (47,46) 7.  The opponent's only point moves are the
        // fives of 1 and 4: no column of two, no answer, and the empty record
        // (numero 0) is not played.  Fallback: (1,3) and (3,1) +16 (gain an
        // own point move, opponent onto opponent), fives +5, others -16/-28.
        {"cinq adverse de 1 et 4 sans réponse",
         {{0, "1j"}, {1, "1r"}, {3, "1r"}, {46, "1r"}, {47, "4r"}},
         3},
    });
}

TEST(JoueurRapport, Repli)
{
    verifier({
        // (0,1) 0, (0,3) 1, (1,0) 2, (1,3) 3, (3,0) 4, (3,1) 5: no point move
        // on either side.  (0,1), (0,3): give the opponent one (-20), own onto
        // opponent (+4): -16.  (1,0), (3,0): -20 - 8.  (1,3), (3,1): the
        // lookahead, still from yellow's side, finds one own point move and
        // none for red: +10 + 6 = 16.  The earlier wins.  (A lookahead that
        // handed the trait to red would rate (1,3) -14 and (0,1) +14.)
        {"aucun coup à point", {{0, "1j"}, {1, "1r"}, {3, "1r"}}, 3},
        // (0,1) 0, (0,2) 1, (1,0) 2, (1,5) 3, (2,0) 4, (5,1) 5.  Every move
        // gives red point moves (-20) and is red onto red (+6): -14; (0,1)
        // and (1,0) make a four that changes them: -999 more.  Without that
        // rule (0,1) would come first.
        {"une pile de quatre interdite", {{0, "2r"}, {1, "2r"}, {2, "1r"}, {5, "1r"}}, 1},
        // A triangle of twos: every move is a red point move (pattern 2),
        // none gets an answer (sum 4), and every move makes a four that takes
        // them all away: -999 + 6 each.  The fallback still plays the first.
        {"tout est interdit", {{0, "2r"}, {1, "2r"}, {3, "2r"}}, 0},
        // No legal move: index 0.
        {"liste vide", {{0, "1j"}}, 0},
    });
}

} // namespace
