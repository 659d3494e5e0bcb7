// Records: writing, and `moteur rejouer` on sound and tampered files.
#include "capture.h"
#include "programme.h"

#include "sorties/affichage.h"
#include "sorties/enregistrement.h"
#include "partie/issue.h"
#include "texte.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace moteur;
namespace fs = std::filesystem;


// A game worked out by hand: only cells 0 (red) and 1 (yellow) hold a piece;
// yellow plays 0-1, which leaves one red column of two and no move.
const char *const DEPART_DEUX_CASES = "1r1j/0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.0./"
                                      "0.0.0.0.0.0.0.0./0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./"
                                      "0.0. j";

std::string partieALaMain()
{
    return std::string("[Partie \"1\"]\n"
                       "[Jaune \"a\"]\n"
                       "[Rouge \"b\"]\n"
                       "[Graine \"5\"]\n"
                       "[Depart \"") +
           DEPART_DEUX_CASES +
           "\"]\n"
           "[Resultat \"0-1\"]\n"
           "[Fin \"plus aucun coup possible\"]\n"
           "[Score \"J: 0 (0 piles de 5) - R : 1 (0 piles de 5)\"]\n"
           "\n"
           "1. 0-1\n"
           "\n";
}

TEST(Enregistrement, UnePartieSEcritDansLeFormatConvenu)
{
    Partie p;
    p.numero = 1;
    p.jaune = "a";
    p.rouge = "b";
    p.graine = 5;
    p.depart = essai::position(DEPART_DEUX_CASES);
    p.coups.push_back({{0, 1}, JAUNE, false, std::nullopt});
    p.finale = jouerCoup(p.depart, 0, 1);
    p.fin = {Issue::PlusDeCoup, VIDE};
    p.resultat = Resultat::Rouge;
    EXPECT_EQ(ecrireEnregistrement(p), partieALaMain());
}

TEST(Enregistrement, LesCoupsSontNumerotesParPaireEtCoupesEnLignes)
{
    // The game where both sides play the first move of the list, the engine
    // imposing every second one: long enough to wrap.
    Partie p;
    p.jaune = "premier";
    p.rouge = "imposé";
    p.depart = getPositionInitiale();
    Position pos = p.depart;
    for (ListeCoups l = getCoupsLegaux(pos); l.nb > 0; l = getCoupsLegaux(pos)) {
        p.coups.push_back({l.coups[0], pos.trait, p.coups.size() % 2 == 1, std::nullopt});
        pos = jouerCoup(pos, l.coups[0].origine, l.coups[0].destination);
    }
    p.finale = pos;
    p.resultat = resultatAuScore(evaluerScore(pos));
    std::string t = ecrireEnregistrement(p);
    std::vector<std::string> l = essai::lignes(t);
    ASSERT_GT(l.size(), 11u);
    EXPECT_EQ(l[9].substr(0, 18), "1. 0-1 1-3* 2. 2-3");
    for (size_t i = 9; i < l.size(); i++)
        EXPECT_LE(l[i].size(), 79u) << l[i];
    EXPECT_EQ(l.back(), "");
    LectureEnregistrements relu = lireEnregistrements(t);
    ASSERT_EQ(relu.ligneErreur, 0) << relu.erreur;
    ASSERT_EQ(relu.parties.size(), 1u);
    ASSERT_EQ(relu.parties[0].coups.size(), p.coups.size());
    for (size_t i = 0; i < p.coups.size(); i++) {
        EXPECT_EQ(relu.parties[0].coups[i].coup.origine, p.coups[i].coup.origine);
        EXPECT_EQ(relu.parties[0].coups[i].coup.destination, p.coups[i].coup.destination);
        EXPECT_EQ(relu.parties[0].coups[i].impose, p.coups[i].impose);
    }

    // A number after the last pair, with no move to follow it.
    ASSERT_EQ(p.coups.size() % 2, 0u);
    std::string numeroSeul = t;
    numeroSeul.insert(numeroSeul.size() - 2, hote::texte(" %zu.", p.coups.size() / 2 + 1));
    LectureEnregistrements refuse = lireEnregistrements(numeroSeul);
    EXPECT_EQ(refuse.ligneErreur, static_cast<int>(l.size()) - 1);
    EXPECT_EQ(refuse.erreur, hote::texte("le numéro %zu. n'est suivi d'aucun coup",
                                         p.coups.size() / 2 + 1));
}

// ---- moteur rejouer ---------------------------------------------------------

class Rejouer : public testing::Test {
protected:
    essai::Execution rejouer(const std::string &contenu, std::vector<std::string> options = {})
    {
        std::ofstream(fichier, std::ios::binary) << contenu;
        options.insert(options.begin(), "rejouer");
        options.push_back(fichier);
        return essai::executer(essai::programme("moteur"), options);
    }
    void SetUp() override
    {
        char modele[] = "/tmp/tessor-rejouer-XXXXXX";
        int fd = mkstemp(modele);
        close(fd);
        fichier = modele;
    }
    void TearDown() override { fs::remove(fichier); }
    std::string fichier;
};

TEST_F(Rejouer, UnEnregistrementSainEstRejoueCoupParCoup)
{
    // Two games: the one worked out by hand, then yellow timed out at once.
    std::string deuxieme = partieALaMain();
    deuxieme.replace(deuxieme.find("\"1\""), 3, "\"2\"");
    deuxieme.replace(deuxieme.find("plus aucun coup possible"), 24, "jaune : temps dépassé");
    deuxieme.replace(deuxieme.find("J: 0 (0 piles de 5) - R : 1"), 27,
                     "J: 1 (0 piles de 5) - R : 1");
    deuxieme.replace(deuxieme.find("1. 0-1\n"), 7, "");
    essai::Execution e = rejouer(partieALaMain() + deuxieme);
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_EQ(e.erreurs, "");
    std::vector<std::string> l = essai::lignes(e.sortie);
    ASSERT_GE(l.size(), 16u);
    EXPECT_EQ(l[0], "Partie 1 : a (jaune) contre b (rouge), graine 5");
    EXPECT_EQ(l[1], "                0:1r   1:1j");
    EXPECT_EQ(l[11], "Coup 1 : a (jaune) joue 0-1");
    EXPECT_EQ(l[12], "              [ 0: .][ 1:2r]");
    EXPECT_EQ(l[22], "J : 0 (0 pile de 5) - R : 1 (0 pile de 5)");
    EXPECT_EQ(l[23], "Résultat : 0-1, b (rouge) gagne (plus aucun coup possible)");
    EXPECT_EQ(l.back(), "2 parties rejouées, tous les coups sont légaux.");

    essai::Execution q = rejouer(partieALaMain() + deuxieme, {"-q"});
    EXPECT_EQ(q.statut, 0);
    EXPECT_EQ(q.sortie, "Partie 1 : a - b : 0-1, b (rouge) gagne (plus aucun coup possible)\n"
                        "Partie 2 : a - b : 0-1, b (rouge) gagne (jaune : temps dépassé)\n"
                        "2 parties rejouées, tous les coups sont légaux.\n");
}

TEST_F(Rejouer, UnEnregistrementFauxEstRefuseAvecSaLigneEtSaRaison)
{
    struct Cas {
        std::string avant, apres; // the text replaced in the sound record
        std::string erreur;       // after "FICHIER:"
    };
    const Cas cas[] = {
        {"1. 0-1", "1. 0-2", "10: coup illégal 0-2 (coup 1)"},
        {"1. 0-1", "1. 1-0", "6: le résultat devrait être 1-0"},
        {"1. 0-1", "1. 0-1 1-0", "10: coup illégal 1-0 (coup 2)"},
        {"1. 0-1", "2. 0-1", "10: numéro de coup « 2. » inattendu (attendu 1.)"},
        {"1. 0-1", "0-1", "10: numéro de coup attendu avant « 0-1 » (1.)"},
        {"1. 0-1", "1. 1. 0-1", "10: numéro de coup « 1. » inattendu (attendu un coup)"},
        {"1. 0-1", "1. 0-x", "10: « 0-x » n'est pas un coup"},
        {"1. 0-1", "1. 0-48", "10: « 0-48 » n'est pas un coup"},
        {"1. 0-1\n", "", "7: la partie n'est pas finie : 2 coups possibles"},
        {"\"0-1\"", "\"1-0\"", "6: le résultat devrait être 0-1"},
        {"\"0-1\"", "\"2-0\"", "6: résultat invalide (attendu 1-0, 0-1 ou 1/2-1/2)"},
        {"R : 1 (0", "R : 2 (0",
         "8: le score de la position finale est « J: 0 (0 piles de 5) - R : 1 (0 piles de 5) »"},
        {"plus aucun coup possible", "rouge : temps dépassé",
         "7: la partie est finie : plus aucun coup possible"},
        {"plus aucun coup possible", "fini", "7: fin de partie inconnue « fini »"},
        {"[Graine \"5\"]", "[Graine \"-5\"]",
         "4: graine invalide (attendu un entier de 0 à 4294967295)"},
        {"[Rouge \"b\"]\n", "", "3: étiquette attendue : [Rouge \"...\"]"},
        {"[Partie \"1\"]", "[Partie \"0\"]", "1: numéro de partie invalide"},
        {"[Jaune \"a\"]", "[Jaune \"a\"b\"]", "2: guillemet en trop dans la valeur de l'étiquette"},
        {"[Jaune \"a\"]", std::string("[Jaune \"a\0b\"]", 13),
         "2: la valeur de l'étiquette n'est pas du texte (UTF-8 invalide ou caractère nul)"},
        {"[Rouge \"b\"]", "[Rouge \"b\xC3\"]",
         "3: la valeur de l'étiquette n'est pas du texte (UTF-8 invalide ou caractère nul)"},
        {"0.0. j\"]", "0.0. x\"]", "5: notation invalide : trait « x » (attendu j ou r)"},
        {"(0 piles de 5)\"]\n\n", "(0 piles de 5)\"]\n", "9: ligne vide attendue après les étiquettes"},
    };
    for (const Cas &c : cas) {
        std::string texte = partieALaMain();
        size_t ou = texte.find(c.avant);
        ASSERT_NE(ou, std::string::npos) << c.avant;
        texte.replace(ou, c.avant.size(), c.apres);
        essai::Execution e = rejouer(texte);
        EXPECT_EQ(e.statut, 1) << c.erreur;
        EXPECT_EQ(e.sortie, "") << c.erreur;
        EXPECT_EQ(e.erreurs, fichier + ":" + c.erreur + "\n");
    }
}

TEST_F(Rejouer, LEnTeteDuMatchSeRelitEtLEntreeStandardAussi)
{
    std::string enTete =
        ecrireEnTeteMatch({"a", "b", 7, 2, 0, 0.5, true, "2025-06-01T14:03:12Z", nullptr});
    EXPECT_EQ(enTete, "[Match \"a contre b\"]\n[GraineMatch \"7\"]\n[Parties \"2\"]\n"
                      "[Ouverture \"0\"]\n[Temps \"0.5\"]\n[Strict \"oui\"]\n"
                      "[Date \"2025-06-01T14:03:12Z\"]\n\n");
    const std::string attendu = "Partie 1 : a - b : 0-1, b (rouge) gagne (plus aucun coup "
                                "possible)\n1 partie rejouée, tous les coups sont légaux.\n";
    EXPECT_EQ(rejouer(enTete + partieALaMain(), {"-q"}).sortie, attendu);
    EXPECT_EQ(rejouer(enTete).sortie, "0 partie rejouée, tous les coups sont légaux.\n");
    essai::Execution e =
        essai::executer(essai::programme("moteur"), {"rejouer", "-q", "-"}, enTete + partieALaMain());
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_EQ(e.sortie, attendu);
    std::string faux = enTete;
    faux.replace(faux.find("oui"), 3, "peut-être");
    EXPECT_EQ(rejouer(faux + partieALaMain()).erreurs, fichier + ":6: valeur invalide pour Strict\n");
}

TEST_F(Rejouer, UnLecteurQuiSArreteNEstPasUnEchec)
{
    std::string texte;
    for (int i = 0; i < 200; i++) // far more than a pipe holds, once replayed
        texte += partieALaMain();
    std::ofstream(fichier) << texte;
    essai::Execution e = essai::executer(
        "/bin/sh", {"-c", "(" + essai::programme("moteur") + " rejouer " + fichier +
                              "; echo statut $? >&2) | head -c 10 >/dev/null"});
    EXPECT_EQ(e.erreurs, "statut 0\n");
}

TEST_F(Rejouer, UnEnregistrementAuxFinsDeLigneCRLFSeRelit)
{
    std::string texte;
    for (char c : partieALaMain())
        texte += c == '\n' ? std::string("\r\n") : std::string(1, c);
    essai::Execution e = rejouer(texte, {"-q"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_EQ(e.sortie, "Partie 1 : a - b : 0-1, b (rouge) gagne (plus aucun coup possible)\n"
                        "1 partie rejouée, tous les coups sont légaux.\n");
}

TEST_F(Rejouer, UnFichierVideOuTronqueEstRefuse)
{
    EXPECT_EQ(rejouer("").erreurs, fichier + ":1: aucune partie enregistrée\n");
    std::string tronque = partieALaMain().substr(0, partieALaMain().find("[Fin"));
    essai::Execution e = rejouer(tronque);
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.erreurs, fichier + ":7: fin du fichier au milieu des étiquettes\n");
    essai::Execution absent =
        essai::executer(essai::programme("moteur"), {"rejouer", fichier + ".absent"});
    EXPECT_EQ(absent.statut, 1);
    EXPECT_EQ(absent.erreurs, "moteur : impossible de lire « " + fichier +
                                  ".absent » : No such file or directory\n");
    essai::Execution dossier = essai::executer(essai::programme("moteur"), {"rejouer", "/tmp"});
    EXPECT_EQ(dossier.statut, 1);
    EXPECT_EQ(dossier.erreurs, "moteur : impossible de lire « /tmp » : Is a directory\n");
    // A device that never ends is not read at all.
    essai::Execution hasard =
        essai::executer(essai::programme("moteur"), {"rejouer", "/dev/urandom"});
    EXPECT_EQ(hasard.statut, 1);
    EXPECT_EQ(hasard.erreurs, "moteur : impossible de lire « /dev/urandom » : ce n'est pas un fichier\n");
}

} // namespace
