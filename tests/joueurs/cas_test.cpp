// The case files of the players: each case is one turn of a real player
// program in one-turn mode, with the indices it must hand and the trace it
// must print, worked out by hand.  Every case also runs on the board with the
// colours exchanged (trait included), where the same indices and the same
// trace, colour words exchanged, are expected.
//
// A case file (tests/joueurs/cas/, named by the program's registration):
//   # comment: the hand computation behind the case
//   == name of the case
//   position 0:2j 1:3r j     (short form), a whole notation, or `initiale j`
//   graine 17                (optional: srand before the turn)
//   indices 0 4              (every index handed, in order)
//   trace                    (the whole output, each line "| text")
//   lignes                   (or only the lines that matter, in order)
//   sans saut final          (the output does not end with a newline)
//   sans echange <reason>    (no run on the exchanged board)
#include "plateau.h"
#include "programme.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct Cas {
    std::string fichier;
    int ligne = 0;
    std::string joueur;
    std::string nom;
    Position position = {};
    std::optional<unsigned> graine;
    std::optional<std::vector<int>> indices;
    std::vector<std::string> attendues;
    bool traceEntiere = false;
    bool sautFinal = true;
    bool echange = true;
};

std::string lieu(const Cas &c) { return c.fichier + ":" + std::to_string(c.ligne); }

std::optional<Position> lirePosition(const std::string &texte)
{
    if (texte.rfind("initiale ", 0) == 0) {
        Position p = getPositionInitiale();
        std::string trait = texte.substr(9);
        if (trait != "j" && trait != "r")
            return std::nullopt;
        p.trait = trait == "r" ? ROUGE : JAUNE;
        return p;
    }
    if (texte.find('/') != std::string::npos)
        return hote::lireNotation(texte).position;
    return essai::positionCourte(texte);
}

// What is wrong with a case file, where.
struct FichierFautif {
    std::string message;
};

[[noreturn]] void refuser(const std::string &ou, const std::string &pourquoi)
{
    throw FichierFautif{ou + ": " + pourquoi};
}

// Reads a case file; a line it does not understand makes the file's test
// fail, so that a mistyped case cannot pass unnoticed.
std::vector<Cas> lireFichier(const std::string &joueur, const std::string &chemin)
{
    std::ifstream f(chemin);
    if (!f)
        refuser(chemin, "fichier de cas illisible");
    std::vector<Cas> cas;
    bool dansTrace = false, positionLue = false;
    auto terminer = [&]() {
        if (!cas.empty() && (!positionLue || !cas.back().indices))
            refuser(lieu(cas.back()), "cas sans position ou sans indices");
    };
    std::string ligne;
    for (int numero = 1; std::getline(f, ligne); numero++) {
        std::string ou = chemin + ":" + std::to_string(numero);
        if (ligne.rfind("|", 0) == 0) {
            if (!dansTrace)
                refuser(ou, "ligne de trace hors d'un bloc trace ou lignes");
            cas.back().attendues.push_back(ligne.size() > 1 ? ligne.substr(2) : "");
            continue;
        }
        dansTrace = false;
        if (ligne.empty() || ligne[0] == '#')
            continue;
        std::string mot = ligne.substr(0, ligne.find(' '));
        std::string reste = ligne.size() > mot.size() ? ligne.substr(mot.size() + 1) : "";
        if (mot == "==") {
            terminer();
            Cas c;
            c.fichier = chemin;
            c.ligne = numero;
            c.joueur = joueur;
            c.nom = reste;
            cas.push_back(c);
            positionLue = false;
            continue;
        }
        if (cas.empty())
            refuser(ou, "ligne avant le premier cas « == nom »");
        Cas &c = cas.back();
        if (mot == "position") {
            std::optional<Position> p = lirePosition(reste);
            if (!p)
                refuser(ou, "position illisible « " + reste + " »");
            c.position = *p;
            positionLue = true;
        } else if (mot == "graine") {
            c.graine = static_cast<unsigned>(std::stoul(reste));
        } else if (mot == "indices") {
            std::istringstream nombres(reste);
            c.indices.emplace();
            for (int i; nombres >> i;)
                c.indices->push_back(i);
        } else if (mot == "trace" || mot == "lignes") {
            c.traceEntiere = mot == "trace";
            dansTrace = true;
        } else if (ligne == "sans saut final") {
            c.sautFinal = false;
        } else if (mot == "sans" && reste.rfind("echange", 0) == 0) {
            c.echange = false;
        } else {
            refuser(ou, "ligne incomprise « " + ligne + " »");
        }
    }
    terminer();
    return cas;
}

// "jaune" and "rouge" exchanged, in any of their three cases.
std::string motsEchanges(const std::string &texte)
{
    static const std::pair<std::string, std::string> paires[] = {
        {"jaune", "rouge"}, {"Jaune", "Rouge"}, {"JAUNE", "ROUGE"}};
    std::string r;
    for (size_t i = 0; i < texte.size();) {
        bool remplace = false;
        for (const auto &[a, b] : paires) {
            for (const auto &[de, vers] : {std::pair(a, b), std::pair(b, a)})
                if (texte.compare(i, de.size(), de) == 0) {
                    r += vers;
                    i += de.size();
                    remplace = true;
                    break;
                }
            if (remplace)
                break;
        }
        if (!remplace)
            r += texte[i++];
    }
    return r;
}

void verifierTour(const Cas &c, const Position &position, bool echange)
{
    std::string notation = essai::notation(position);
    SCOPED_TRACE(lieu(c) + (echange ? " (couleurs échangées) " : " ") + notation);
    essai::Tour t = essai::jouerUnTour(c.joueur, notation, c.graine);
    ASSERT_EQ(t.execution.statut, 0) << t.execution.erreurs;
    ASSERT_TRUE(t.ligneIndicesLue) << t.execution.erreurs;
    EXPECT_EQ(t.indices, *c.indices);

    std::vector<std::string> attendues = c.attendues;
    if (echange)
        for (std::string &l : attendues)
            l = motsEchanges(l);
    const std::string &sortie = t.execution.sortie;
    if (c.traceEntiere) {
        std::string texte;
        for (size_t i = 0; i < attendues.size(); i++)
            texte += attendues[i] + (i + 1 < attendues.size() || c.sautFinal ? "\n" : "");
        EXPECT_EQ(sortie, texte);
        return;
    }
    std::vector<std::string> lues = essai::lignes(sortie);
    size_t k = 0;
    for (const std::string &l : lues)
        if (k < attendues.size() && l == attendues[k])
            k++;
    EXPECT_EQ(k, attendues.size()) << "ligne attendue introuvable, dans l'ordre : « "
                                   << (k < attendues.size() ? attendues[k] : "") << " »\nsortie :\n"
                                   << sortie;
}

class TestCas : public testing::Test {
public:
    explicit TestCas(Cas c) : cas(std::move(c)) {}
    void TestBody() override
    {
        verifierTour(cas, cas.position, false);
        if (cas.echange)
            verifierTour(cas, essai::couleursEchangees(cas.position), true);
    }

private:
    Cas cas;
};

class FichierIllisible : public testing::Test {
public:
    explicit FichierIllisible(std::string m) : message(std::move(m)) {}
    void TestBody() override { FAIL() << message; }

private:
    std::string message;
};

// The name of a case as a GoogleTest name: its line, then its words in ASCII.
std::string nomDeTest(const Cas &c)
{
    std::string nom = "L" + std::to_string(c.ligne) + "_";
    for (char ch : c.nom)
        if (std::isalnum(static_cast<unsigned char>(ch)))
            nom += ch;
        else if (nom.back() != '_')
            nom += '_';
    return nom;
}

void enregistrerLesCas()
{
    // "program=case file", comma-separated.
    std::istringstream inscriptions(TESSOR_CAS);
    for (std::string ins; std::getline(inscriptions, ins, ',');) {
        std::string joueur = ins.substr(0, ins.find('=')), chemin = ins.substr(ins.find('=') + 1);
        try {
            for (const Cas &c : lireFichier(joueur, chemin))
                testing::RegisterTest(c.joueur.c_str(), nomDeTest(c).c_str(), nullptr, nullptr,
                                      c.fichier.c_str(), c.ligne,
                                      [c]() -> testing::Test * { return new TestCas(c); });
        } catch (const FichierFautif &f) {
            testing::RegisterTest(joueur.c_str(), "FichierDeCas", nullptr, nullptr, chemin.c_str(), 0,
                                  [f]() -> testing::Test * { return new FichierIllisible(f.message); });
        }
    }
}

TEST(MotsEchanges, EchangeLesDeuxCouleursDansLesTroisCasses)
{
    EXPECT_EQ(motsEchanges("Ma couleur : jaune, Rouge, JAUNE ; jaunes"),
              "Ma couleur : rouge, Jaune, ROUGE ; rouges");
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    enregistrerLesCas();
    return RUN_ALL_TESTS();
}
