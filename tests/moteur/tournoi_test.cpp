// Tournaments: the schedule, and `moteur tournoi` / `moteur classement` as
// real programs (concurrency, resumption after a kill, slices through GNU
// parallel, faults, Ctrl-C, the sequential test of a match).
#include "tournoi/calendrier.h"
#include "moteur_en_fond.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

namespace fs = std::filesystem;

// ---- The schedule ---------------------------------------------------------

TEST(Calendrier, RencontresGrainesTranches)
{
    ReglageTournoi r;
    r.joueurs = {"a", "b", "c", "d"};
    r.parties = 6;
    r.ouverture = 3;
    Calendrier tous(r);
    EXPECT_EQ(tous.nbRencontres(), 6);
    r.defi = true;
    EXPECT_EQ(Calendrier(r).nbRencontres(), 3);
    // Game k of every pairing: one seed, one start; colours swap.
    for (int k = 1; k <= 6; k++) {
        PartiePrevue a = tous.partie(k), f = tous.partie(5 * 6 + k);
        EXPECT_EQ(a.graine, f.graine);
        EXPECT_EQ(std::memcmp(&a.depart, &f.depart, sizeof a.depart), 0);
        EXPECT_EQ(f.jaune, k % 2 == 1 ? 2 : 3);
    }
    // Slices: whole pairs, every game once.
    std::vector<int> vus;
    for (int k = 1; k <= 4; k++) {
        auto [premiere, derniere] = tous.tranche(k, 4);
        EXPECT_EQ(premiere % 2, 1);
        for (int n = premiere; n <= derniere; n++)
            vus.push_back(n);
    }
    EXPECT_EQ(vus.size(), 36u);
    EXPECT_TRUE(std::is_sorted(vus.begin(), vus.end()) && vus.front() == 1);
}

// ---- The real program ----------------------------------------------------

// A block without its game number and pairing.
std::string sansNumeros(const std::string &bloc)
{
    std::string t;
    for (const std::string &l : essai::lignes(bloc))
        if (l.rfind("[Partie ", 0) != 0 && l.rfind("[Rencontre ", 0) != 0)
            t += l + "\n";
    return t;
}

class Tournoi : public MoteurEnFond {
protected:
    const std::vector<std::string> joueurs = {"joueur_critique", "joueur_tirage", "joueur_premier"};
    std::vector<std::string> tournoi(std::vector<std::string> options, std::string parties = "6")
    {
        std::vector<std::string> a = {"tournoi", "-q", "--graine", "5", "--parties", parties,
                                      "--ouverture", "2"};
        a.insert(a.end(), options.begin(), options.end());
        a.insert(a.end(), joueurs.begin(), joueurs.end());
        return a;
    }
};

TEST_F(Tournoi, MemesPartiesEtMemeClassementQuelQueSoitJ)
{
    std::string sortie, parties;
    for (const std::string j : {"1", "3"}) {
        fs::path f = dossier / ("j" + j + ".txt");
        essai::Execution e = moteur(tournoi({"-j", j, "--enregistrer", f.string()}));
        ASSERT_EQ(e.statut, 0) << e.erreurs;
        std::map<int, std::string> b = blocs(lire(f));
        EXPECT_EQ(b.size(), 18u);
        std::string tout;
        for (const auto &[n, bloc] : b)
            tout += bloc;
        EXPECT_TRUE(j == "1" || (tout == parties && e.sortie == sortie)) << e.sortie;
        parties = tout;
        sortie = e.sortie;
    }
    EXPECT_NE(sortie.find("Classement après 18 parties sur 18 (graine 5"), std::string::npos);
    EXPECT_NE(parties.find("[Rencontre \"3\"]"), std::string::npos);
    // Each pairing plays what the match of the same seed plays, with a
    // process of its own for each player (the tournament's -j 1 worker keeps
    // a player's process into the next pairing it plays).
    const std::pair<int, int> rencontres[] = {{0, 1}, {0, 2}, {1, 2}};
    std::map<int, std::string> t = blocs(parties);
    for (int r = 0; r < 3; r++) {
        fs::path f = dossier / ("m" + std::to_string(r) + ".txt");
        moteur({"-q", "--graine", "5", "--parties", "6", "--ouverture", "2", "--enregistrer", f.string(),
                joueurs[rencontres[r].first], joueurs[rencontres[r].second]});
        std::map<int, std::string> seul = blocs(lire(f));
        for (int k = 1; k <= 6; k++)
            EXPECT_EQ(sansNumeros(t[6 * r + k]), sansNumeros(seul[k])) << r << ", " << k;
    }
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Tournoi, UnProcessusAttendSaRencontreSuivanteSaufAvecLesTraces)
{
    // joueur_compteur plays pairings 1 and 3: kept between them, it goes on
    // counting; with traces, each pairing starts it again, as a match does.
    auto troisieme = [&](std::vector<std::string> options) {
        fs::path f = dossier / "t.txt";
        fs::remove(f);
        options.insert(options.end(), {"--parties", "2", "--enregistrer", f.string(), "joueur_premier",
                                       "joueur_compteur", "joueur_tirage"});
        options.insert(options.begin(), {"tournoi", "-q", "--graine", "5", "--ouverture", "2"});
        EXPECT_EQ(moteur(options).statut, 0);
        return sansNumeros(blocs(lire(f))[5]);
    };
    fs::path m = dossier / "m.txt";
    moteur({"-q", "--graine", "5", "--parties", "2", "--ouverture", "2", "--enregistrer", m.string(),
            "joueur_compteur", "joueur_tirage"});
    std::string seul = sansNumeros(blocs(lire(m))[1]);
    EXPECT_NE(troisieme({"-j", "1"}), seul);
    EXPECT_EQ(troisieme({"-j", "1", "--traces", (dossier / "traces").string()}), seul);
}

TEST_F(Tournoi, UnTournoiTueSeReprendEtFinitCommeSansInterruption)
{
    fs::path f = dossier / "t.txt";
    std::vector<std::string> a = tournoi({"-j", "2", "--enregistrer", f.string()}, "40");
    essai::Execution entier = moteur(tournoi({}, "40"));
    pid_t pid = lancer(a, dossier / "sortie.txt");
    for (int i = 0; i < 3000 && blocs(lire(f)).size() < 20; i++)
        usleep(2000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    size_t avant = blocs(lire(f)).size();
    EXPECT_LT(avant, 120u);
    std::ofstream(f, std::ios::app) << "[Partie \"7\"]\n[Jaune \"joueur_cr"; // a block cut short
    a.insert(a.begin() + 1, "--reprendre");
    essai::Execution reprise = moteur(a);
    EXPECT_EQ(reprise.statut, 0) << reprise.erreurs;
    EXPECT_NE(reprise.erreurs.find("la dernière partie, coupée, est retirée"), std::string::npos);
    EXPECT_EQ(reprise.sortie, entier.sortie);
    EXPECT_EQ(blocs(lire(f)).size(), 120u);
    // Another schedule is refused.
    a[4] = "6";
    essai::Execution autre = moteur(a);
    EXPECT_EQ(autre.statut, 2);
    EXPECT_NE(autre.erreurs.find("autre tournoi (la graine (5 dans le fichier))"), std::string::npos)
        << autre.erreurs;
    // Played again without --reprendre, it would be a second copy: refused,
    // and the record is left as it is.
    a.erase(a.begin() + 1);
    a[3] = "5";
    essai::Execution copie = moteur(a);
    EXPECT_EQ(copie.statut, 2);
    EXPECT_NE(copie.erreurs.find("il contient déjà la partie "), std::string::npos)
        << copie.erreurs;
    EXPECT_EQ(blocs(lire(f)).size(), 120u);
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Tournoi, DeuxTranchesParGnuParallelDonnentLeClassementDUnSeulTournoi)
{
    if (std::system("parallel --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel manque (paquet Debian parallel) : essai des tranches sauté";
    std::string commande = "parallel --will-cite " + essai::programme("moteur");
    for (const std::string &x : tournoi({"--tranche", "{}/2", "--enregistrer", (dossier / "t{}.txt").string()}))
        commande += " '" + x + "'";
    ASSERT_EQ(std::system((commande + " ::: 1 2 > /dev/null").c_str()), 0) << commande;
    essai::Execution reunies = moteur({"classement", "--resultats", (dossier / "r.json").string(),
                                       (dossier / "t2.txt").string(), (dossier / "t1.txt").string()});
    EXPECT_EQ(reunies.statut, 0) << reunies.erreurs;
    EXPECT_EQ(reunies.sortie, moteur(tournoi({})).sortie);
    EXPECT_NE(lire(dossier / "r.json").find("\"parties\": 18,"), std::string::npos);
    // A file of another tournament is refused.
    std::vector<std::string> autre = tournoi({"--enregistrer", (dossier / "a.txt").string()});
    autre[3] = "6";
    moteur(autre);
    EXPECT_EQ(moteur({"classement", (dossier / "t1.txt").string(), (dossier / "a.txt").string()})
                  .statut, 2);
}

TEST_F(Tournoi, UnJoueurQuiPlanteToujoursPerdSesPartiesSansArreterLesAutres)
{
    fs::path f = dossier / "t.txt";
    essai::Execution e = moteur({"tournoi", "-q", "--graine", "1", "--parties", "4", "--enregistrer",
                                 f.string(), "joueur_plante", "joueur_premier", "joueur_tirage"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    std::map<int, std::string> b = blocs(lire(f));
    ASSERT_EQ(b.size(), 12u);
    for (int n = 1; n <= 8; n++)
        EXPECT_NE(b[n].find(" : le programme a planté"), std::string::npos) << b[n];
    // Only losses: marked, and the mark explained.
    EXPECT_NE(e.sortie.find("joueur_plante         8  0  0  8       0   0,0 %  ≤-"), std::string::npos)
        << e.sortie;
    EXPECT_NE(e.sortie.find("≥ ou ≤ : que des victoires ou que des défaites ; sans l'a priori"),
              std::string::npos);
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Tournoi, CtrlCAbandonneLesPartiesEnCoursEtAfficheLeClassementPartiel)
{
    fs::path f = dossier / "t.txt", sortie = dossier / "sortie.txt";
    pid_t pid = lancer({"tournoi", "-q", "-j", "2", "--temps", "0.2", "--parties", "20",
                        "--enregistrer", f.string(), "joueur_bloque", "joueur_premier", "joueur_tirage"},
                       sortie);
    usleep(1200000);
    kill(pid, SIGINT);
    int etat = 0;
    waitpid(pid, &etat, 0);
    EXPECT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == SIGINT) << etat;
    size_t n = blocs(lire(f)).size();
    EXPECT_TRUE(n >= 2 && n < 60) << n;
    EXPECT_NE(lire(sortie).find("Classement après " + std::to_string(n) + " parties sur 60"),
              std::string::npos) << lire(sortie);
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Tournoi, UnDefiNeJoueQueLesRencontresDuPremierEtDonneLeursEcarts)
{
    // Not on a terminal: one line at every tenth of the 20 games.
    essai::Execution e = moteur({"tournoi", "--defi", "--graine", "2", "--parties", "10",
                                 "--ouverture", "2", "joueur_critique", "joueur_tirage",
                                 "joueur_premier"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    int lignes = 0;
    for (const std::string &l : essai::lignes(e.sortie))
        lignes += l.find(" parties (") != std::string::npos && l.find("/20 ") != std::string::npos;
    EXPECT_EQ(lignes, 10) << e.sortie;
    for (const char *attendu :
         {"Classement après 20 parties sur 20 (graine 2, 10 parties par rencontre, ouverture 2, défi)",
          "  Écart Elo de joueur_critique sur joueur_premier : ",
          "  Paires de parties (joueur_critique : 0, ½, 1, 1½, 2 points) : "})
        EXPECT_NE(e.sortie.find(attendu), std::string::npos) << attendu << "\n" << e.sortie;
    // Without --parties, two games a pairing.
    e = moteur({"tournoi", "-q", "--graine", "2", "joueur_tirage", "joueur_premier"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("Classement après 2 parties sur 2 (graine 2, 2 parties par rencontre"),
              std::string::npos) << e.sortie;
}

TEST_F(Tournoi, LeTableauCroiseNeSAfficheQueSIlTientDansLeTerminal)
{
    if (access("/usr/bin/script", X_OK) != 0)
        GTEST_SKIP() << "script (paquet bsdutils) absent : pas de terminal pour l'essai";
    fs::path f = dossier / "t.txt";
    ASSERT_EQ(moteur(tournoi({"--enregistrer", f.string()}, "2")).statut, 0);
    // 27 columns: rank 1, name 15 (joueur_critique), three cells of 1, and
    // four gaps of 2.
    const std::pair<int, const char *> cas[] = {
        {20, "Tableau croisé : 27 colonnes, plus large que ce terminal (20)"},
        {200, "Tableau croisé (points du joueur de la ligne contre celui de la colonne)"},
    };
    for (const auto &[colonnes, attendu] : cas) {
        std::string commande = "stty cols " + std::to_string(colonnes) + " && " +
                               essai::programme("moteur") + " classement " + f.string();
        essai::Execution e = essai::executer("/usr/bin/script", {"-qec", commande, "/dev/null"});
        EXPECT_NE(e.sortie.find(attendu), std::string::npos) << e.sortie << e.erreurs;
    }
}

TEST_F(Tournoi, ChaqueLecteurPrendUneDernierePartieCoupeePourCeQuElleEst)
{
    fs::path f = dossier / "t.txt";
    ASSERT_EQ(moteur(tournoi({"--enregistrer", f.string()}, "2")).statut, 0);
    std::string texte = lire(f);
    size_t derniere = texte.rfind("[Partie ");
    std::ofstream(f) << texte.substr(0, texte.find("[Fin", derniere)); // cut in its tags
    const std::pair<std::vector<std::string>, const char *> cas[] = {
        {{"rejouer", "-q", f.string()}, "5 parties rejouées"},
        {{"classement", f.string()}, "Classement après 5 parties sur 6"},
        {{"page", f.string(), "-o", (dossier / "t.html").string()}, "5 parties dans"},
    };
    for (const auto &[arguments, attendu] : cas) {
        essai::Execution e = moteur(arguments);
        EXPECT_EQ(e.statut, 0) << e.erreurs;
        EXPECT_NE(e.sortie.find(attendu), std::string::npos) << e.sortie;
        EXPECT_NE(e.erreurs.find(": attention, la dernière partie est coupée"), std::string::npos)
            << e.erreurs;
    }
}

TEST_F(Tournoi, LeTestSequentielArreteLeMatchQuandIlConclut)
{
    essai::Execution e = moteur({"-q", "--graine", "2", "--parties", "400", "--sprt", "elo0=0",
                                 "elo1=200", "joueur_critique", "joueur_premier"});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("H1 acceptée, joueur_critique a 200 Elo d'avance plutôt que 0"),
              std::string::npos) << e.sortie;
    EXPECT_EQ(e.sortie.find("Bilan : 400 parties"), std::string::npos);
    EXPECT_NE(e.sortie.find("probabilité d'être le plus fort"), std::string::npos);
    EXPECT_EQ(moteur({"--sprt", "elo0=5", "elo1=0", "a", "b"}).statut, 2);
    EXPECT_EQ(moteur({"tournoi", "--parties", "3", "a", "b"}).statut, 2);
}

} // namespace
} // namespace moteur
