// Reading and writing the position notation.
#include "capture.h"
#include "notation.h"
#include "programme.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(Notation, LaPositionInitialeSEcritEtSeRelit)
{
    Position initiale = getPositionInitiale();
    EXPECT_EQ(hote::ecrireNotation(initiale), essai::NOTATION_INITIALE);
    hote::LectureNotation l = hote::lireNotation(essai::NOTATION_INITIALE);
    ASSERT_TRUE(l.position) << l.erreur;
    EXPECT_EQ(0, std::memcmp(&*l.position, &initiale, sizeof initiale));
}

TEST(Notation, LesCasesSontDansLOrdreDesNumeros)
{
    // Cell 0 is the first of row 0, cell 19 the last of row 3, cell 47 the
    // last of all; height 0 reads as an empty cell.
    Position p = essai::position("5j0./0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.3r/0.0.0.0.0.0.0.0./"
                                 "0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./0.2j r");
    EXPECT_EQ(p.trait, ROUGE);
    EXPECT_EQ(p.cols[0].nb, 5);
    EXPECT_EQ(p.cols[0].couleur, JAUNE);
    EXPECT_EQ(p.cols[19].nb, 3);
    EXPECT_EQ(p.cols[19].couleur, ROUGE);
    EXPECT_EQ(p.cols[47].nb, 2);
    EXPECT_EQ(p.cols[1].couleur, VIDE);
    EXPECT_EQ(hote::ecrireNotation(p), "5j0./0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.3r/0.0.0.0.0.0.0.0./"
                                       "0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./0.2j r");
}

struct Erreur {
    const char *notation;
    const char *message;
};

TEST(Notation, RefuseCeQuiEstMalFormeEnDisantPourquoi)
{
    const std::string lignes = "1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/"
                               "1j1r1j1r1j1r1j1r/1r1j1r1j1r1j/1j1r1j1r/";
    const std::string fin = "1j1r";
    const Erreur erreurs[] = {
        {"", "2 champs attendus (les lignes, puis le trait), 0 trouvé"},
        {"1r1j/1r1j1r1j", "2 champs attendus (les lignes, puis le trait), 1 trouvé"},
        {"a b c", "2 champs attendus (les lignes, puis le trait), 3 trouvés"},
        {"1r1j/1r1j1r1j j", "9 lignes attendues, séparées par « / », 2 trouvées"},
        {"1r1j1r/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r j",
         "la ligne 0 doit décrire 2 cases (4 caractères), elle en a 6"},
        {"1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1 j",
         "la ligne 8 doit décrire 2 cases (4 caractères), elle en a 3"},
        {"6r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r j",
         "case 0 : hauteur « 6 » (attendu un chiffre de 0 à 5)"},
        {"1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1R j",
         "case 47 : couleur « R » (attendu j, r ou .)"},
        {"1r0j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r j",
         "case 1 : une case de hauteur 0 n'a pas de couleur (attendu « 0. »)"},
        {"1r1j/1r1j1r1j/2.1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r j",
         "case 6 : une colonne de hauteur 2 doit être j ou r"},
        {"1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r x",
         "trait « x » (attendu j ou r)"},
        {"1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
         "1r1j1r1j1r1j/1j1r1j1r/1j1r jr",
         "trait « jr » (attendu j ou r)"},
    };
    for (const Erreur &e : erreurs) {
        hote::LectureNotation l = hote::lireNotation(e.notation);
        EXPECT_FALSE(l.position) << e.notation;
        EXPECT_EQ(l.erreur, std::string("notation invalide : ") + e.message) << e.notation;
    }
    EXPECT_TRUE(hote::lireNotation(lignes + fin + " r").position);
    EXPECT_FALSE(hote::lireNotation(lignes + fin + "/ r").position) << "une ligne vide de trop";
}

} // namespace
