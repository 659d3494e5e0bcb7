// Matches as engine testers run them, through the real program: from a book,
// several games at once, resumed, with a game clock; the traces capped, the
// players listed, several records replayed.
#include "moteur_en_fond.h"

#include "notation.h"
#include "processus/processus.h"
#include "tessor.h"

#include <csignal>
#include <cstdlib>

namespace moteur {
namespace {

class Match : public MoteurEnFond {
protected:
    // A book of four starts: the initial position and three after one move.
    fs::path ecrireLivre(const std::string &nom, int premierCoup = 0)
    {
        Position p = getPositionInitiale();
        std::string t = "# quatre départs\n" + hote::ecrireNotation(p) + "\n";
        for (int k = premierCoup; k < premierCoup + 3; k++) {
            Coup c = getCoupsLegaux(p).coups[k];
            t += hote::ecrireNotation(jouerCoup(p, c.origine, c.destination)) + "  # un coup\n";
        }
        std::ofstream(dossier / nom) << t;
        return dossier / nom;
    }
    // The record without its date, the one line that differs between runs.
    std::string sansDate(const fs::path &f)
    {
        std::string t = lire(f);
        for (size_t d = t.find("[Date \""); d != std::string::npos; d = t.find("[Date \""))
            t.erase(d, t.find('\n', d) + 1 - d);
        return t;
    }
};

TEST_F(Match, DeuxPartiesALaFoisDonnentLeMemeEnregistrementLeMemeBilanEtLeMemeTest)
{
    fs::path livre = ecrireLivre("livre.txt");
    std::string sortie, enregistrement;
    for (const std::string j : {"1", "3"}) {
        fs::path f = dossier / ("j" + j + ".txt");
        essai::Execution e = moteur({"-q", "-j", j, "--graine", "3", "--parties", "400", "--livre",
                                     livre.string(), "--sprt", "elo0=0", "elo1=300",
                                     "--enregistrer", f.string(), "joueur_critique", "joueur_tirage"});
        ASSERT_EQ(e.statut, 0) << e.erreurs;
        EXPECT_TRUE(j == "1" || (e.sortie == sortie && sansDate(f) == enregistrement)) << e.sortie;
        sortie = e.sortie;
        enregistrement = sansDate(f);
    }
    // Decided on a whole pair, long before the cap; the games in order.
    EXPECT_NE(sortie.find("H1 acceptée"), std::string::npos) << sortie;
    std::map<int, std::string> b = blocs(enregistrement);
    EXPECT_TRUE(b.size() % 2 == 0 && b.size() < 400 && b.rbegin()->first == int(b.size()));
    EXPECT_NE(enregistrement.find("[Livre \"" + livre.string() + "\"]\n[EmpreinteLivre \""),
              std::string::npos);
    // The book's starts, a pair each, cycled; each in the book.
    std::string texteDuLivre = lire(livre);
    for (int n = 1; n + 1 <= int(b.size()); n += 2) {
        std::string depart = b[n].substr(b[n].find("[Depart \"") + 9, 100);
        depart = depart.substr(0, depart.find('"'));
        EXPECT_NE(b[n + 1].find(depart), std::string::npos);
        EXPECT_NE(texteDuLivre.find(depart), std::string::npos);
    }
    // Several records replayed at once; a record read on standard input.
    essai::Execution r = moteur({"rejouer", "-q", (dossier / "j1.txt").string(),
                                 (dossier / "j3.txt").string()});
    EXPECT_NE(r.sortie.find(std::to_string(2 * b.size()) + " parties rejouées"), std::string::npos);
    essai::Execution page = moteur({"page", "-"}, lire(dossier / "j1.txt"));
    EXPECT_EQ(page.statut, 0) << page.erreurs;
    EXPECT_NE(page.sortie.find("<title>Tessor : entrée standard</title>"), std::string::npos);
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Match, UnMatchTueSeReprendEtNeSeReprendPasAvecUnAutreLivre)
{
    fs::path livre = ecrireLivre("livre.txt"), autre = ecrireLivre("autre.txt", 3);
    fs::path f = dossier / "m.txt";
    std::vector<std::string> a = {"-q", "-j", "2", "--graine", "4", "--parties", "60", "--livre",
                                  livre.string(), "--enregistrer", f.string(), "joueur_critique",
                                  "joueur_tirage"};
    pid_t pid = lancer(a, dossier / "sortie.txt");
    for (int i = 0; i < 3000 && blocs(lire(f)).size() < 10; i++)
        usleep(2000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_LT(blocs(lire(f)).size(), 60u);
    std::ofstream(f, std::ios::app) << "[Partie \"11\"]\n[Jaune \"joueur_cr"; // cut short
    std::vector<std::string> reprise = a;
    reprise.insert(reprise.begin(), "--reprendre");
    essai::Execution e = moteur(reprise);
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    a[10] = (dossier / "entier.txt").string();
    std::string entier = moteur(a).sortie; // its summary: the games played this time differ
    EXPECT_EQ(e.sortie.substr(e.sortie.find("Bilan :")), entier.substr(entier.find("Bilan :")));
    EXPECT_EQ(blocs(lire(f)), blocs(lire(dossier / "entier.txt")));
    reprise[9] = autre.string();
    essai::Execution refus = moteur(reprise);
    EXPECT_EQ(refus.statut, 2);
    EXPECT_NE(refus.erreurs.find("est l'enregistrement d'un autre match (--livre (" + livre.string() +
                                 ", empreinte "),
              std::string::npos)
        << refus.erreurs;
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Match, LeLivreQueFaitLeMoteurGardeDesDepartsAuJugementEtroitEtSeJoue)
{
    essai::Execution e = moteur({"livre", "--nombre", "3", "--ecart", "30", "--graine", "2"});
    ASSERT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("# Fait par : moteur livre --coups 4 --nombre 3 --ecart 30 --graine 2\n"),
              std::string::npos)
        << e.sortie;
    int departs = 0;
    for (const std::string &l : essai::lignes(e.sortie)) {
        if (l.empty() || l[0] == '#')
            continue;
        departs++;
        EXPECT_TRUE(hote::lireNotation(l.substr(0, l.find("  #"))).position) << l;
        int valeur = std::stoi(l.substr(l.find("valeur ") + 7));
        EXPECT_TRUE(valeur >= -30 && valeur <= 30) << l;
    }
    EXPECT_EQ(departs, 3);
    std::ofstream(dossier / "fait.txt") << e.sortie;
    EXPECT_EQ(moteur({"-q", "--livre", (dossier / "fait.txt").string(), "--parties", "6",
                      "joueur_premier", "joueur_tirage"}).statut, 0);
    // Starts where no move is left are never kept.
    essai::Execution rien = moteur({"livre", "--coups", "200", "--nombre", "1"});
    EXPECT_EQ(rien.statut, 1);
    EXPECT_EQ(rien.erreurs, "moteur : seulement 0 départ équilibré sur 1000 essais : essayez moins "
                            "de coups, un --ecart plus large ou un --nombre plus petit\n");
}

// joueur_lent thinks 100 ms a move and writes what its clock holds.
TEST_F(Match, LaPenduleFaitPerdreQuiLaVideEtLeJoueurLaConnait)
{
    struct Cas {
        std::vector<std::string> temps;
        std::string pendule;       // as the records write it
        std::string fin;           // of the game, where joueur_lent is yellow
        size_t coupsJaunesMax;     // its moves: at most that many
        std::string premiereLigne; // of its trace
    };
    const Cas cas[] = {
        // A sixth request still comes with a little time left; a slow machine may
        // let the player write its line before the engine ends it.
        {{"--cadence", "0.6"}, "0.6+0", "jaune : temps de la partie écoulé", 6,
         "restant 0.600 increment 0.000"},
        {{"--cadence", "1+0.2"}, "1+0.2", "plus aucun coup possible", 24,
         "restant 1.000 increment 0.200"},
        {{"--cadence", "10", "--temps", "0.05"}, "10+0", "jaune : temps dépassé", 0, ""},
        {{}, "", "plus aucun coup possible", 24, "restant -1.000 increment 0.000"},
    };
    for (const Cas &c : cas) {
        fs::remove_all(dossier / "traces");
        fs::remove(dossier / "m.txt");
        std::vector<std::string> a = {"-q", "--enregistrer", (dossier / "m.txt").string(), "--traces",
                                      (dossier / "traces").string(), "joueur_lent", "joueur_premier"};
        a.insert(a.begin(), c.temps.begin(), c.temps.end());
        essai::Execution e = moteur(a);
        ASSERT_EQ(e.statut, 0) << e.erreurs;
        std::string partie = blocs(lire(dossier / "m.txt"))[1];
        EXPECT_NE(partie.find("[Fin \"" + c.fin + "\"]"), std::string::npos) << partie;
        EXPECT_EQ(partie.find("[Pendule \"" + c.pendule + "\"]") != std::string::npos,
                  !c.pendule.empty());
        std::vector<std::string> trace = essai::lignes(lire(dossier / "traces" / "1-joueur_lent.txt"));
        EXPECT_LE(trace.size(), c.coupsJaunesMax) << partie;
        EXPECT_EQ(trace.empty() ? "" : trace[0], c.premiereLigne);
        // Without increment, what is left falls by at least 0.1 s a move
        // (less a millisecond each side, the unit the protocol sends).
        for (size_t k = 1; c.pendule == "0.6+0" && k < trace.size(); k++)
            EXPECT_LE(std::stod(trace[k].substr(8)), std::stod(trace[k - 1].substr(8)) - 0.098);
    }
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Match, UneTraceBavardeEstCoupeeEtLeDitEtUnTournoiGardeLesSiennes)
{
    essai::Execution e = moteur({"-q", "--taille-traces", "1", "--traces", (dossier / "t").string(),
                                 "joueur_bavard", "joueur_premier"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("(plus aucun coup possible)"), std::string::npos) << e.sortie;
    std::string trace = lire(dossier / "t" / "1-joueur_bavard.txt");
    std::string coupure = ligneDeCoupure(1000000);
    EXPECT_EQ(trace.size(), 1000000 + 1 + coupure.size()); // cut within a line: one newline
    EXPECT_EQ(trace.substr(trace.size() - coupure.size()), coupure);
    EXPECT_EQ(coupure, "[moteur : trace coupée ici, à 1000000 octets (--taille-traces)]\n");

    essai::Execution t = moteur({"tournoi", "-q", "--parties", "2", "--traces",
                                 (dossier / "u").string(), "joueur_premier", "joueur_critique",
                                 "joueur_lent"});
    EXPECT_EQ(t.statut, 0) << t.erreurs;
    for (const char *f : {"1-joueur_premier.txt", "1-joueur_critique.txt", "2-joueur_premier.txt",
                          "2-joueur_lent.txt", "3-joueur_critique.txt", "3-joueur_lent.txt"})
        EXPECT_FALSE(lire(dossier / "u" / f).empty()) << f;
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Match, LesJoueursTrouvesSontListesEtTousEntrentAuTournoi)
{
    essai::Execution l = moteur({"joueurs"});
    EXPECT_EQ(l.statut, 0) << l.erreurs;
    for (const char *attendu : {"Joueurs automatiques (", "\n  joueur_premier ", "\n  joueur_critique ",
                                "Joueurs humains (3) :\n  humain_liste "})
        EXPECT_NE(l.sortie.find(attendu), std::string::npos) << attendu << l.sortie;
    // Only the kit's players beside the engine: every automatic one of them
    // meets joueur_critique.
    const char *avant = std::getenv("TESSOR_JOUEURS");
    std::string garde = avant != nullptr ? avant : "";
    setenv("TESSOR_JOUEURS", dossier.c_str(), 1);
    essai::Execution t = moteur({"tournoi", "-q", "--defi", "--tous", "--parties", "2",
                                 "joueur_critique"});
    setenv("TESSOR_JOUEURS", garde.c_str(), 1);
    EXPECT_EQ(t.statut, 0) << t.erreurs;
    size_t automatiques = essai::noms(TESSOR_JOUEURS_AUTOMATIQUES).size();
    EXPECT_NE(t.sortie.find("Classement après " + std::to_string(2 * (automatiques - 1)) + " parties"),
              std::string::npos)
        << t.sortie;
    EXPECT_TRUE(aucunProcessusRestant());
}

} // namespace
} // namespace moteur
