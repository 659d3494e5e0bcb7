// The board on screen, and when it is coloured.
#include "programme.h"
#include "sorties/affichage.h"

#include <gtest/gtest.h>

namespace {

TEST(Affichage, LePlateauMarqueLeDernierCoupEtLesColonnesDeCinq)
{
    Position p = jouerCoup(getPositionInitiale(), 0, 1);
    p.cols[46] = {5, JAUNE};
    std::vector<std::string> l = essai::lignes(moteur::texteGrille(p, false, Coup{0, 1}));
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[0], "              [ 0: .][ 1:2r]");
    EXPECT_EQ(l[3], "        12:1r  13:1j  14:1r  15:1j  16:1r  17:1j  18:1r  19:1j");
    EXPECT_EQ(l[4], " 20:1r  21:1j  22:1r  23:1j         24:1j  25:1r  26:1j  27:1r");
    EXPECT_EQ(l[8], "                                    46:5J  47:1r");
    std::string couleurs = moteur::texteGrille(p, true, Coup{0, 1});
    EXPECT_EQ(essai::lignes(couleurs)[0], "              [ 0: .][ 1:\033[1;31m2r\033[0m]");
    EXPECT_NE(couleurs.find("46:\033[1;7;33m5J\033[0m"), std::string::npos);
    EXPECT_NE(couleurs.find("47:\033[1;31m1r\033[0m"), std::string::npos);
}

TEST(Affichage, LesCouleursSeulementSurUnTerminalQuiLesMontre)
{
    struct Cas {
        bool terminal;
        const char *term, *noColor;
        bool couleurs;
    };
    const Cas cas[] = {
        {true, "xterm", nullptr, true}, {false, "xterm", nullptr, false},
        {true, "dumb", nullptr, false}, {true, nullptr, nullptr, false},
        {true, "xterm", "1", false},    {true, "xterm", "", true},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(moteur::couleursVoulues(c.terminal, c.term, c.noColor), c.couleurs)
            << c.terminal << " " << (c.term ? c.term : "-") << " " << (c.noColor ? c.noColor : "-");
}

} // namespace
