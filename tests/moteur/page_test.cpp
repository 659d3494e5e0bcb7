// `moteur page` in a real browser: headless Chromium opens the page at a
// game and a move, and the board it draws must be the position the rules
// library reaches after that move; a screenshot must show a board.
#include "sorties/enregistrement.h"
#include "programme.h"

#include "tessor.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <cctype>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#ifdef TESSOR_PNG
#include <png.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string lireFichier(const fs::path &chemin) { return essai::lireFichier(chemin); }

std::string chromium()
{
    for (const char *c : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (access(c, X_OK) == 0)
            return c;
    return "";
}

// Games of every kind (played out, imposed moves, a crash), their record and page.
class Page : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char modele[] = "/tmp/tessor-page-XXXXXX";
        dossier = mkdtemp(modele);
        std::string moteur = essai::programme("moteur"), record = (dossier / "r.txt").string();
        for (std::vector<std::string> match : {
                 std::vector<std::string>{"--parties", "3", "--ouverture", "2", "joueur_tirage",
                                          "joueur_premier"},
                 {"--parties", "2", "joueur_hors_liste", "joueur_plante"}}) {
            match.insert(match.end(), {"-q", "--graine", "11", "--enregistrer", record});
            ASSERT_EQ(essai::executer(moteur, match).statut, 0);
        }
        parties = moteur::lireEnregistrements(lireFichier(record)).parties;
        ASSERT_EQ(parties.size(), 5u);
        essai::Execution e = essai::executer(moteur, {"page", record});
        ASSERT_EQ(e.statut, 0) << e.erreurs;
        EXPECT_EQ(e.sortie, "5 parties dans « " + (dossier / "r.html").string() + " »\n");
    }
    static void TearDownTestSuite() { fs::remove_all(dossier); }

    // Chromium on the page at this fragment; its standard output.
    static essai::Execution navigateur(const std::string &fragment,
                                       std::vector<std::string> arguments,
                                       const std::string &page = "r.html")
    {
        fs::path profil = dossier / "profil";
        fs::remove_all(profil);
        arguments.insert(arguments.begin(),
                         {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                          "--no-first-run", "--disable-background-networking",
                          "--disable-component-update", "--disable-sync",
                          "--user-data-dir=" + profil.string()});
        arguments.push_back("file://" + (dossier / page).string() + "#" + fragment);
        return essai::executer(chromium(), arguments, "", 90);
    }

    void SetUp() override
    {
        if (chromium().empty())
            GTEST_SKIP() << "Chromium absent (paquet Debian chromium) : essais dans le "
                            "navigateur sautés";
        ASSERT_EQ(parties.size(), 5u) << "l'enregistrement des essais n'a pas été fait";
    }

    static inline fs::path dossier;
    static inline std::vector<moteur::Partie> parties;
};

// (No std::regex here: GCC 12 warns inside it under the sanitizers.)
std::string attribut(const std::string &balise, const std::string &nom)
{
    size_t debut = balise.find(" " + nom + "=\"");
    if (debut == std::string::npos)
        return "?";
    debut += nom.size() + 3;
    return balise.substr(debut, balise.find('"', debut) - debut);
}

// The opening tags that hold this text, in order.
std::vector<std::string> balises(const std::string &page, const std::string &morceau)
{
    std::vector<std::string> b;
    for (size_t i = page.find(morceau); i != std::string::npos; i = page.find(morceau, i + 1)) {
        size_t debut = page.rfind('<', i);
        b.push_back(page.substr(debut, page.find('>', i) + 1 - debut));
    }
    return b;
}

// Occurrences of `morceau` drawn by the script (not in its own text, where a
// quote follows).
long compter(const std::string &page, const std::string &morceau)
{
    long n = 0;
    for (size_t i = page.find(morceau); i != std::string::npos; i = page.find(morceau, i + 1))
        n += page[i + morceau.size()] != '\'';
    return n;
}

TEST_F(Page, LePlateauEstLaPositionDesReglesApresLeCoupDemande)
{
    // {game of the file (from 1), move asked, move expected}: an out-of-range
    // move shows the last one.
    const struct { size_t partie; std::string coup; size_t attendu; } cas[] = {
        {1, "0", 0}, {1, "9", 9}, {3, "999", parties[2].coups.size()}, {4, "2", 2}, {5, "1", 1},
    };
    for (const auto &c : cas) {
        const moteur::Partie &p = parties[c.partie - 1];
        std::string fragment = "partie=" + std::to_string(c.partie) + "&coup=" + c.coup;
        essai::Execution e = navigateur(fragment, {"--dump-dom"});
        ASSERT_EQ(e.statut, 0) << fragment << e.erreurs;
        Position position = p.depart;
        for (size_t k = 0; k < c.attendu; k++)
            position = jouerCoup(position, p.coups[k].coup.origine, p.coups[k].coup.destination);
        EXPECT_NE(e.sortie.find("data-partie=\"" + std::to_string(c.partie) + "\" data-coup=\"" +
                                std::to_string(c.attendu) + "\""),
                  std::string::npos)
            << fragment;
        std::set<int> vues;
        for (const std::string &b : balises(e.sortie, "data-case=\"")) {
            int n = std::stoi(attribut(b, "data-case"));
            vues.insert(n);
            const Colonne &col = position.cols[n];
            EXPECT_EQ(attribut(b, "data-hauteur"), std::to_string(col.nb)) << fragment << " " << n;
            EXPECT_EQ(attribut(b, "data-couleur"),
                      col.nb == 0 ? "vide" : col.couleur == ROUGE ? "rouge" : "jaune")
                << fragment << " " << n;
            // The last move's two cells are marked, and only they.
            std::string classe = attribut(b, "class");
            const moteur::CoupJoue *dernier = c.attendu > 0 ? &p.coups[c.attendu - 1] : nullptr;
            EXPECT_EQ(classe.find("origine") != std::string::npos,
                      dernier != nullptr && dernier->coup.origine == n) << fragment << " " << n;
            EXPECT_EQ(classe.find("destination") != std::string::npos,
                      dernier != nullptr && dernier->coup.destination == n) << fragment << " " << n;
        }
        EXPECT_EQ(vues.size(), static_cast<size_t>(NBCASES)) << fragment;
        std::vector<std::string> coup =
            balises(e.sortie, "data-coup=\"" + std::to_string(c.attendu) + "\" class=");
        ASSERT_EQ(coup.size(), 1u) << fragment;
        EXPECT_NE(attribut(coup[0], "class").find("courant"), std::string::npos) << fragment;
    }
}

TEST_F(Page, LesCoupsImposesEtLaFauteSontMontres)
{
    // joueur_hors_liste's answers are out of its list: the engine imposes its
    // moves; joueur_plante crashes on its second turn.
    essai::Execution e = navigateur("partie=4&coup=0", {"--dump-dom"});
    ASSERT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("data-coup=\"1\" class=\"jaune impose\""), std::string::npos);
    EXPECT_NE(e.sortie.find("Faute : rouge : le programme a planté"), std::string::npos);
}

TEST_F(Page, UnTournoiOuvreSurSonClassementEtLieChaquePartie)
{
    std::string moteur = essai::programme("moteur"), record = (dossier / "t.txt").string();
    ASSERT_EQ(essai::executer(moteur, {"tournoi", "--parties", "2", "--graine", "3", "--enregistrer",
                                       record, "joueur_premier", "joueur_tirage",
                                       "joueur_hors_liste"}).statut, 0);
    essai::Execution classement = essai::executer(moteur, {"classement", record});
    ASSERT_EQ(essai::executer(moteur, {"page", record}).statut, 0);
    essai::Execution e = navigateur("", {"--dump-dom"}, "t.html");
    ASSERT_EQ(e.statut, 0) << e.erreurs;
    EXPECT_NE(e.sortie.find("<div id=\"jeu\" hidden=\"\">"), std::string::npos);
    // The standings' names in the order of `moteur classement`'s table.
    // Its table's lines open with blanks, the crosstable's do not.
    std::string attendu, vu;
    for (const std::string &l : essai::lignes(classement.sortie)) {
        std::istringstream mots(l);
        std::string rang, nom;
        if (l.rfind("  ", 0) == 0 && mots >> rang >> nom && nom.rfind("joueur_", 0) == 0)
            attendu += rang + " " + nom + " ";
    }
    const std::string rang = "<tr><td>", nom = "</td><td class=\"nom\">";
    for (size_t i = e.sortie.find(rang); i != std::string::npos; i = e.sortie.find(rang, i + 1)) {
        size_t r = i + rang.size(), n = e.sortie.find(nom, r) + nom.size();
        if (std::isdigit(static_cast<unsigned char>(e.sortie[r])))
            vu += e.sortie.substr(r, n - nom.size() - r) + " " +
                  e.sortie.substr(n, e.sortie.find('<', n) - n) + " ";
    }
    EXPECT_EQ(vu, attendu) << classement.sortie;
    // One cell per pairing and side in the crosstable, one rating bar per
    // player; a cell opens the two games of its pairing.
    EXPECT_EQ(compter(e.sortie, "class=\"lien-rencontre\" href=\"#rencontre="), 6);
    EXPECT_EQ(compter(e.sortie, "class=\"lien-partie\" href=\"#partie="), 0);
    EXPECT_EQ(compter(e.sortie, "<span class=\"barre\" title=\""), 3);
    e = navigateur("rencontre=1-2", {"--dump-dom"}, "t.html");
    EXPECT_EQ(compter(e.sortie, "class=\"lien-partie\" href=\"#partie="), 2) << e.sortie;
}

TEST(PageSansNavigateur, LaPageNeChargeRienEtNeLaissePasSortirUnNomDeSonScript)
{
    char modele[] = "/tmp/tessor-page-XXXXXX";
    fs::path dossier = mkdtemp(modele), record = dossier / "r.txt";
    std::string moteur = essai::programme("moteur");
    ASSERT_EQ(essai::executer(moteur, {"-q", "--enregistrer", record.string(), "joueur_premier",
                                       "joueur_premier"}).statut, 0);
    std::string texte;
    for (const std::string &l : essai::lignes(lireFichier(record)))
        texte += (l.rfind("[Jaune ", 0) == 0 ? "[Jaune \"</script><b>&amp;\"]" : l) + "\n";
    std::ofstream(record) << texte;
    essai::Execution e = essai::executer(moteur, {"page", record.string(), "-o", "-"});
    ASSERT_EQ(e.statut, 0) << e.erreurs;
    for (const char *externe : {"http:", "https:", "<link", " src=", "url(", "@import"})
        EXPECT_EQ(e.sortie.find(externe), std::string::npos) << externe;
    EXPECT_NE(e.sortie.find("\"j\":\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026amp;\""),
              std::string::npos);
    EXPECT_EQ(e.sortie.find("<b>"), std::string::npos);
    fs::remove_all(dossier);
}

TEST(PageSansNavigateur, LaPageRemplaceUnFichierOrdinaireEtRienDAutre)
{
    char modele[] = "/tmp/tessor-page-XXXXXX";
    fs::path d = mkdtemp(modele), record = d / "r.txt";
    std::string moteur = essai::programme("moteur");
    ASSERT_EQ(essai::executer(moteur, {"-q", "--enregistrer", record.string(), "joueur_premier",
                                       "joueur_premier"}).statut, 0);
    std::ofstream(d / "ancien.html") << "ancien";
    fs::permissions(d / "ancien.html", fs::perms::owner_read | fs::perms::owner_write |
                                           fs::perms::group_read);
    fs::create_hard_link(d / "ancien.html", d / "autre_nom.html");
    fs::create_symlink("cible.html", d / "lien.html");
    mkfifo((d / "tube").c_str(), 0600);
    bool racine = mknod((d / "nul").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const struct { const char *sortie; int statut; } cas[] = {
        {"ancien.html", 0}, // in place: its other name and its mode follow
        {"lien.html", 0},   // through the link, to its target
        {"tube", 1},        // never blocked, never replaced
        {"nul", 1},         // a device stays a device
    };
    for (const auto &c : cas) {
        if (std::string(c.sortie) == "nul" && !racine)
            continue; // mknod needs root
        essai::Execution e = essai::executer(moteur, {"page", record.string(), "-o",
                                                      (d / c.sortie).string()});
        EXPECT_EQ(e.statut, c.statut) << c.sortie << e.erreurs;
        if (c.statut != 0) {
            EXPECT_NE(e.erreurs.find("ce n'est pas un fichier ordinaire"), std::string::npos);
        }
    }
    EXPECT_NE(lireFichier(d / "autre_nom.html").find("<!DOCTYPE html>"), std::string::npos);
    EXPECT_EQ(fs::status(d / "ancien.html").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(d / "lien.html"));
    EXPECT_NE(lireFichier(d / "cible.html").find("<!DOCTYPE html>"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(d / "tube"));
    if (racine) {
        EXPECT_TRUE(fs::is_character_file(d / "nul"));
    }
    fs::remove_all(d);
}

TEST(PageSansNavigateur, UneCommandeFausseOuUnFichierIllisibleEstRefuse)
{
    const struct { std::vector<std::string> arguments; int statut; std::string erreur; } cas[] = {
        {{"page"}, 2, "moteur : page attend un fichier d'enregistrement\n"},
        {{"page", "a", "b"}, 2, "moteur : page attend un seul fichier d'enregistrement\n"},
        {{"page", "a", "-o"}, 2, "moteur : l'option --sortie attend une valeur (SORTIE.html)\n"},
        {{"page", "-x", "a"}, 2, "moteur : option inconnue « -x »\n"},
        {{"page", "/absent.txt"}, 1, "moteur : impossible de lire « /absent.txt » : No such file"},
        {{"page", "/proc/version"}, 1, "/proc/version:1: étiquette attendue : [Partie \"...\"]\n"},
    };
    for (const auto &c : cas) {
        essai::Execution e = essai::executer(essai::programme("moteur"), c.arguments);
        EXPECT_EQ(e.statut, c.statut) << c.erreur;
        EXPECT_EQ(e.erreurs.substr(0, c.erreur.size()), c.erreur);
        EXPECT_EQ(e.sortie, "");
    }
}

#ifdef TESSOR_PNG
TEST_F(Page, UneCaptureMontreLePlateau)
{
    fs::path image = dossier / "capture.png";
    essai::Execution e = navigateur("partie=2&coup=10", {"--window-size=1200,1000",
                                                         "--screenshot=" + image.string()});
    ASSERT_EQ(e.statut, 0) << e.erreurs;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, image.c_str())) << png.message;
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(png));
    ASSERT_TRUE(png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) << png.message;
    EXPECT_EQ(png.width, 1200u);
    // Pixels of the yellow and the red of the columns' tops (red cells are
    // striped: their darker stripes), and the number of distinct colours.
    size_t jaunes = 0, rouges = 0;
    std::set<unsigned> couleurs;
    for (size_t i = 0; i + 2 < pixels.size(); i += 3) {
        unsigned r = pixels[i], v = pixels[i + 1], b = pixels[i + 2];
        jaunes += r > 220 && v > 170 && v < 215 && b < 60;
        rouges += r > 170 && r < 220 && v < 70 && b < 70;
        couleurs.insert(r << 16 | v << 8 | b);
    }
    // A cell is about 54 x 54 pixels: at least five of each colour.
    EXPECT_GT(jaunes, 5u * 2000);
    EXPECT_GT(rouges, 5u * 1000);
    EXPECT_GT(couleurs.size(), 100u);
}
#endif

} // namespace
