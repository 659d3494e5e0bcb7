// Opening books, the time a player has (a time per move, a game clock), and
// the record headers that keep both, written and read back.
#include "programme.h"

#include "partie/cadence.h"
#include "partie/livre.h"
#include "partie/match.h"
#include "sorties/enregistrement.h"
#include "sorties/lecture_tournoi.h"
#include "notation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace moteur {
namespace {

// Cells 0 (red) and 1 (yellow) alone: yellow's one move is 0-1.  Cell 0
// alone: no move.
const std::string DEUX_CASES = "1r1j/0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.0./0.0.0.0.0.0.0.0./"
                               "0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./0.0. j";
const std::string UNE_CASE = "1r0./0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.0./0.0.0.0.0.0.0.0./"
                             "0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./0.0. j";

Position position(const std::string &notation) { return *hote::lireNotation(notation).position; }
bool meme(const Position &a, const Position &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Livre, UnLivreSeLitLigneAPositionEtDitCeQuiNeVaPas)
{
    LectureLivre l = lireLivre("l", "# deux départs\n\n" + std::string(essai::NOTATION_INITIALE) +
                                        "  # initiale\n  " + DEUX_CASES + "\n");
    ASSERT_TRUE(l.livre) << l.erreur;
    ASSERT_EQ(l.livre->departs.size(), 2u);
    EXPECT_TRUE(meme(l.livre->departs[1], position(DEUX_CASES)));
    EXPECT_EQ(l.livre->empreinte.size(), 16u);
    struct Cas {
        std::string texte;
        int ligne;
        std::string erreur;
    };
    const Cas cas[] = {
        {"", 0, "aucune position"},
        {"# rien\n\n", 0, "aucune position"},
        {DEUX_CASES + "\nx\n", 2, hote::lireNotation("x").erreur},
        {"#\n" + UNE_CASE + " # fini\n", 2, "aucun coup possible depuis cette position"},
    };
    for (const Cas &c : cas) {
        LectureLivre faux = lireLivre("l", c.texte);
        EXPECT_FALSE(faux.livre) << c.texte;
        EXPECT_EQ(faux.ligne, c.ligne) << c.texte;
        EXPECT_EQ(faux.erreur, c.erreur) << c.texte;
    }
}

TEST(Livre, LEmpreinteNeTientQuAuxPositionsEtALeurOrdre)
{
    std::string a = std::string(essai::NOTATION_INITIALE) + "\n" + DEUX_CASES + "\n";
    std::string b = "# autre commentaire\n" + std::string(essai::NOTATION_INITIALE) + " # x\n" +
                    DEUX_CASES + "\n";
    std::string inverse = DEUX_CASES + "\n" + essai::NOTATION_INITIALE + "\n";
    EXPECT_EQ(lireLivre("a", a).livre->empreinte, lireLivre("b", b).livre->empreinte);
    EXPECT_NE(lireLivre("a", a).livre->empreinte, lireLivre("i", inverse).livre->empreinte);
}

// Three distinct starts: the initial position and two after one move.
RefLivre livreDeTrois()
{
    Position p = getPositionInitiale();
    std::string t = hote::ecrireNotation(p) + "\n";
    for (int k : {0, 1}) {
        Coup c = getCoupsLegaux(p).coups[k];
        t += hote::ecrireNotation(jouerCoup(p, c.origine, c.destination)) + "\n";
    }
    return lireLivre("trois", t).livre;
}

TEST(Livre, ChaqueDepartSertUnePaireDansUnOrdreTireDeLaGraineEtRepris)
{
    RefLivre livre = livreDeTrois();
    std::set<std::vector<size_t>> ordres;
    for (uint32_t graine = 1; graine <= 6; graine++) {
        SuiteDesParties avec(graine, 0, livre), sans(graine, 0);
        std::vector<size_t> ordre;
        std::vector<Position> departs;
        for (int n = 1; n <= 8; n++) {
            SuiteDesParties::Prevue p = avec.suivante();
            EXPECT_EQ(p.graine, sans.suivante().graine); // the book leaves the seeds alone
            departs.push_back(p.depart);
        }
        for (int paire = 0; paire < 4; paire++) {
            EXPECT_TRUE(meme(departs[2 * paire], departs[2 * paire + 1]));
            for (size_t k = 0; k < 3; k++)
                if (meme(departs[2 * paire], livre->departs[k]))
                    ordre.push_back(k);
        }
        ASSERT_EQ(ordre.size(), 4u);
        EXPECT_EQ(std::set<size_t>(ordre.begin(), ordre.begin() + 3).size(), 3u); // each once
        EXPECT_EQ(ordre[3], ordre[0]);                                             // then again
        ordres.insert(ordre);
    }
    EXPECT_GT(ordres.size(), 1u);
}

TEST(Cadence, LesCadencesSeLisentSEcriventEtBornentLAttente)
{
    struct Cas {
        const char *texte;
        std::optional<Pendule> attendue;
    };
    const Cas pendules[] = {
        {"10+0.1", Pendule{10, 0.1}}, {"60", Pendule{60, 0}}, {"0,5+0,25", Pendule{0.5, 0.25}},
        {"0+1", std::nullopt},        {"10+", std::nullopt},  {"+1", std::nullopt},
        {"10+-1", std::nullopt},      {"86401", std::nullopt}, {"1e2+0", std::nullopt},
    };
    for (const Cas &c : pendules) {
        std::optional<Pendule> p = Cadence::lirePendule(c.texte);
        ASSERT_EQ(p.has_value(), c.attendue.has_value()) << c.texte;
        if (p) {
            EXPECT_EQ(p->base, c.attendue->base) << c.texte;
            EXPECT_EQ(p->increment, c.attendue->increment) << c.texte;
        }
    }
    Cadence horlogeSeule = Cadence::sansLimite().avec({60, 0});
    Cadence lesDeux = Cadence(10).avec({10, 0.1});
    EXPECT_EQ(horlogeSeule.texte() + " " + horlogeSeule.textePendule(), "sans limite 60+0");
    EXPECT_EQ(lesDeux.texte() + " " + lesDeux.textePendule(), "10 10+0.1");
    EXPECT_EQ(Cadence::relire("sans limite", "60+0"), horlogeSeule);
    EXPECT_EQ(Cadence::relire("10", "10+0.1"), lesDeux);
    EXPECT_EQ(Cadence::relire("10", ""), Cadence());
    EXPECT_FALSE(Cadence::relire("10", "dix"));
    // The wait for one answer: the shorter of the time per move and the clock.
    EXPECT_EQ(lesDeux.delai(3), 3);
    EXPECT_EQ(lesDeux.delai(20), 10);
    EXPECT_EQ(horlogeSeule.delai(20), 20);
    EXPECT_EQ(horlogeSeule.delai(-0.5), 0);
    EXPECT_EQ(Cadence(10).delai(3), 10);
}

// ---- Headers -------------------------------------------------------------

const std::string PARTIE = "[Partie \"1\"]\n[Jaune \"a\"]\n[Rouge \"b\"]\n[Graine \"5\"]\n"
                           "[Depart \"" + DEUX_CASES + "\"]\n[Resultat \"0-1\"]\n"
                           "[Fin \"plus aucun coup possible\"]\n"
                           "[Score \"J: 0 (0 piles de 5) - R : 1 (0 piles de 5)\"]\n"
                           "[Pendule \"10+0.1\"]\n\n1. 0-1\n\n";

TEST(EnTetes, LeLivreEtLaPenduleSEcriventSeRelisentEtLesAnciensEnTetesAussi)
{
    auto livre = std::make_shared<Livre>(Livre{"l.txt", "0123456789abcdef", {}});
    EnTeteMatch m = {"a", "b", 7, 2, 0, Cadence::sansLimite().avec({10, 0.1}), false, "D", livre};
    std::string t = ecrireEnTeteMatch(m);
    EXPECT_EQ(t, "[Match \"a contre b\"]\n[GraineMatch \"7\"]\n[Parties \"2\"]\n"
                 "[Ouverture \"0\"]\n[Livre \"l.txt\"]\n[EmpreinteLivre \"0123456789abcdef\"]\n"
                 "[Temps \"sans limite\"]\n[Pendule \"10+0.1\"]\n[Strict \"non\"]\n[Date \"D\"]\n\n");
    LectureEnregistrements l = lireEnregistrements(t + PARTIE);
    ASSERT_EQ(l.ligneErreur, 0) << l.erreur;
    ASSERT_EQ(l.matchs.size(), 1u);
    EXPECT_EQ(l.parties[0].pendule, "10+0.1");
    EXPECT_EQ(ecrireEnregistrement(l.parties[0]), PARTIE);
    std::string erreur;
    std::optional<EnTeteMatch> relu = enTeteDuMatch(l.matchs[0].etiquettes, erreur);
    ASSERT_TRUE(relu) << erreur;
    EXPECT_TRUE(calendrierDuMatch(*relu) == calendrierDuMatch(m));
    EXPECT_EQ(relu->date, "D");
    // Without a book or a clock, the header is the old one, and reads so.
    LectureTournoi ancien = lireMatch(ecrireEnTeteMatch({"a", "b", 7, 2, 0, 0.5, true, "D", {}}), Coupure::Refusee);
    ASSERT_TRUE(ancien.reglage) << ancien.erreur;
    EXPECT_FALSE(ancien.reglage->livre || ancien.reglage->temps.pendule());

    struct Cas {
        std::string avant, apres, erreur;
    };
    const Cas cas[] = {
        {"[Pendule \"10+0.1\"]\n[Strict", "[Pendule \"dix\"]\n[Strict", "8: valeur invalide pour Pendule"},
        {"0123456789abcdef", "0123456789ABCDEF", "6: valeur invalide pour EmpreinteLivre"},
        {"[EmpreinteLivre \"0123456789abcdef\"]\n", "", "1: en-tête de match invalide"},
        {"[Temps \"sans limite\"]\n", "", "7: étiquette attendue : [Temps \"...\"]"},
    };
    for (const Cas &c : cas) {
        std::string faux = t;
        faux.replace(faux.find(c.avant), c.avant.size(), c.apres);
        LectureEnregistrements e = lireEnregistrements(faux + PARTIE);
        EXPECT_EQ(std::to_string(e.ligneErreur) + ": " + e.erreur, c.erreur);
    }
}

TEST(EnTetes, UnTournoiAvecLivreSeRelitEtNeSeConfondPasAvecUnAutreLivre)
{
    ReglageTournoi r;
    r.joueurs = {"a", "b", "c"};
    r.parties = 4; // game 3: the first pairing's, a yellow
    r.livre = livreDeTrois();
    r.temps = Cadence(2).avec({30, 0.5});
    LectureTournoi l = lireTournoi(ecrireEnTeteTournoi(r, "D"), Coupure::Refusee);
    ASSERT_TRUE(l.reglage) << l.erreur;
    EXPECT_TRUE(*l.reglage == r);
    EXPECT_EQ(l.reglage->livre->nom, "trois");
    ReglageTournoi autre = r;
    autre.livre = lireLivre("trois", essai::NOTATION_INITIALE).livre;
    EXPECT_FALSE(*l.reglage == autre);
    EXPECT_EQ(difference(*l.reglage, autre),
              "--livre (trois, empreinte " + r.livre->empreinte + " dans le fichier)");
    // Read back without its positions, the book still vouches for the starts.
    Calendrier relu(*l.reglage), ici(r);
    Partie p;
    p.numero = 3;
    p.rencontre = 1;
    PartiePrevue prevue = ici.partie(3);
    p.jaune = "a";
    p.rouge = "b";
    p.graine = prevue.graine;
    p.depart = prevue.depart;
    EXPECT_EQ(relu.ecartAvec(p), "");
    EXPECT_EQ(ici.ecartAvec(p), "");
    p.depart = position(DEUX_CASES);
    EXPECT_EQ(relu.ecartAvec(p), "");
    EXPECT_NE(ici.ecartAvec(p), "");
}

} // namespace
} // namespace moteur
