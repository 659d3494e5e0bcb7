// `moteur verifier`: every automatic player of the kit keeps the contract,
// and each misbehaving test player fails the one check it breaks.
#include "programme.h"
#include "verification/verification.h"

#include <cctype>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace {

struct Verification {
    essai::Execution execution;
    std::set<std::string> echecs; // the checks the table says fail
    int lignes = 0;               // lines of the table
};

Verification verifier(const std::string &joueur, std::vector<std::string> options)
{
    options.push_back(joueur.starts_with("texte:") ? joueur : essai::programme(joueur));
    options.insert(options.begin(), "verifier");
    Verification v;
    v.execution = essai::executer(essai::programme("moteur"), options, "", 120);
    // "  name   state  detail": the name ends at two blanks, the state at one.
    for (const std::string &l : essai::lignes(v.execution.sortie)) {
        size_t fin = l.find("  ", 2);
        if (l.rfind("  ", 0) != 0 || fin == std::string::npos)
            continue;
        size_t debut = l.find_first_not_of(' ', fin);
        std::string etat = l.substr(debut, l.find(' ', debut) - debut);
        if (etat != "ok" && etat != "ÉCHEC" && etat != "—")
            continue;
        v.lignes++;
        if (etat == "ÉCHEC")
            v.echecs.insert(l.substr(2, fin - 2));
    }
    return v;
}

std::vector<std::string> automatiques() { return essai::noms(TESSOR_JOUEURS_AUTOMATIQUES); }

class JoueurDuKit : public testing::TestWithParam<std::string> {};

TEST_P(JoueurDuKit, PasseChaqueControle)
{
    Verification v = verifier(GetParam(), {"--positions", "60", "--graine", "14"});
    EXPECT_EQ(v.execution.statut, 0) << v.execution.sortie << v.execution.erreurs;
    EXPECT_EQ(v.lignes, 8) << v.execution.sortie;
    EXPECT_TRUE(v.echecs.empty()) << v.execution.sortie;
}

INSTANTIATE_TEST_SUITE_P(Verification, JoueurDuKit, testing::ValuesIn(automatiques()),
                         [](const testing::TestParamInfo<std::string> &p) { return p.param; });

struct Faux {
    const char *joueur;
    const char *option; // besides the positions, seed and time
    const char *echec;  // the one check it fails, "" for none
};

class JoueurFaux : public testing::TestWithParam<Faux> {};

TEST_P(JoueurFaux, EchoueAuSeulControleQuIlEnfreint)
{
    const Faux &f = GetParam();
    std::vector<std::string> options = {"--positions", "12", "--graine", "1", "--temps", "1"};
    if (*f.option != '\0')
        options.push_back(f.option);
    Verification v = verifier(f.joueur, options);
    std::set<std::string> attendus;
    if (*f.echec != '\0')
        attendus.insert(f.echec);
    EXPECT_EQ(v.echecs, attendus) << v.execution.sortie;
    EXPECT_EQ(v.lignes, 8) << v.execution.sortie;
    EXPECT_EQ(v.execution.statut, attendus.empty() ? 0 : 1) << v.execution.erreurs;
}

INSTANTIATE_TEST_SUITE_P(
    Verification, JoueurFaux,
    testing::Values(Faux{"joueur_premier", "", ""}, Faux{"joueur_tirage", "", ""},
                    Faux{"joueur_signal", "", ""}, Faux{"joueur_bavard", "", ""},
                    Faux{"joueur_muet", "", ""}, Faux{"joueur_muet", "--strict", "indices"},
                    Faux{"joueur_lecteur", "--strict", "indices"},
                    Faux{"joueur_hors_liste", "", "indices"},
                    Faux{"joueur_plante", "", "réponses"}, Faux{"joueur_quitte", "", "réponses"},
                    Faux{"joueur_bloque", "", "temps"}, Faux{"joueur_fourche", "", "temps"},
                    Faux{"joueur_evade", "", "temps"}, Faux{"joueur_transfuge", "", "temps"},
                    Faux{"joueur_brouilleur", "", "processus"}, Faux{"joueur_bis", "", "réponses"},
                    Faux{"joueur_ancien", "", "salut"},
                    Faux{"texte:joueur_premier --texte", "", ""},
                    Faux{"texte:joueur_hors_liste --texte", "", "indices"},
                    Faux{"texte:joueur_plante --texte", "", "réponses"},
                    Faux{"texte:joueur_texte.sh mal_forme", "", "réponses"},
                    Faux{"texte:joueur_texte.sh salut_faux", "", "salut"}),
    [](const testing::TestParamInfo<Faux> &p) {
        std::string nom = std::string(p.param.joueur) + (*p.param.option != '\0' ? "_strict" : "");
        for (char &c : nom)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return nom;
    });

TEST(Verification, LaLigneDeCommandeFausseSortEnDeux)
{
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{}, {"--positions", "1", "joueur_premier"},
          {"--temps", "0", "joueur_premier"}, {"--graine", "-1", "joueur_premier"},
          {"--strict=oui", "joueur_premier"}, {"joueur_premier", "joueur_tirage"},
          {"pas_un_joueur"}}) {
        arguments.insert(arguments.begin(), "verifier");
        EXPECT_EQ(essai::executer(essai::programme("moteur"), arguments).statut, 2)
            << testing::PrintToString(arguments);
    }
}

TEST(Verification, UnProgrammeQuiNEstPasUnJoueurLeDitDesLeSalut)
{
    Verification v = verifier("alea", {"--positions", "2"});
    EXPECT_EQ(v.echecs, std::set<std::string>{"salut"}) << v.execution.sortie;
    EXPECT_NE(v.execution.sortie.find("non vérifié"), std::string::npos);
    EXPECT_EQ(v.execution.statut, 1);
}

TEST(Verification, PositionsTireesDeLaGraine)
{
    std::vector<Position> p = moteur::positionsAVerifier(40, 9);
    ASSERT_EQ(p.size(), 40u);
    EXPECT_EQ(std::memcmp(&p[0], &positionInitiale, sizeof(Position)), 0);
    EXPECT_EQ(getCoupsLegaux(p[1]).nb, 0); // the empty list, on a full board
    std::set<int> traits;
    for (size_t i = 2; i < p.size(); i++) {
        EXPECT_GT(getCoupsLegaux(p[i]).nb, 0) << i;
        int hauteur = 0;
        for (const Colonne &c : p[i].cols)
            hauteur += c.nb;
        EXPECT_EQ(hauteur, NBCASES) << i;
        traits.insert(p[i].trait);
    }
    EXPECT_EQ(traits, (std::set<int>{JAUNE, ROUGE}));
    EXPECT_EQ(std::memcmp(p.data(), moteur::positionsAVerifier(40, 9).data(), 40 * sizeof(Position)),
              0);
}

TEST(Verification, Utf8LuParMorceaux)
{
    struct Cas {
        std::vector<std::string> morceaux;
        bool valide, complet;
    };
    for (const Cas &c : std::vector<Cas>{{{"trouv\xC3", "\xA9 !"}, true, true},
                                         {{"\xE2\x82", "\xAC"}, true, true},
                                         {{"fin coup\xC3"}, true, false},
                                         {{"\xC0\x80"}, false, true},
                                         {{"\xED\xA0\x80"}, false, true},
                                         {{"\xF4\x90\x80\x80"}, false, true},
                                         {{"\x80"}, false, true},
                                         {{"\xC3", "("}, false, true}}) {
        moteur::LecteurUtf8 u;
        bool valide = true;
        for (const std::string &m : c.morceaux)
            valide = u.lire(m) && valide;
        EXPECT_EQ(valide, c.valide) << testing::PrintToString(c.morceaux);
        EXPECT_EQ(u.complet(), c.complet) << testing::PrintToString(c.morceaux);
    }
}

} // namespace
