// What every player program must respect, over positions from seeded random
// play: it ends, its trace is valid UTF-8, it hands only indices of the list
// it was given, it signals no engine unasked, and a given seed gives the same
// turn.
#include "dialogue.h"
#include "plateau.h"
#include "positions.h"
#include "programme.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> joueurs() { return essai::noms(TESSOR_JOUEURS); }

bool utf8Valide(const std::string &s)
{
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        int suite = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (suite < 0 || i + static_cast<size_t>(suite) >= s.size())
            return false;
        for (int k = 1; k <= suite; k++)
            if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) >> 6) != 0x2)
                return false;
        i += static_cast<size_t>(suite) + 1;
    }
    return true;
}

class Batterie : public testing::TestWithParam<std::string> {};

TEST_P(Batterie, TermineEcritDeLUtf8RemetDesIndicesDeLaListeEtSeRejoue)
{
    const std::string &joueur = GetParam();
    unsigned graine = 1;
    // Four seeded games: every eighth position of each and its last one,
    // where no move remains.
    for (const Position &p : essai::positionsDeJeu(4, 8, 4242)) {
        std::string notation = essai::notation(p);
        int nb = getCoupsLegaux(p).nb;
        essai::Tour t = essai::jouerUnTour(joueur, notation, graine);
        SCOPED_TRACE(notation);
        ASSERT_EQ(t.execution.statut, 0) << t.execution.erreurs;
        ASSERT_TRUE(t.ligneIndicesLue) << t.execution.erreurs;
        EXPECT_TRUE(utf8Valide(t.execution.sortie));
        // Only humain_moteur signals the engine, after a typed move: none is
        // typed here.
        EXPECT_EQ(t.signaux, 0);
        for (int i : t.indices)
            EXPECT_TRUE(i >= 0 && i < std::max(nb, 1)) << "indice " << i << " pour " << nb << " coups";
        essai::Tour encore = essai::jouerUnTour(joueur, notation, graine);
        EXPECT_EQ(encore.execution.sortie, t.execution.sortie);
        EXPECT_EQ(encore.execution.erreurs, t.execution.erreurs);
        graine = graine * 7 + 3;
    }
}

// Through the text protocol (`PLAYER --texte`), a player makes the same move
// as in one-turn mode with the same seed, and its trace goes to standard
// error, whole, leaving standard output to the protocol.  The human players
// read the terminal in that mode: they are left out.
TEST_P(Batterie, EnTexteJoueLeCoupDuModeUnTour)
{
    const std::string &joueur = GetParam();
    if (joueur.rfind("humain_", 0) == 0)
        GTEST_SKIP() << "un humain lit le terminal";
    unsigned graine = 5;
    for (const Position &p : essai::positionsDeJeu(1, 10, 77)) {
        std::string notation = essai::notation(p);
        SCOPED_TRACE(notation);
        essai::Tour t = essai::jouerUnTour(joueur, notation, graine);
        std::string attendu = t.indices.empty() ? "passe" : "coup " + std::to_string(t.indices.back());
        std::string demandes = "tessor 1\npartie " + std::to_string(graine) + "\n" +
                               dialogue::ligneTour(p, getCoupsLegaux(p)) + "fin\n";
        essai::Execution e = essai::executer(essai::programme(joueur), {"--texte"}, demandes);
        EXPECT_EQ(e.statut, 0) << e.erreurs;
        EXPECT_EQ(e.sortie, "bonjour 1 " + joueur + "\n" + attendu + "\n");
        EXPECT_EQ(e.erreurs, t.execution.sortie);
        graine = graine * 7 + 3;
    }
}

INSTANTIATE_TEST_SUITE_P(Joueurs, Batterie, testing::ValuesIn(joueurs()),
                         [](const testing::TestParamInfo<std::string> &p) { return p.param; });

TEST(Utf8, ReconnaitLesSequencesValides)
{
    EXPECT_TRUE(utf8Valide("Coup correspondant trouvé : 4\n"));
    EXPECT_FALSE(utf8Valide("trouv\xE9"));
    EXPECT_FALSE(utf8Valide("\xC3"));
    EXPECT_FALSE(utf8Valide("\xC3\x28"));
}

} // namespace
