// `moteur navigateur` driven over its HTTP API from outside, as its page
// drives it: requests without the secret, or from another Host or Origin,
// malformed or against the rules, are refused and change nothing; whole
// games against a kit player are recorded and replay; closing the page or
// Ctrl-C ends the engine and its program.
#include "sorties/enregistrement.h"
#include "programme.h"

#include "tessor.h"

#include <httplib.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string lireFichier(const fs::path &chemin) { return essai::lireFichier(chemin); }

// The value of a whole-number field of the page's JSON, e.g. "version".
long champ(const std::string &json, const std::string &nom)
{
    size_t i = json.find("\"" + nom + "\":");
    return i == std::string::npos ? -1 : std::stol(json.substr(i + nom.size() + 3));
}
std::string texteDe(const std::string &json, const std::string &nom)
{
    size_t i = json.find("\"" + nom + "\":\"");
    if (i == std::string::npos)
        return "";
    i += nom.size() + 4;
    return json.substr(i, json.find('"', i) - i);
}
// The first legal move offered to the person, "o-d".
std::string premierLegal(const std::string &json)
{
    size_t i = json.find("\"legaux\":[[");
    if (i == std::string::npos)
        return "";
    i += 11;
    size_t fin = json.find(']', i);
    std::string t = json.substr(i, fin - i);
    return t.replace(t.find(','), 1, "-");
}

class Navigateur : public testing::Test {
protected:
    void SetUp() override
    {
        prctl(PR_SET_CHILD_SUBREAPER, 1); // the program comes to us if the engine leaves it
        char modele[] = "/tmp/tessor-navigateur-XXXXXX";
        dossier = mkdtemp(modele);
        int tube[2];
        ASSERT_EQ(pipe(tube), 0);
        std::fflush(nullptr);
        pid = fork();
        if (pid == 0) {
            dup2(tube[1], 1);
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            std::string m = essai::programme("moteur"), r = (dossier / "r.txt").string();
            execl(m.c_str(), m.c_str(), "navigateur", "--graine", "7", "--enregistrer", r.c_str(),
                  "joueur_premier", nullptr);
            _exit(127);
        }
        close(tube[1]);
        sortie = tube[0];
        std::string lu;
        char morceau[512];
        pollfd p = {sortie, POLLIN, 0};
        for (ssize_t n = 1; adresse.empty() && n > 0 && poll(&p, 1, 10000) == 1;) {
            n = read(sortie, morceau, sizeof morceau);
            lu.append(morceau, static_cast<size_t>(std::max<ssize_t>(n, 0)));
            size_t debut = lu.find("\nhttp://127.0.0.1:"), fin = lu.find('\n', debut + 1);
            if (debut != std::string::npos && fin != std::string::npos)
                adresse = lu.substr(debut + 1, fin - debut - 1);
        }
        ASSERT_FALSE(adresse.empty()) << "pas d'adresse affichée";
        size_t deuxPoints = adresse.find(':', 5), barre = adresse.find('/', deuxPoints);
        port = std::stoi(adresse.substr(deuxPoints + 1, barre - deuxPoints - 1));
        racine = adresse.substr(barre);
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(30, 0); // a request for news may wait 20 s
    }
    void TearDown() override
    {
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (sortie >= 0)
            close(sortie);
        fs::remove_all(dossier);
    }

    struct Reponse {
        int statut = 0;
        std::string corps;
    };
    Reponse demander(const std::string &methode, const std::string &chemin,
                     const std::string &corps = "", const httplib::Headers &entetes = {})
    {
        httplib::Result r = methode == "GET" ? client->Get(chemin, entetes)
                                              : client->Post(chemin, entetes, corps, "text/plain");
        return r ? Reponse{r->status, r->body} : Reponse{-1, httplib::to_string(r.error())};
    }
    std::string etat(long depuis) { return demander("GET", racine + "etat?depuis=" + std::to_string(depuis)).corps; }

    // The state once the game is in this phase.
    std::string attendrePhase(std::string e, const std::string &phase)
    {
        for (int k = 0; k < 100 && texteDe(e, "phase") != phase; k++)
            e = etat(champ(e, "version"));
        return e;
    }

    // The person plays the first move offered until the game ends: the
    // last state.
    std::string jouerJusquAuBout()
    {
        std::string e = etat(0);
        for (int tours = 0; tours < 400 && e.find("\"fin\":null") != std::string::npos; tours++) {
            if (texteDe(e, "phase") == "personne") {
                EXPECT_EQ(demander("POST", racine + "coup", premierLegal(e)).statut, 204) << e;
            }
            e = etat(champ(e, "version"));
        }
        return e;
    }

    // The engine's exit status once it ended, within `secondes`.
    int attendreLaFin(double secondes)
    {
        int statut = 0;
        for (int i = 0; i < secondes * 100; i++) {
            if (waitpid(pid, &statut, WNOHANG) == pid) {
                pid = -1;
                return statut;
            }
            usleep(10000);
        }
        return -1;
    }

    fs::path dossier;
    pid_t pid = -1;
    int sortie = -1; // the engine's standard output
    std::string adresse, racine;
    int port = 0;
    std::unique_ptr<httplib::Client> client;
};

TEST_F(Navigateur, CeQuiNeVientPasDeLaPageOuNeSeComprendPasEstRefuseSansRienChanger)
{
    const std::string hote = "127.0.0.1:" + std::to_string(port);
    std::string faux = racine;
    faux[1] = faux[1] == 'a' ? 'b' : 'a';
    struct Cas {
        const char *methode;
        std::string chemin, corps;
        httplib::Headers entetes;
        int statut;
    };
    auto verifier = [&](const std::vector<Cas> &cas) {
        for (const Cas &c : cas) {
            Reponse r = demander(c.methode, c.chemin, c.corps, c.entetes);
            EXPECT_EQ(r.statut, c.statut) << c.methode << " " << c.chemin << " « " << c.corps
                                          << " » " << r.corps;
        }
    };
    // Before any game.
    verifier({
        {"GET", "/", "", {}, 403},
        {"GET", faux, "", {}, 403},
        {"GET", faux + "etat?depuis=0", "", {}, 403},
        {"GET", racine + "etat?depuis=0", "", {{"Host", "ailleurs.example:" + std::to_string(port)}}, 403},
        {"GET", racine + "etat?depuis=0", "", {{"Origin", "http://ailleurs.example"}}, 403},
        {"POST", racine + "nouvelle", "jaune", {{"Origin", "http://localhost:1"}}, 403},
        {"GET", racine + "etat?depuis=-2", "", {}, 400},
        {"GET", racine + "etat", "", {}, 400},
        {"POST", racine + "nouvelle", "verte", {}, 400},
        {"POST", racine + "coup", "0-1", {}, 409},
        {"GET", racine + "relecture", "", {}, 404},
    });
    std::string e = etat(0);
    EXPECT_EQ(texteDe(e, "phase"), "choix") << e;
    ASSERT_EQ(demander("POST", racine + "nouvelle", "jaune", {{"Origin", "http://" + hote}}).statut, 204);
    e = attendrePhase(e, "personne");
    // On the person's turn.
    verifier({
        {"POST", racine + "nouvelle", "rouge", {}, 409},
        {"POST", racine + "coup", "", {}, 400},
        {"POST", racine + "coup", "12", {}, 400},
        {"POST", racine + "coup", "a-b", {}, 400},
        {"POST", racine + "coup", "0-48", {}, 400},
        {"POST", racine + "coup", " 0-1", {}, 400},
        {"POST", racine + "coup", std::string(1000, '1'), {}, 413},
        {"POST", racine + "coup", "0-47", {}, 422}, // not neighbours
        {"POST", racine + "coup", "0-0", {}, 422},
        {"POST", racine + "coup", "0-1", {{"Host", "ailleurs.example"}}, 403},
    });
    // Nothing changed; the server still serves, and a move the rules allow
    // is played.
    EXPECT_EQ(etat(0), e);
    EXPECT_NE(e.find("\"coups\":[]"), std::string::npos) << e;
    EXPECT_EQ(demander("POST", racine + "coup", "0-1").statut, 204);
    EXPECT_NE(etat(champ(e, "version")).find("{\"o\":0,\"d\":1,"), std::string::npos);
}

TEST_F(Navigateur, LesPartiesSontEnregistreesEtSeRejouentEtFermerLaPageFinitLeMoteur)
{
    // Yellow to the end, then red, whose game the page leaves midway.
    ASSERT_EQ(demander("POST", racine + "nouvelle", "jaune").statut, 204);
    std::string e = jouerJusquAuBout();
    ASSERT_NE(e.find("\"fin\":{"), std::string::npos) << e;
    Reponse page = demander("GET", racine + "relecture");
    EXPECT_EQ(page.statut, 200);
    EXPECT_NE(page.corps.find("\"j\":\"personne\",\"r\":\"joueur_premier\""), std::string::npos);

    ASSERT_EQ(demander("POST", racine + "nouvelle", "rouge").statut, 204);
    e = attendrePhase(etat(champ(e, "version")), "personne");
    EXPECT_EQ(e.find("\"coups\":[{"), e.find("\"coups\":[")) << "le programme commence : " << e;
    EXPECT_EQ(demander("POST", racine + "quitter").statut, 204);
    int statut = attendreLaFin(10);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << statut;

    std::string texte = lireFichier(dossier / "r.txt");
    moteur::LectureEnregistrements l = moteur::lireEnregistrements(texte);
    ASSERT_EQ(l.parties.size(), 2u) << texte;
    EXPECT_EQ(l.matchs.size(), 2u);
    EXPECT_EQ(l.parties[0].jaune, "personne");
    EXPECT_EQ(l.parties[1].rouge, "personne");
    EXPECT_EQ(moteur::texteFin(l.parties[1].fin), "rouge : la personne a quitté la partie");
    essai::Execution r = essai::executer(essai::programme("moteur"),
                                         {"rejouer", "-q", (dossier / "r.txt").string()});
    EXPECT_EQ(r.statut, 0) << r.erreurs;
}

TEST_F(Navigateur, UnCtrlCEnPleinePartieFinitLeMoteurEtSonProgramme)
{
    ASSERT_EQ(demander("POST", racine + "nouvelle", "jaune").statut, 204);
    ASSERT_EQ(texteDe(attendrePhase(etat(0), "personne"), "phase"), "personne");
    kill(pid, SIGINT);
    int statut = attendreLaFin(10);
    EXPECT_TRUE(WIFSIGNALED(statut) && WTERMSIG(statut) == SIGINT) << statut;
    // The game under way is dropped; the program went with the engine.
    EXPECT_EQ(moteur::lireEnregistrements(lireFichier(dossier / "r.txt")).parties.size(), 0u);
    bool fini = false;
    for (int i = 0; i < 200 && !fini; i++) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        fini = waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
        if (!fini)
            usleep(10000);
    }
    EXPECT_TRUE(fini) << "un processus est resté";
}

TEST(NavigateurCommande, UneLigneDeCommandeFausseEstRefuseeAvecLeStatut2)
{
    const std::string aide = "Essayez « moteur navigateur --help ».\n";
    const std::string seul = "navigateur attend un seul programme, par exemple : moteur "
                             "navigateur joueur_critique";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cas = {
        {{"navigateur"}, seul + "\n" + aide},
        {{"navigateur", "joueur_premier", "joueur_premier"}, seul + "\n" + aide},
        {{"navigateur", "--port", "0", "joueur_premier"},
         "--port attend un entier de 1 à 65535 (reçu « 0 »)\n" + aide},
        {{"navigateur", "--parties", "2", "joueur_premier"},
         "l'option --parties ne s'emploie pas avec navigateur\n" + aide},
        {{"--port", "8080", "joueur_premier", "joueur_premier"},
         "l'option --port ne s'emploie qu'avec navigateur (moteur navigateur ...)\n"
         "Essayez « moteur --help ».\n"},
        {{"navigateur", "joueur_absent"}, "programme joueur introuvable « joueur_absent »\n" + aide},
        {{"navigateur", "humain_liste"},
         "« humain_liste » fait jouer une personne au terminal ; dans le navigateur, c'est vous "
         "qui jouez : nommez un programme automatique\n" + aide},
    };
    for (const auto &[arguments, message] : cas) {
        essai::Execution e = essai::executer(essai::programme("moteur"), arguments);
        EXPECT_EQ(e.statut, 2) << message;
        EXPECT_EQ(e.sortie, "") << message;
        EXPECT_EQ(e.erreurs, "moteur : " + message);
    }
}

TEST(NavigateurAbsent, MoteurSansSonProgrammeDeJeuLeDit)
{
    // `moteur` alone, as a kit built without cpp-httplib would be.
    char modele[] = "/tmp/tessor-seul-XXXXXX";
    fs::path seul = mkdtemp(modele);
    fs::copy_file(essai::programme("moteur"), seul / "moteur");
    essai::Execution e = essai::executer((seul / "moteur").string(), {"navigateur", "joueur_premier"});
    fs::remove_all(seul);
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.erreurs, "moteur : le jeu dans le navigateur n'est pas dans cette construction du "
                         "kit (il lui faut le paquet libcpp-httplib-dev)\n");
}

} // namespace
