// The whole kit plays: every automatic player against every other through the
// engine, both colour orders, from the initial position and from seeded
// openings.  Every game must end with a result, the records must replay, the
// same seed must give the same records byte for byte, whether the players'
// output is kept (--traces) or never written, and no player may hand an index
// outside its list (--strict makes that a lost game, said in `Fin`; handing
// nothing is allowed, some players do when no rule applies).
#include "programme.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> automatiques() { return essai::noms(TESSOR_JOUEURS_AUTOMATIQUES); }

// A record file, without the date each match opens with (the only line that
// changes from one run to the next).
std::string lire(const fs::path &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::string texte;
    for (std::string ligne; std::getline(f, ligne);)
        if (ligne.rfind("[Date ", 0) != 0)
            texte += ligne + "\n";
    return texte;
}

// Every pair plays twice from the initial position (once with each colour
// order) and four times from two openings of 4 random moves, all their
// records going to one file, the players' output kept in `traces` if it is
// named.
void jouerLesPaires(const fs::path &fichier, const fs::path &traces = {})
{
    const std::vector<std::string> joueurs = automatiques();
    std::vector<std::pair<size_t, size_t>> paires;
    for (size_t a = 0; a < joueurs.size(); a++)
        for (size_t b = a + 1; b < joueurs.size(); b++)
            paires.emplace_back(a, b);
    for (auto [a, b] : paires)
        for (const std::string ouverture : {"0", "4"}) {
            std::vector<std::string> arguments = {
                "-q", "--strict", "--graine", "11", "--parties", ouverture == "0" ? "2" : "4",
                "--ouverture", ouverture, "--enregistrer", fichier.string(), joueurs[a], joueurs[b]};
            if (!traces.empty())
                arguments.insert(arguments.begin(), {"--traces", traces.string()});
            essai::Execution e = essai::executer(essai::programme("moteur"), arguments);
            ASSERT_EQ(e.statut, 0) << joueurs[a] << " contre " << joueurs[b] << "\n" << e.erreurs;
        }
}

TEST(TousLesJoueurs, ChaquePaireJoueJusquAuBoutSeRejoueEtSeReproduit)
{
    char modele[] = "/tmp/tessor-tous-XXXXXX";
    const fs::path dossier = mkdtemp(modele);
    jouerLesPaires(dossier / "a.txt");
    const std::string records = lire(dossier / "a.txt");

    const size_t n = automatiques().size();
    int parties = 0, resultats = 0;
    for (const std::string &l : essai::lignes(records)) {
        parties += l.rfind("[Partie ", 0) == 0;
        resultats += l == "[Resultat \"1-0\"]" || l == "[Resultat \"0-1\"]" || l == "[Resultat \"1/2-1/2\"]";
        if (l.rfind("[Fin ", 0) == 0) {
            EXPECT_TRUE(l == "[Fin \"plus aucun coup possible\"]" ||
                        l.find("aucun coup remis (--strict)") != std::string::npos)
                << l;
        }
    }
    EXPECT_EQ(parties, static_cast<int>(n * (n - 1) / 2 * 6));
    EXPECT_EQ(resultats, parties);

    // Every pair again, with the same seed and the players' output kept this
    // time: the same records, byte for byte.
    jouerLesPaires(dossier / "b.txt", dossier / "traces");
    EXPECT_EQ(lire(dossier / "b.txt"), records);
    // (It was written: most players trace every turn.)
    size_t ecrits = 0;
    for (const auto &trace : fs::directory_iterator(dossier / "traces"))
        ecrits += fs::file_size(trace.path()) > 0;
    EXPECT_GE(ecrits, n / 2);

    essai::Execution rejeu = essai::executer(essai::programme("moteur"),
                                             {"rejouer", "-q", (dossier / "a.txt").string()});
    EXPECT_EQ(rejeu.statut, 0) << rejeu.erreurs;
    fs::remove_all(dossier);
}

} // namespace
