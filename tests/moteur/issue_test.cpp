// Outcomes: who wins a game, how its end and its score are written and read.
#include "capture.h"
#include "partie/issue.h"
#include "texte.h"

#include <csignal>
#include <gtest/gtest.h>

namespace {

using namespace moteur;

Score score(uint8_t j, uint8_t j5, uint8_t r, uint8_t r5) { return Score{j, j5, r, r5}; }

TEST(Issue, LesColonnesPuisLesColonnesDeCinqDecident)
{
    struct Cas {
        Score s;
        Resultat attendu;
    };
    const Cas cas[] = {
        {score(12, 3, 10, 2), Resultat::Jaune}, {score(9, 4, 10, 0), Resultat::Rouge},
        {score(10, 3, 10, 2), Resultat::Jaune}, {score(10, 1, 10, 2), Resultat::Rouge},
        {score(10, 2, 10, 2), Resultat::Nulle}, {score(0, 0, 0, 0), Resultat::Nulle},
    };
    for (const Cas &c : cas)
        EXPECT_EQ(resultatAuScore(c.s), c.attendu) << texteScore(c.s);
}

TEST(Issue, UneFauteFaitPerdreQuelQueSoitLeScore)
{
    Position finale = getPositionInitiale(); // 24 columns each: a draw on the board
    EXPECT_EQ(resultatDeLaPartie({Issue::PlusDeCoup, VIDE}, finale), Resultat::Nulle);
    EXPECT_EQ(resultatDeLaPartie({Issue::Temps, JAUNE}, finale), Resultat::Rouge);
    EXPECT_EQ(resultatDeLaPartie({Issue::Plantage, ROUGE}, finale), Resultat::Jaune);
}

TEST(Issue, ChaqueFinSeRelitTelleQuElleSEcrit)
{
    const Issue fautes[] = {Issue::Plantage, Issue::Arret,      Issue::Temps,
                            Issue::Protocole, Issue::Lancement, Issue::AucunIndex,
                            Issue::HorsListe, Issue::Abandon};
    EXPECT_EQ(texteFin({Issue::PlusDeCoup, VIDE}), "plus aucun coup possible");
    EXPECT_EQ(texteFin({Issue::Temps, ROUGE}), "rouge : temps dépassé");
    for (Issue i : fautes)
        for (uint8_t c : {JAUNE, ROUGE}) {
            std::optional<FinPartie> f = lireFin(texteFin({i, c}));
            ASSERT_TRUE(f) << texteFin({i, c});
            EXPECT_EQ(f->issue, i);
            EXPECT_EQ(f->fautif, c);
        }
    // A crash names its signal, and reads back with it.
    EXPECT_EQ(texteFin({Issue::Plantage, JAUNE, SIGSEGV}), "jaune : le programme a planté (SIGSEGV)");
    EXPECT_EQ(lireFin("rouge : le programme a planté (SIGKILL)")->signal, SIGKILL);
    for (const char *faux : {"", "temps dépassé", "vert : temps dépassé", "jaune : ",
                             "jaune : plus aucun coup possible", "rouge : temps"})
        EXPECT_FALSE(lireFin(faux)) << faux;
}

TEST(Issue, LeScoreSEcritCommeAfficherScore)
{
    for (Score s : {score(24, 0, 24, 0), score(12, 3, 10, 2), score(1, 1, 0, 0)}) {
        essai::CaptureSortie capture;
        afficherScore(s);
        EXPECT_EQ(texteScore(s) + "\n", capture.lire());
    }
    EXPECT_EQ(texteScore(score(12, 3, 10, 2)), "J: 12 (3 piles de 5) - R : 10 (2 piles de 5)");
}

} // namespace
