// The engine as a real program: command line, matches between test-only
// players that play or misbehave on purpose, records, seeds, and persons
// scripted through the human players.
#include "programme.h"

#include "tessor.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <map>
#include <sstream>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The engine started in the background, its output thrown away.
pid_t moteurEnFond(const std::vector<std::string> &arguments)
{
    std::string moteur = essai::programme("moteur");
    std::vector<char *> argv = {moteur.data()};
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int nul = open("/dev/null", O_WRONLY);
        dup2(nul, 1);
        execv(moteur.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

std::string lireFichier(const fs::path &chemin) { return essai::lireFichier(chemin); }

// A fresh folder for one test, removed after it.
struct Dossier {
    fs::path chemin;
    Dossier()
    {
        char modele[] = "/tmp/tessor-moteur-XXXXXX";
        chemin = mkdtemp(modele);
    }
    ~Dossier() { fs::remove_all(chemin); }
};

// One game of a record: its tags and its moves.
struct PartieEnregistree {
    std::map<std::string, std::string> tags;
    std::vector<std::string> coups; // "8-4", "9-16*" (move numbers left out)
};

std::vector<PartieEnregistree> lireParties(const std::string &texte)
{
    std::vector<PartieEnregistree> parties;
    bool dansLesCoups = false;
    for (const std::string &l : essai::lignes(texte)) {
        if (l.rfind("[Partie ", 0) == 0) {
            parties.emplace_back();
            dansLesCoups = false;
        }
        if (parties.empty())
            continue;
        if (l.size() > 2 && l[0] == '[') {
            size_t blanc = l.find(' ');
            parties.back().tags[l.substr(1, blanc - 1)] = l.substr(blanc + 2, l.size() - blanc - 4);
        } else if (l.empty()) {
            dansLesCoups = !dansLesCoups && parties.back().coups.empty();
        } else if (dansLesCoups) {
            std::istringstream mots(l);
            for (std::string m; mots >> m;)
                if (m.back() != '.')
                    parties.back().coups.push_back(m);
        }
    }
    return parties;
}

struct Match {
    essai::Execution execution;
    std::string enregistrement;
    std::vector<PartieEnregistree> parties;
    double secondes = 0;
};

class Moteur : public testing::Test {
protected:
    // Player processes the engine leaves behind become this test program's
    // children when the engine ends.
    void SetUp() override { prctl(PR_SET_CHILD_SUBREAPER, 1); }

    // Runs the engine with the record written in the test's folder.
    Match jouer(std::vector<std::string> arguments, const std::string &entree = "")
    {
        fs::path fichier = dossier.chemin / "parties.txt";
        fs::remove(fichier);
        arguments.insert(arguments.begin(), {"--enregistrer", fichier.string()});
        auto debut = std::chrono::steady_clock::now();
        Match m;
        m.execution = essai::executer(essai::programme("moteur"), arguments, entree);
        m.secondes =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        m.enregistrement = lireFichier(fichier);
        // The match header's date is the one line that differs between runs.
        if (size_t d = m.enregistrement.find("[Date \""); d != std::string::npos)
            m.enregistrement.erase(d, m.enregistrement.find('\n', d) + 1 - d);
        m.parties = lireParties(m.enregistrement);
        EXPECT_TRUE(aucunProcessusRestant()) << testing::PrintToString(arguments);
        return m;
    }

    // True when no process of the match is still running.  Those that were
    // killed are reaped here (a player's own children come to us when the
    // player dies); one that still runs is a process left behind.
    static bool aucunProcessusRestant()
    {
        int etat = 0;
        pid_t r;
        while ((r = waitpid(-1, &etat, WNOHANG)) > 0) {
        }
        return r < 0 && errno == ECHILD;
    }

    Dossier dossier;
};

// The game where both sides always play the first move of the list, from the
// initial position: the moves, worked out with the rules library.
std::vector<std::string> partiePremierContrePremier()
{
    std::vector<std::string> coups;
    Position p = getPositionInitiale();
    for (ListeCoups l = getCoupsLegaux(p); l.nb > 0; l = getCoupsLegaux(p)) {
        Coup c = l.coups[0];
        coups.push_back(std::to_string(c.origine) + "-" + std::to_string(c.destination));
        p = jouerCoup(p, c.origine, c.destination);
    }
    return coups;
}

bool contient(const std::string &texte, const std::string &morceau)
{
    return texte.find(morceau) != std::string::npos;
}

// Whether this machine lets the engine sandbox its players (a container
// without namespaces does not): asked once, of the engine itself.
bool bacASable()
{
    static const bool oui =
        essai::executer(essai::programme("moteur"), {"-q", "--isolation", "exigee", "--enregistrer",
                                                     "/dev/null", "joueur_premier", "joueur_premier"})
            .statut == 0;
    return oui;
}

constexpr const char *SANS_BAC_A_SABLE = "ce système refuse d'isoler les joueurs";

// ---- Command line --------------------------------------------------------

TEST_F(Moteur, LAideEstLeTexteConvenu)
{
    std::string attendu = lireFichier(fs::path(ESSAIS_MOTEUR_DIR) / "aide.txt");
    for (const char *option : {"--help", "-h"}) {
        essai::Execution e = essai::executer(essai::programme("moteur"), {option});
        EXPECT_EQ(e.statut, 0);
        EXPECT_EQ(e.sortie, attendu);
        EXPECT_EQ(e.erreurs, "");
    }
    // Each subcommand has its own, listing its options only.
    const std::pair<const char *, const char *> sous[] = {
        {"rejouer", "usage : moteur rejouer [-q] FICHIER...\n"},
        {"livre", "usage : moteur livre [--coups K] [--nombre N] [--ecart V] [--graine S] > LIVRE\n"},
        {"tournoi", "usage : moteur tournoi [OPTIONS] JOUEUR JOUEUR [JOUEUR...]\n"},
        {"classement", "usage : moteur classement [--resultats FICHIER] FICHIER...\n"},
    };
    for (const auto &[commande, debut] : sous) {
        essai::Execution e = essai::executer(essai::programme("moteur"), {commande, "--help"});
        EXPECT_EQ(e.statut, 0);
        EXPECT_EQ(e.sortie.rfind(debut, 0), 0u) << e.sortie;
        EXPECT_EQ(e.sortie.find("--personne"), std::string::npos) << commande;
    }
}

TEST_F(Moteur, UneLigneDeCommandeFausseEstRefuseeAvecLeStatut2)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cas = {
        {{"--inconnue"}, "option inconnue « --inconnue »"},
        {{"--parties"}, "l'option --parties attend une valeur (N)"},
        {{"--parties", "0"}, "--parties attend un entier de 1 à 100000000 (reçu « 0 »)"},
        {{"--parties=2x"}, "--parties attend un entier de 1 à 100000000 (reçu « 2x »)"},
        {{"--graine", "4294967296"},
         "--graine attend un entier de 0 à 4294967295 (reçu « 4294967296 »)"},
        {{"--graine", "-1"}, "--graine attend un entier de 0 à 4294967295 (reçu « -1 »)"},
        {{"--ouverture", "201"}, "--ouverture attend un entier de 0 à 200 (reçu « 201 »)"},
        {{"--temps", "0"},
         "--temps attend un nombre de secondes positif, par exemple 0.5 (reçu « 0 »)"},
        {{"--temps", "1e3"},
         "--temps attend un nombre de secondes positif, par exemple 0.5 (reçu « 1e3 »)"},
        {{"--strict=oui"}, "l'option --strict ne prend pas de valeur"},
        {{"-q", "--silencieux"}, "l'option --silencieux est donnée deux fois"},
        {{"joueur_premier"},
         "deux joueurs attendus (JAUNE ROUGE), ou aucun pour la démonstration ; 1 donné"},
        {{"joueur_premier", "joueur_premier", "joueur_premier"},
         "deux joueurs attendus (JAUNE ROUGE), ou aucun pour la démonstration ; 3 donnés"},
        {{"joueur_absent", "joueur_premier"}, "programme joueur introuvable « joueur_absent »"},
        {{"/tmp", "joueur_premier"}, "« /tmp » est un dossier, pas un programme joueur"},
        {{"--ouverture", "47", "joueur_premier", "joueur_premier"},
         "--ouverture 47 : 100 % des parties finiraient pendant l'ouverture, avant le premier "
         "coup des joueurs"},
        {{"--personne", "joueur_tirage", "joueur_premier", "joueur_premier"},
         "--personne : « joueur_tirage » n'est pas l'un des joueurs"},
        {{"rejouer"}, "rejouer attend un ou plusieurs fichiers d'enregistrement"},
        {{"rejouer", "--strict", "a"}, "l'option --strict ne s'emploie pas avec rejouer"},
        {{"--livre", "/absent/l.txt", "joueur_premier", "joueur_premier"},
         "--livre : impossible de lire « /absent/l.txt » : No such file or directory"},
        {{"--livre", "l.txt", "--ouverture", "2", "joueur_premier", "joueur_premier"},
         "--livre et --ouverture ne vont pas ensemble : chaque paire part d'une position du "
         "livre, ou de coups tirés au hasard"},
        {{"--cadence", "10+x"}, "--cadence attend BASE+INCREMENT en secondes, par exemple 10+0.1 "
                                "ou 60 (reçu « 10+x »)"},
        {{"--cadence", "0+1"}, "--cadence attend BASE+INCREMENT en secondes, par exemple 10+0.1 "
                               "ou 60 (reçu « 0+1 »)"},
        {{"--taille-traces", "0"}, "--taille-traces attend un entier de 1 à 100000 (reçu « 0 »)"},
        {{"-j", "0"}, "--concurrence attend un entier de 1 à 1024 (reçu « 0 »)"},
        {{"-j", "2", "--personne", "joueur_tirage", "joueur_premier", "joueur_tirage"},
         "une personne joue une partie à la fois : -j 1 (par défaut) pour un match avec une "
         "personne"},
        {{"-j", "2", "humain_liste", "joueur_premier"},
         "une personne joue une partie à la fois : -j 1 (par défaut) pour un match avec une "
         "personne"},
        {{"--reprendre", "joueur_premier", "joueur_premier"},
         "--reprendre attend --enregistrer FICHIER, le match à reprendre"},
        {{"--tous", "a", "b"}, "l'option --tous ne s'emploie qu'avec tournoi (moteur tournoi ...)"},
        {{"joueurs", "a"}, "joueurs ne prend aucun nom"},
        {{"livre", "--coups", "0"}, "--coups attend un entier de 1 à 200 (reçu « 0 »)"},
        {{"livre", "--nombre", "x"}, "--nombre attend un entier de 1 à 100000 (reçu « x »)"},
        {{"livre", "--ecart", "-5"}, "--ecart attend un entier de 0 à 100000 (reçu « -5 »)"},
        {{"livre", "l.txt"}, "livre ne prend aucun nom : son livre va sur la sortie standard "
                             "(moteur livre ... > livre.txt)"},
    };
    for (const auto &[arguments, message] : cas) {
        essai::Execution e = essai::executer(essai::programme("moteur"), arguments);
        EXPECT_EQ(e.statut, 2) << message;
        EXPECT_EQ(e.sortie, "") << message;
        std::string aide = arguments[0] == "livre" ? "livre --help" : "--help";
        EXPECT_EQ(e.erreurs, "moteur : " + message + "\nEssayez « moteur " + aide + " ».\n");
    }
}

TEST_F(Moteur, UnFichierDEnregistrementImpossibleAEcrireEstUnEchec)
{
    essai::Execution e = essai::executer(
        essai::programme("moteur"),
        {"--enregistrer", (dossier.chemin / "absent" / "f.txt").string(), "joueur_premier",
         "joueur_premier"});
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.sortie, "");
    EXPECT_TRUE(contient(e.erreurs, "moteur : impossible d'écrire dans")) << e.erreurs;
}

TEST_F(Moteur, DesResultatsQuiNAtteignentPasLaSortieSontUnEchec)
{
    // A full disk: the boards and results are lost, so the status says so.
    // /dev/full is that disk only where it is the kernel's device (1, 7).
    struct stat s;
    if (stat("/dev/full", &s) != 0 || !S_ISCHR(s.st_mode) || major(s.st_rdev) != 1 ||
        minor(s.st_rdev) != 7)
        GTEST_SKIP() << "/dev/full n'est pas le périphérique du noyau";
    Match m = jouer({"-q", "--graine", "1", "joueur_premier", "joueur_premier"});
    ASSERT_EQ(m.execution.statut, 0);
    const std::string moteur = essai::programme("moteur");
    for (const std::string &commande :
         {moteur + " --graine 1 joueur_premier joueur_premier",
          moteur + " rejouer " + (dossier.chemin / "parties.txt").string(), moteur + " --help"}) {
        essai::Execution e = essai::executer("/bin/sh", {"-c", commande + " > /dev/full"});
        EXPECT_EQ(e.statut, 1) << commande;
        EXPECT_EQ(e.erreurs, "moteur : l'écriture sur la sortie standard a échoué\n") << commande;
    }
}

TEST_F(Moteur, UnSecondMoteurSurLeMemeEnregistrementEstRefuse)
{
    fs::path f = dossier.chemin / "m.txt";
    pid_t pid = moteurEnFond({"-q", "--parties", "4", "--temps", "0.3", "--enregistrer", f.string(),
                              "joueur_bloque", "joueur_bloque"});
    for (int i = 0; i < 500 && lireFichier(f).empty(); i++)
        usleep(2000);
    essai::Execution e = essai::executer(
        essai::programme("moteur"), {"-q", "--enregistrer", f.string(), "joueur_premier", "joueur_premier"});
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.erreurs, "moteur : impossible d'écrire dans « " + f.string() +
                             " » : un autre moteur y écrit déjà\n");
    int etat = 0;
    waitpid(pid, &etat, 0);
    EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 0);
    EXPECT_EQ(lireParties(lireFichier(f)).size(), 4u); // the first engine's games, whole
}

TEST_F(Moteur, UnDisquePleinGardeLesPartiesEntieresEtLeBilanLesCompte)
{
    fs::path petit = dossier.chemin / "petit";
    fs::create_directory(petit);
    if (std::system(("mount -t tmpfs -o size=12k tmpfs " + petit.string() + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "pas le droit de monter un petit système de fichiers";
    fs::path f = petit / "m.txt";
    essai::Execution e = essai::executer(essai::programme("moteur"),
                                         {"-q", "--parties", "30", "--graine", "1", "--enregistrer",
                                          f.string(), "joueur_poids", "joueur_bref"});
    size_t gardees = lireParties(lireFichier(f)).size();
    essai::Execution r = essai::executer(essai::programme("moteur"), {"rejouer", "-q", f.string()});
    std::system(("umount " + petit.string()).c_str());
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.erreurs, "moteur : l'écriture dans « " + f.string() +
                             " » a échoué : No space left on device\n");
    ASSERT_GT(gardees, 0u);
    EXPECT_LT(gardees, 30u);
    EXPECT_NE(e.sortie.find("Bilan : " + std::to_string(gardees) + " parties"), std::string::npos)
        << e.sortie;
    EXPECT_EQ(r.statut, 0) << r.erreurs;
}

TEST_F(Moteur, UnMoteurArreteParLUtilisateurEmporteLesProcessusDesJoueurs)
{
    // joueur_fourche's second turn starts a process of its own, then hangs
    // (joueur_evade's leaves the player's session): stopped meanwhile, the
    // engine must end that process too, not only its child.  Killed
    // outright, it can end nothing: the player's sandbox goes with it.
    const std::pair<int, const char *> cas[] = {{SIGTERM, "joueur_fourche"},
                                                {SIGINT, "joueur_fourche"},
                                                {SIGHUP, "joueur_evade"},
                                                {SIGKILL, "joueur_evade"}};
    for (const auto &[numero, joueur] : cas) {
        if (numero == SIGKILL && !bacASable()) {
            std::printf("SIGKILL non essayé : %s\n", SANS_BAC_A_SABLE);
            continue;
        }
        pid_t pid = moteurEnFond({"-q", "--temps", "20", joueur, "joueur_premier"});
        usleep(500000);
        kill(pid, numero);
        int etat = 0;
        waitpid(pid, &etat, 0);
        EXPECT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == numero) << numero;
        // What the engine ended comes to us: give it time to go.
        bool fini = false;
        for (int i = 0; i < 200 && !fini; i++) {
            fini = aucunProcessusRestant();
            if (!fini)
                usleep(10000);
        }
        EXPECT_TRUE(fini) << "signal " << numero;
    }
}

TEST_F(Moteur, UnSignalDArretIgnoreAuDemarrageLeReste)
{
    // In the background of a script, or under nohup, the engine keeps the
    // choice it was started with: the match goes to its end.
    for (const std::string signal : {"INT", "HUP"}) {
        fs::path fichier = dossier.chemin / (signal + ".txt");
        std::string script = "trap '' " + signal + "\n" + essai::programme("moteur") +
                             " -q --parties 2 --temps 0.4 --enregistrer " + fichier.string() +
                             " joueur_bloque joueur_premier > /dev/null &\n"
                             "sleep 0.3; kill -" + signal + " $!\nwait $!\n";
        essai::Execution e = essai::executer("/bin/sh", {"-c", script});
        EXPECT_EQ(e.statut, 0) << signal << e.erreurs;
        EXPECT_EQ(lireParties(lireFichier(fichier)).size(), 2u) << signal;
    }
}

TEST_F(Moteur, UnMoteurSuspenduNeCompteSonRetardAPersonne)
{
    // Stopped (Ctrl-Z) while joueur_signal thinks, the engine finds its
    // answer waiting when it goes on, past the time for the move: the
    // player answered in time and must not lose for it.  Each stop outlasts
    // the time for a move; once running again, the engine's reading and its
    // watcher race for the late answer.  The time for a move leaves the
    // player's 30 ms room on a loaded machine under the sanitizers.
    fs::path fichier = dossier.chemin / "parties.txt";
    std::string script =
        essai::programme("moteur") + " -q --parties 4 --temps 0.3 --graine 1 --enregistrer " +
        fichier.string() +
        " joueur_signal joueur_premier > /dev/null &\n"
        "for i in 1 2 3 4 5 6 7 8 9 10 11 12; do\n"
        "  sleep 0.1; kill -STOP $!; sleep 0.45; kill -CONT $!\n"
        "done\n"
        "wait $!\n";
    essai::Execution e = essai::executer("/bin/sh", {"-c", script});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    std::vector<PartieEnregistree> parties = lireParties(lireFichier(fichier));
    ASSERT_EQ(parties.size(), 4u);
    for (const PartieEnregistree &p : parties)
        EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible") << p.tags.at("Partie");
    EXPECT_TRUE(aucunProcessusRestant());
}

TEST_F(Moteur, UnMoteurSansEntreeStandardFaitJouerSesJoueurs)
{
    // Started with its standard input closed (from a service, say): the
    // players' pipes must not take its number.
    std::string commande = essai::programme("moteur") +
                           " -q --graine 1 --enregistrer " +
                           (dossier.chemin / "parties.txt").string() +
                           " joueur_premier joueur_premier <&-";
    essai::Execution e = essai::executer("/bin/sh", {"-c", commande});
    EXPECT_EQ(e.statut, 0) << e.erreurs;
    std::vector<PartieEnregistree> parties =
        lireParties(lireFichier(dossier.chemin / "parties.txt"));
    ASSERT_EQ(parties.size(), 1u);
    EXPECT_EQ(parties[0].tags.at("Fin"), "plus aucun coup possible");
    EXPECT_EQ(parties[0].coups, partiePremierContrePremier());
}

// ---- A player at fault loses, the engine says why and goes on ------------

TEST_F(Moteur, UnProgrammeEnFauteJoueSonPremierCoupPuisPerdChaquePartie)
{
    // Each of these plays the first move of the list on its first turn of a
    // game, then fails on its second.  Against joueur_premier, game 1 is
    // 0-1 (the fault's side), 1-3 then the fault; in game 2 the fault comes
    // after 0-1 1-3 2-3.  Through the text protocol, the same programs fail
    // the same way; a line that is no answer is the protocol broken, and the
    // engine says what it received.  joueur_double_fourche exits, its
    // grandchild keeping the pipes: in the sandbox or outside it, it has
    // stopped, not run out of time.
    struct Cas {
        const char *joueur;
        const char *fin;
        const char *erreurs = ""; // the engine's standard error
        const char *isolation = "auto";
    };
    const Cas cas[] = {
        {"joueur_plante", "le programme a planté (SIGABRT)"},
        {"joueur_quitte", "le programme s'est arrêté"},
        {"joueur_bloque", "temps dépassé"},
        {"texte:joueur_plante --texte", "le programme a planté (SIGABRT)"},
        {"texte:joueur_quitte --texte", "le programme s'est arrêté"},
        {"texte:joueur_bloque --texte", "temps dépassé"},
        {"texte:joueur_texte.sh mal_forme", "protocole non respecté",
         "moteur : « texte:joueur_texte.sh mal_forme » ne respecte pas le protocole texte : "
         "« coup 3 4 » reçu au lieu de « coup INDICE », « coup O-D », « passe » ou « abandon »\n"},
        {"joueur_double_fourche", "le programme s'est arrêté"},
        {"joueur_double_fourche", "le programme s'est arrêté", "", "aucune"},
    };
    for (const Cas &c : cas) {
        Match m = jouer({"-q", "--parties", "2", "--temps", "0.3", "--graine", "5", "--isolation",
                         c.isolation, c.joueur, "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 0) << c.joueur;
        // Once per game.
        EXPECT_EQ(m.execution.erreurs, std::string(c.erreurs) + c.erreurs);
        ASSERT_EQ(m.parties.size(), 2u) << c.joueur;
        EXPECT_EQ(m.parties[0].tags["Fin"], std::string("jaune : ") + c.fin);
        EXPECT_EQ(m.parties[0].tags["Resultat"], "0-1");
        EXPECT_EQ(m.parties[0].coups, (std::vector<std::string>{"0-1", "1-3"}));
        EXPECT_EQ(m.parties[1].tags["Fin"], std::string("rouge : ") + c.fin);
        EXPECT_EQ(m.parties[1].tags["Resultat"], "1-0");
        EXPECT_EQ(m.parties[1].coups, (std::vector<std::string>{"0-1", "1-3", "2-3"}));
        EXPECT_TRUE(contient(m.execution.sortie,
                             std::string("  ") + c.joueur +
                                 " : 0 victoire, 2 défaites, 0 nulle, 0 point, 0 coup imposé, "
                                 "2 fautes\n"))
            << m.execution.sortie;
        EXPECT_TRUE(contient(m.execution.sortie,
                             "Partie 1 : " + std::string(c.joueur) +
                                 " - joueur_premier : 0-1, joueur_premier (rouge) gagne (jaune : " +
                                 c.fin + ")\n"))
            << m.execution.sortie;
    }
}

TEST_F(Moteur, UnJoueurSeNommeOuSAppelleDuNomDeSonFichier)
{
    // nom=programme names it; a path alone shows its file name when that is
    // unique, and the whole path when two players would share it.
    const struct {
        std::vector<std::string> joueurs;
        std::string jaune, rouge;
    } cas[] = {
        {{"mon=joueur_premier", essai::programme("joueur_tirage")}, "mon", "joueur_tirage"},
        {{essai::programme("joueur_premier"), "joueur_premier"}, essai::programme("joueur_premier"),
         "joueur_premier"},
    };
    for (const auto &c : cas) {
        std::vector<std::string> a = {"-q", "--graine", "1"};
        a.insert(a.end(), c.joueurs.begin(), c.joueurs.end());
        Match m = jouer(a);
        ASSERT_EQ(m.parties.size(), 1u) << m.execution.erreurs;
        EXPECT_EQ(m.parties[0].tags.at("Jaune"), c.jaune);
        EXPECT_EQ(m.parties[0].tags.at("Rouge"), c.rouge);
    }
}

TEST_F(Moteur, UnProgrammeQuiNeRepondPlusEstArreteAuBoutDeSonTemps)
{
    Match m = jouer({"-q", "--parties", "4", "--temps", "0.2", "joueur_bloque", "joueur_bloque"});
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 4u);
    for (const PartieEnregistree &p : m.parties)
        EXPECT_EQ(p.tags.at("Fin"), "jaune : temps dépassé");
    EXPECT_LT(m.secondes, 3.0);
    // A person's time is --temps-personne, never a program's --temps.
    m = jouer({"-q", "--temps", "60", "--temps-personne", "0.2", "--personne", "joueur_bloque",
               "joueur_bloque", "joueur_premier"});
    ASSERT_EQ(m.parties.size(), 1u);
    EXPECT_EQ(m.parties[0].tags.at("Fin"), "jaune : temps dépassé");
    EXPECT_LT(m.secondes, 3.0);
}

TEST_F(Moteur, CeQuUnProgrammeALaTraineALanceFinitAvecLui)
{
    // joueur_fourche's own child keeps the pipes open: the engine must not
    // wait for their end, and must not leave that child behind.
    // joueur_evade's child even leaves the player's session and group;
    // joueur_transfuge itself leaves the group it was started in.
    for (const char *joueur : {"joueur_fourche", "joueur_evade", "joueur_transfuge"}) {
        Match m = jouer({"-q", "--parties", "2", "--temps", "0.3", joueur, "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 0) << joueur;
        ASSERT_EQ(m.parties.size(), 2u) << joueur;
        EXPECT_EQ(m.parties[0].tags["Fin"], "jaune : temps dépassé");
        EXPECT_EQ(m.parties[1].tags["Fin"], "rouge : temps dépassé");
        EXPECT_LT(m.secondes, 3.0) << joueur;
    }
}

TEST_F(Moteur, UnProgrammeQuiNeSaluePasLeMoteurEstRefuseDEmblee)
{
    // Each is started once before the match: no game is played.
    const std::pair<std::string, std::string> cas[] = {
        {"ceci n'est pas un programme\n", "le programme n'a pas pu démarrer"},
        {"#!/bin/sh\nexit 3\n", "il s'est arrêté sans saluer le moteur (statut 3)"},
        {"#!/bin/sh\nkill -SEGV $$\n", "le programme a planté (SIGSEGV)"},
    };
    fs::path faux = dossier.chemin / "pas_un_joueur";
    for (const auto &[contenu, raison] : cas) {
        std::ofstream(faux) << contenu;
        fs::permissions(faux, fs::perms::owner_all);
        Match m = jouer({"-q", faux.string(), "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 2) << raison;
        EXPECT_EQ(m.execution.erreurs, "moteur : « " + faux.string() + " » n'est pas un joueur : " +
                                           raison + "\nEssayez « moteur --help ».\n");
        EXPECT_TRUE(m.parties.empty());
    }
    fs::permissions(faux, fs::perms::owner_read | fs::perms::owner_write);
    Match m = jouer({"joueur_premier", faux.string()});
    EXPECT_EQ(m.execution.statut, 2);
    EXPECT_EQ(m.execution.erreurs, "moteur : « " + faux.string() + " » n'est pas exécutable (chmod +x " +
                                       faux.string() + ")\nEssayez « moteur --help ».\n");
}

TEST_F(Moteur, UnProgrammeDUneAutreVersionDuProtocoleEstSignaleUneFois)
{
    Match m = jouer({"-q", "--parties", "2", "joueur_ancien", "joueur_premier"});
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 2u);
    EXPECT_EQ(m.parties[0].tags["Fin"], "jaune : protocole non respecté");
    EXPECT_EQ(m.parties[1].tags["Fin"], "rouge : protocole non respecté");
    EXPECT_EQ(m.execution.erreurs,
              "moteur : « joueur_ancien » parle la version 1 du protocole des joueurs et ce "
              "moteur la version 5 : reconstruisez ce programme avec la bibliothèque libjoueur "
              "de ce kit\n");
}

TEST_F(Moteur, UneReponseAbsenteOuHorsListeEstRemplaceeEtCompteeAuJoueur)
{
    // joueur_lecteur reads its input to the end first: a program's input
    // ending says nothing, only a person's does.
    for (const char *joueur : {"joueur_muet", "joueur_hors_liste", "joueur_lecteur",
                               "texte:joueur_muet --texte", "texte:joueur_hors_liste --texte"}) {
        Match m = jouer({"-q", "--graine", "11", joueur, "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 0) << joueur;
        ASSERT_EQ(m.parties.size(), 1u);
        const PartieEnregistree &p = m.parties[0];
        EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible");
        ASSERT_FALSE(p.coups.empty());
        int imposes = 0;
        for (size_t i = 0; i < p.coups.size(); i++) {
            bool impose = p.coups[i].back() == '*';
            EXPECT_EQ(impose, i % 2 == 0) << joueur << " coup " << i + 1;
            imposes += impose;
        }
        EXPECT_TRUE(contient(m.execution.sortie, ", " + std::to_string(imposes) +
                                                     " coups imposés, 0 faute\n"))
            << m.execution.sortie;
        // The record replays: every imposed move is legal.
        essai::Execution r = essai::executer(essai::programme("moteur"),
                                             {"rejouer", "-q", (dossier.chemin / "parties.txt")});
        EXPECT_EQ(r.statut, 0) << r.erreurs;
    }
}

TEST_F(Moteur, AvecStrictUneReponseAbsenteOuHorsListePerdLaPartie)
{
    const std::pair<const char *, const char *> cas[] = {
        {"joueur_muet", "aucun coup remis (--strict)"},
        {"joueur_hors_liste", "coup hors de la liste (--strict)"},
        {"texte:joueur_muet --texte", "aucun coup remis (--strict)"},
        {"texte:joueur_hors_liste --texte", "coup hors de la liste (--strict)"},
    };
    for (const auto &[joueur, fin] : cas) {
        Match m = jouer({"-q", "--strict", "--parties", "2", joueur, "joueur_premier"});
        ASSERT_EQ(m.parties.size(), 2u) << joueur;
        EXPECT_EQ(m.parties[0].tags["Fin"], std::string("jaune : ") + fin);
        EXPECT_TRUE(m.parties[0].coups.empty());
        EXPECT_EQ(m.parties[1].tags["Fin"], std::string("rouge : ") + fin);
        EXPECT_EQ(m.parties[1].coups, std::vector<std::string>{"0-1"});
        EXPECT_EQ(m.parties[1].tags["Resultat"], "1-0");
    }
}

TEST_F(Moteur, UnProgrammeBavardNeBloqueRienEtSaSortieNArrivePasALEcran)
{
    // Through the text protocol, its flood goes to its standard error.
    for (const char *joueur : {"joueur_bavard", "texte:joueur_bavard --texte"}) {
        Match m = jouer({"--parties", "2", joueur, "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 0) << joueur;
        EXPECT_FALSE(contient(m.execution.sortie + m.execution.erreurs, "xxxx")) << joueur;
        ASSERT_EQ(m.parties.size(), 2u) << joueur;
        // It plays the first move, as joueur_premier does.
        EXPECT_EQ(m.parties[0].coups, partiePremierContrePremier()) << joueur;
        EXPECT_EQ(m.parties[1].coups, partiePremierContrePremier()) << joueur;
    }
}

TEST_F(Moteur, LesTracesDesProgrammesVontChacuneDansSonFichier)
{
    fs::path traces = dossier.chemin / "traces";
    Match m = jouer({"-q", "--traces", traces.string(), "joueur_premier", "joueur_muet"});
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 1u);
    std::vector<std::string> lignes = essai::lignes(lireFichier(traces / "1-joueur_premier.txt"));
    // One line per turn of joueur_premier, yellow: the first of every pair.
    EXPECT_EQ(lignes.size(), (m.parties[0].coups.size() + 1) / 2);
    ASSERT_FALSE(lignes.empty());
    EXPECT_EQ(lignes[0], "premier : coup 0 sur 292");
    EXPECT_TRUE(fs::exists(traces / "2-joueur_muet.txt"));
    EXPECT_FALSE(contient(m.execution.sortie, "premier : coup"));
    // Written line by line: the line before a crash is kept.
    jouer({"-q", "--traces", traces.string(), "joueur_plante", "joueur_premier"});
    EXPECT_EQ(lireFichier(traces / "1-joueur_plante.txt"), "plante : dernière ligne\n");
    // A text program's trace is its standard error.
    jouer({"-q", "--traces", traces.string(), "texte:joueur_plante --texte", "joueur_premier"});
    EXPECT_EQ(lireFichier(traces / "1-texte:joueur_plante --texte.txt"), "plante : dernière ligne\n");
    // A trace file that cannot be opened is the system's fault, said as such.
    traces = dossier.chemin / "bloquees";
    fs::create_directories(traces / "2-joueur_premier.txt");
    m = jouer({"-q", "--traces", traces.string(), "joueur_muet", "joueur_premier"});
    EXPECT_EQ(m.execution.statut, 1);
    EXPECT_EQ(m.execution.erreurs, "moteur : impossible de lancer « joueur_premier » : impossible "
                                   "d'ouvrir son fichier de trace « " +
                                       (traces / "2-joueur_premier.txt").string() +
                                       " » : Is a directory\n");
}

TEST_F(Moteur, UnCtrlCArreteLeMatchEtAfficheLeBilanDesPartiesFinies)
{
    // The test-only players are built away from the kit's programs.
    EXPECT_FALSE(fs::exists(fs::path(TESSOR_BIN_DIR) / "joueur_premier"));
    fs::path sortie = dossier.chemin / "sortie.txt", fichier = dossier.chemin / "parties.txt";
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open(sortie.c_str(), O_WRONLY | O_CREAT, 0644), 1);
        std::string m = essai::programme("moteur");
        execl(m.c_str(), m.c_str(), "-q", "--parties", "50", "--temps", "0.2", "--graine", "1",
              "--enregistrer", fichier.c_str(), "joueur_bloque", "joueur_premier", nullptr);
        _exit(127);
    }
    usleep(900000); // a game lasts 0.2 s: a few have ended
    kill(pid, SIGINT);
    int etat = 0;
    waitpid(pid, &etat, 0);
    EXPECT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == SIGINT) << etat;
    size_t n = lireParties(lireFichier(fichier)).size();
    EXPECT_TRUE(n >= 1 && n < 50) << n;
    EXPECT_TRUE(contient(lireFichier(sortie), "Bilan : " + std::to_string(n) + " partie" +
                                                  (n > 1 ? "s" : "") + ", graine 1 (match interrompu)\n"));
    bool fini = false;
    for (int i = 0; i < 200 && !(fini = aucunProcessusRestant()); i++)
        usleep(10000);
    EXPECT_TRUE(fini);
}

// ---- A hostile player harms nobody ----------------------------------------

TEST_F(Moteur, UnJoueurQuiSignaleLeMoteurNeLArretePas)
{
    // joueur_signaleur sends its parent a signal at each of its turns: the
    // engine, outside the sandbox, where it ignores or refuses every signal
    // a player may send but SIGKILL and SIGSTOP; its box's keeper inside,
    // which no signal of the box reaches.  Either way the two games are
    // played to their end.
    std::vector<std::pair<int, const char *>> cas = {{SIGKILL, "auto"}, {SIGSTOP, "auto"}};
    for (int numero : {SIGHUP,  SIGINT,    SIGQUIT,  SIGILL,  SIGTRAP,   SIGABRT,  SIGBUS,
                       SIGFPE,  SIGUSR1,   SIGSEGV,  SIGUSR2, SIGPIPE,   SIGALRM,  SIGTERM,
                       SIGSTKFLT, SIGCHLD, SIGCONT,  SIGTSTP, SIGTTIN,   SIGTTOU,  SIGURG,
                       SIGXCPU, SIGXFSZ,   SIGVTALRM, SIGPROF, SIGWINCH, SIGIO,    SIGPWR,
                       SIGSYS,  SIGRTMIN,  SIGRTMIN + 1, SIGRTMAX})
        for (const char *isolation : {"aucune", "auto"})
            cas.emplace_back(numero, isolation);
    for (const auto &[numero, isolation] : cas) {
        if (std::string(isolation) == "auto" && !bacASable() &&
            (numero == SIGKILL || numero == SIGSTOP)) {
            std::printf("signal %d non essayé : %s\n", numero, SANS_BAC_A_SABLE);
            continue;
        }
        setenv("JOUEUR_SIGNALEUR", std::to_string(numero).c_str(), 1);
        Match m = jouer({"-q", "--parties", "2", "--temps", "2", "--isolation", isolation,
                         "joueur_signaleur", "joueur_premier"});
        std::string essai = std::to_string(numero) + " " + isolation;
        EXPECT_EQ(m.execution.statut, 0) << essai << m.execution.erreurs;
        ASSERT_EQ(m.parties.size(), 2u) << essai;
        for (const PartieEnregistree &p : m.parties) {
            EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible") << essai;
            EXPECT_EQ(p.coups, partiePremierContrePremier()) << essai;
        }
    }
    unsetenv("JOUEUR_SIGNALEUR");
}

TEST_F(Moteur, UnJoueurNePeutPasTuerSonAdversaire)
{
    // joueur_tueur kills every other child of its parent at each turn: in
    // the sandbox it finds none; outside it, its opponent, which it finds
    // at its first turn, crashes before its own.
    struct Cas {
        const char *isolation;
        const char *fin;
    };
    for (const Cas &c : {Cas{"auto", "plus aucun coup possible"},
                         Cas{"aucune", "rouge : le programme a planté (SIGKILL)"}}) {
        if (std::string(c.isolation) == "auto" && !bacASable()) {
            std::printf("bac à sable non essayé : %s\n", SANS_BAC_A_SABLE);
            continue;
        }
        Match m = jouer({"-q", "--isolation", c.isolation, "joueur_tueur", "joueur_premier"});
        EXPECT_EQ(m.execution.statut, 0) << c.isolation << m.execution.erreurs;
        ASSERT_EQ(m.parties.size(), 1u) << c.isolation;
        EXPECT_EQ(m.parties[0].tags.at("Fin"), c.fin);
    }
}

TEST_F(Moteur, UnSystemeQuiRefuseLeBacASableEstSignaleUneFoisOuRefuse)
{
    // A user namespace where no process-id namespace may be made stands for
    // such a system (skipped where none can be made).
    const std::string script =
        "unshare -U -r sh -c 'echo 0 > /proc/sys/user/max_pid_namespaces || exit\n"
        "\"$0\" -q --parties 2 joueur_premier joueur_premier 2>&1; echo \"statut $?\"\n"
        "\"$0\" -q --isolation exigee joueur_premier joueur_premier 2>&1; echo \"statut $?\"' " +
        essai::programme("moteur");
    essai::Execution e = essai::executer("/bin/sh", {"-c", script});
    if (!contient(e.sortie, "statut"))
        GTEST_SKIP() << "aucun espace de noms d'utilisateur ici : " << e.erreurs;
    const std::string refus = "ce système refuse d'isoler les joueurs (espaces de noms : ";
    std::vector<std::string> l = essai::lignes(e.sortie);
    // The warning, two games, the summary (three lines and the Elo line).
    ASSERT_EQ(l.size(), 10u) << e.sortie;
    EXPECT_EQ(l[0].rfind("moteur : attention, " + refus, 0), 0u) << l[0];
    EXPECT_TRUE(contient(l[0], ") : ils jouent sans bac à sable, avec leurs seules limites")) << l[0];
    EXPECT_EQ(l[2].rfind("Partie 2 : ", 0), 0u) << l[2];
    EXPECT_EQ(l[7], "statut 0");
    EXPECT_EQ(l[8].rfind("moteur : --isolation exigee : " + refus, 0), 0u) << l[8];
    EXPECT_EQ(l[9], "statut 1");
}

// ---- Seeds, openings and colours -----------------------------------------

TEST_F(Moteur, UneGraineRejoueLeMatchOctetPourOctet)
{
    std::vector<std::string> options = {"-q", "--parties", "4", "--ouverture", "3",
                                        "joueur_tirage", "joueur_muet"};
    auto avecGraine = [&](const char *graine) {
        std::vector<std::string> a = options;
        a.insert(a.begin(), {"--graine", graine});
        return jouer(a);
    };
    Match un = avecGraine("42"), deux = avecGraine("42"), autre = avecGraine("43");
    ASSERT_EQ(un.parties.size(), 4u);
    EXPECT_EQ(un.enregistrement, deux.enregistrement);
    EXPECT_NE(un.enregistrement, autre.enregistrement);

    // Games go in pairs from one start position, three moves in: red to move.
    EXPECT_EQ(un.parties[0].tags["Depart"], un.parties[1].tags["Depart"]);
    EXPECT_EQ(un.parties[2].tags["Depart"], un.parties[3].tags["Depart"]);
    EXPECT_NE(un.parties[0].tags["Depart"], un.parties[2].tags["Depart"]);
    EXPECT_EQ(un.parties[0].tags["Depart"].back(), 'r');
    // Colours swap every game.
    EXPECT_EQ(un.parties[0].tags["Jaune"], "joueur_tirage");
    EXPECT_EQ(un.parties[1].tags["Jaune"], "joueur_muet");
    EXPECT_EQ(un.parties[2].tags["Jaune"], "joueur_tirage");
}

TEST_F(Moteur, LeJoueurTireSesNombresAvecLaGraineDeLaPartie)
{
    // joueur_tirage plays index rand() % nb: its first move shows whether
    // srand received the game's seed before the first turn, in every game.
    Match m = jouer({"-q", "--parties", "3", "--graine", "9", "joueur_tirage", "joueur_tirage"});
    ASSERT_EQ(m.parties.size(), 3u);
    // Against itself, each side of the summary says which it is.
    EXPECT_TRUE(contient(m.execution.sortie, "\n  joueur_tirage (jaune en partie 1) : "));
    EXPECT_TRUE(contient(m.execution.sortie, "\n  joueur_tirage (rouge en partie 1) : "));
    for (const PartieEnregistree &p : m.parties) {
        std::srand(static_cast<unsigned>(std::stoul(p.tags.at("Graine"))));
        ListeCoups l = getCoupsLegaux(getPositionInitiale());
        Coup c = l.coups[std::rand() % l.nb];
        ASSERT_FALSE(p.coups.empty());
        EXPECT_EQ(p.coups[0], std::to_string(c.origine) + "-" + std::to_string(c.destination));
    }
}

TEST_F(Moteur, SansGraineLaGraineTireeEstAfficheeEtRejoueLeMatch)
{
    Match m = jouer({"--parties", "2", "joueur_tirage", "joueur_tirage"});
    std::string premiere = essai::lignes(m.execution.sortie).at(0);
    const std::string debut = "Jaune : joueur_tirage, rouge : joueur_tirage (les couleurs "
                              "alternent), graine du match ";
    ASSERT_EQ(premiere.rfind(debut, 0), 0u) << premiere;
    std::string graine = premiere.substr(debut.size());
    Match rejoue = jouer({"--graine", graine, "--parties", "2", "joueur_tirage", "joueur_tirage"});
    EXPECT_EQ(rejoue.enregistrement, m.enregistrement);
}

// ---- Display ---------------------------------------------------------------

TEST_F(Moteur, LAffichageMontreLesJoueursLesCoupsLePlateauEtLeResultat)
{
    Match m = jouer({"--graine", "3", "joueur_premier", "joueur_premier"});
    std::vector<std::string> l = essai::lignes(m.execution.sortie);
    ASSERT_GT(l.size(), 30u);
    EXPECT_EQ(l[0], "Jaune : joueur_premier, rouge : joueur_premier (les couleurs alternent), "
                    "graine du match 3");
    EXPECT_EQ(l[2].rfind("Partie 1 : joueur_premier (jaune) contre joueur_premier (rouge), "
                         "graine ",
                         0),
              0u);
    // The initial board, then the first move 0-1 and the board after it.
    EXPECT_EQ(l[3], "                0:1r   1:1j");
    EXPECT_EQ(l[7], " 20:1r  21:1j  22:1r  23:1j         24:1j  25:1r  26:1j  27:1r");
    EXPECT_EQ(l[11], "                                    46:1j  47:1r");
    EXPECT_EQ(l[13], "Coup 1 : joueur_premier (jaune) joue 0-1");
    EXPECT_EQ(l[14], "              [ 0: .][ 1:2r]");
    EXPECT_TRUE(contient(m.execution.sortie, "\nRésultat : "));
    EXPECT_TRUE(contient(m.execution.sortie, "\nBilan : 1 partie, graine 3\n"));
}

TEST_F(Moteur, LeSignalDuJoueurDontCEstLeTourMarqueSaReflexion)
{
    Match m = jouer({"--graine", "2", "joueur_signal", "joueur_premier"});
    EXPECT_EQ(m.execution.statut, 0);
    int marques = 0;
    for (const std::string &l : essai::lignes(m.execution.sortie)) {
        if (l.rfind("Coup ", 0) != 0)
            continue;
        bool signal = l.find("(jaune)") != std::string::npos;
        EXPECT_EQ(contient(l, ", réflexion "), signal) << l;
        marques += contient(l, ", réflexion ");
    }
    EXPECT_GT(marques, 10);
}

TEST_F(Moteur, LesSignauxDeLAutreJoueurNEffacentPasCeluiDuJoueurDontCEstLeTour)
{
    // joueur_brouilleur's child signals its pidMoteur every millisecond,
    // during its turns too: a signal of a player's own process marks its
    // move, one of a process it started never does, and nothing of the
    // other player's reaches joueur_signal's marks.
    Match m = jouer({"--graine", "2", "joueur_signal", "joueur_brouilleur"});
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 1u);
    EXPECT_EQ(m.parties[0].coups, partiePremierContrePremier());
    int coupsJaunes = 0, marques = 0;
    for (const std::string &l : essai::lignes(m.execution.sortie)) {
        if (l.rfind("Coup ", 0) != 0)
            continue;
        bool jaune = contient(l, "joueur_signal (jaune)");
        coupsJaunes += jaune;
        marques += jaune && contient(l, ", réflexion ");
        EXPECT_TRUE(jaune || !contient(l, ", réflexion ")) << l;
    }
    EXPECT_EQ(static_cast<size_t>(coupsJaunes), (m.parties[0].coups.size() + 1) / 2);
    EXPECT_EQ(marques, coupsJaunes) << m.execution.sortie;
}

// ---- A person at the terminal, scripted -----------------------------------

// What a person types to play the first move of the list at each of its
// turns, with joueur_premier opposite: the same game as first against first.
std::string saisiesDuPremierCoup(bool jaune)
{
    std::string entree;
    Position p = getPositionInitiale();
    for (ListeCoups l = getCoupsLegaux(p); l.nb > 0; l = getCoupsLegaux(p)) {
        Coup c = l.coups[0];
        if ((p.trait == JAUNE) == jaune)
            entree += std::to_string(c.origine) + " " + std::to_string(c.destination) + "\n";
        p = jouerCoup(p, c.origine, c.destination);
    }
    return entree;
}

TEST_F(Moteur, UnePersonneJoueDesPartiesEntieresParHumainListe)
{
    // Two games: the program is kept, so the person's input flows on. Junk
    // lines are dropped and the prompt comes again.
    std::string entree;
    for (int i = 0; i < 60; i++)
        entree += i % 7 == 3 ? "pas un nombre\n0\n" : "0\n";
    Match m = jouer({"--parties", "2", "humain_liste", "joueur_premier"}, entree);
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 2u);
    for (const PartieEnregistree &p : m.parties) {
        EXPECT_EQ(p.coups, partiePremierContrePremier());
        EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible");
    }
    const std::string &s = m.execution.sortie;
    // The board comes before the person's list and prompt.
    size_t plateau = s.find(" 0:1r   1:1j\n"), liste = s.find("Ma couleur : jaune\n");
    ASSERT_NE(liste, std::string::npos);
    EXPECT_LT(plateau, liste);
    EXPECT_TRUE(contient(s, "Coup 0 : 0 (1 - rouge) ->1 (1 - jaune) \n"));
    EXPECT_TRUE(contient(s, "Votre choix ? Votre choix ? Vous avez choisi 0\n"));
}

TEST_F(Moteur, UnePersonneQuiDonneUnIndiceHorsDeLaListeRejoueSonTour)
{
    // 292 moves at the start; the person plays index 0 at every turn, as
    // joueur_premier opposite.  Quiet, the person still sees the board
    // (after 0-1 1-3, cells 1 and 3 of the last move in brackets).
    std::string entree = "300\n";
    for (int i = 0; i < 40; i++)
        entree += "0\n";
    Match m = jouer({"-q", "humain_liste", "joueur_premier"}, entree);
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 1u);
    EXPECT_EQ(m.parties[0].coups, partiePremierContrePremier()); // nothing imposed
    const std::string &s = m.execution.sortie;
    EXPECT_TRUE(contient(s, "Partie 1 : à humain_liste (jaune) de jouer\n                0:1r   1:1j\n"));
    EXPECT_TRUE(contient(s, "Vous avez choisi 300\nIndice 300 hors de la liste : choisissez un "
                            "indice de 0 à 291\nMa couleur : jaune\n"));
    EXPECT_TRUE(contient(s, "à humain_liste (jaune) de jouer (dernier coup 1-3)\n"
                            "                0: . [ 1: .]\n         2:1r [ 3:3r]  4:1r   5:1j\n"))
        << s.substr(0, 4000);
}

TEST_F(Moteur, UneOuvertureLongueEstSignaleeAvecSonChiffre)
{
    Match m = jouer({"-q", "--ouverture", "33", "joueur_premier", "joueur_premier"});
    EXPECT_EQ(m.execution.statut, 0);
    EXPECT_EQ(m.execution.erreurs.rfind("moteur : attention, --ouverture 33 : ", 0), 0u)
        << m.execution.erreurs;
    EXPECT_TRUE(contient(m.execution.erreurs, " % des parties finiraient pendant l'ouverture"));
    EXPECT_EQ(jouer({"-q", "--ouverture", "2", "joueur_premier", "joueur_premier"}).execution.erreurs, "");
}

TEST_F(Moteur, UnePersonneJoueDesPartiesEntieresEnTapantSesCoups)
{
    for (const char *humain : {"humain_saisie", "humain_moteur"}) {
        // A refused pair and a junk line before each true move.
        std::string entree;
        for (bool jaune : {true, false}) {
            std::istringstream coups(saisiesDuPremierCoup(jaune));
            for (std::string l; std::getline(coups, l);)
                entree += "0 47\nzut\n" + l + "\n";
        }
        Match m = jouer({"--parties", "2", humain, "joueur_premier"}, entree);
        EXPECT_EQ(m.execution.statut, 0) << humain;
        ASSERT_EQ(m.parties.size(), 2u) << humain;
        for (const PartieEnregistree &p : m.parties) {
            EXPECT_EQ(p.coups, partiePremierContrePremier()) << humain;
            EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible");
        }
        EXPECT_TRUE(contient(m.execution.sortie, "Erreur de saisie !\n"));
        EXPECT_TRUE(contient(m.execution.sortie, "Coup correspondant trouvé : 0\n"));
        // humain_moteur signals the engine after each move: its thinking time
        // is shown; humain_saisie sends nothing.
        EXPECT_EQ(contient(m.execution.sortie, "humain_moteur (jaune) joue 0-1, réflexion "),
                  std::string(humain) == "humain_moteur")
            << m.execution.sortie.substr(0, 3000);
    }
}

TEST_F(Moteur, QuandLEntreeDeLaPersonneFinitLaPartieEstPerdueEtLeMatchSArrete)
{
    struct Cas {
        const char *humain;
        std::string entree;
        std::vector<std::string> coups;
    };
    const Cas cas[] = {
        {"humain_liste", "", {}},
        {"humain_liste", "0\nabc\n", {"0-1", "1-3"}},
        {"humain_saisie", "0 1\n", {"0-1", "1-3"}},
        {"humain_saisie", "0 1\n9 9\n", {"0-1", "1-3"}},
        {"humain_moteur", "0 1\nx\n", {"0-1", "1-3"}},
        {"joueur_lecteur", "", {}}, // with --personne
    };
    for (const Cas &c : cas) {
        std::vector<std::string> a = {"-q", "--parties", "3", c.humain, "joueur_premier"};
        if (std::string(c.humain) == "joueur_lecteur")
            a.insert(a.begin(), {"--personne", "joueur_lecteur"});
        Match m = jouer(a, c.entree);
        EXPECT_EQ(m.execution.statut, 0) << c.humain;
        ASSERT_EQ(m.parties.size(), 1u) << c.humain << " " << c.entree;
        EXPECT_EQ(m.parties[0].tags["Fin"], "jaune : la personne a quitté la partie");
        EXPECT_EQ(m.parties[0].tags["Resultat"], "0-1");
        EXPECT_EQ(m.parties[0].coups, c.coups);
        EXPECT_TRUE(contient(m.execution.sortie, "Bilan : 1 partie, graine "));
        EXPECT_TRUE(contient(m.execution.sortie, " (match interrompu)\n"));
    }
}

// ---- The kit's own players ---------------------------------------------------

TEST_F(Moteur, LaDemonstrationOpposeDeuxJoueursDuKitJusquAuResultat)
{
    Match m = jouer({"--graine", "7"});
    EXPECT_EQ(m.execution.statut, 0) << m.execution.erreurs;
    EXPECT_EQ(essai::lignes(m.execution.sortie).at(0),
              "Jaune : joueur_poids, rouge : joueur_critique (les couleurs alternent), graine du "
              "match 7");
    ASSERT_EQ(m.parties.size(), 1u);
    const PartieEnregistree &p = m.parties[0];
    EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible");
    // One "Coup n" line and one board per move, then the score and result.
    int lignesDeCoup = 0;
    for (const std::string &l : essai::lignes(m.execution.sortie))
        lignesDeCoup += l.rfind("Coup ", 0) == 0;
    EXPECT_EQ(static_cast<size_t>(lignesDeCoup), p.coups.size());
    // The record's score as afficherScore writes it, the screen's in French.
    std::string score = p.tags.at("Score");
    score.replace(0, 2, "J :");
    for (const char *piles : {" (0 piles", " (1 piles"})
        for (size_t ou; (ou = score.find(piles)) != std::string::npos;)
            score.replace(ou + 8, 1, "");
    EXPECT_TRUE(contient(m.execution.sortie, "\n" + score + "\nRésultat : ")) << score;
    essai::Execution r = essai::executer(essai::programme("moteur"),
                                         {"rejouer", "-q", (dossier.chemin / "parties.txt")});
    EXPECT_EQ(r.statut, 0) << r.erreurs;
}

TEST_F(Moteur, UnMatchEntreJoueursDuKitSeRejoueALIdentiqueEtSeRelit)
{
    std::vector<std::string> a = {"-q", "--parties", "6", "--ouverture", "2", "--graine", "1",
                                  "joueur_poids", "joueur_critique"};
    Match un = jouer(a), deux = jouer(a);
    EXPECT_EQ(un.execution.statut, 0);
    ASSERT_EQ(un.parties.size(), 6u);
    EXPECT_EQ(un.enregistrement, deux.enregistrement);
    EXPECT_EQ(un.execution.sortie, deux.execution.sortie);
    for (const PartieEnregistree &p : un.parties)
        EXPECT_EQ(p.tags.at("Fin"), "plus aucun coup possible");
    essai::Execution r = essai::executer(essai::programme("moteur"),
                                         {"rejouer", "-q", (dossier.chemin / "parties.txt")});
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_TRUE(contient(r.sortie, "6 parties rejouées, tous les coups sont légaux.\n"));
}

TEST_F(Moteur, UnePersonneJoueContreUnProgrammeDuKit)
{
    std::string entree;
    for (int i = 0; i < 100; i++)
        entree += "0\n";
    Match m = jouer({"--graine", "4", "humain_liste", "joueur_critique"}, entree);
    EXPECT_EQ(m.execution.statut, 0);
    ASSERT_EQ(m.parties.size(), 1u);
    EXPECT_EQ(m.parties[0].tags.at("Fin"), "plus aucun coup possible");
    for (size_t i = 0; i < m.parties[0].coups.size(); i += 2)
        EXPECT_EQ(m.parties[0].coups[i].back() == '*', false) << i;
    EXPECT_TRUE(contient(m.execution.sortie, "Vous avez choisi 0\n"));
}

} // namespace
