// The three human players, run in one-turn mode with a scripted person on
// standard input.
#include "capture.h"
#include "notation.h"
#include "programme.h"

#include <gtest/gtest.h>

namespace {

// Cells 7 (red, 2 high) and 8 (yellow, 3 high) alone: the list is 7->8, 8->7.
std::string deuxColonnes(uint8_t trait)
{
    Position p = {};
    p.trait = trait;
    p.cols[7] = {2, ROUGE};
    p.cols[8] = {3, JAUNE};
    return hote::ecrireNotation(p);
}

// Two columns too high to join: no legal move.
std::string sansCoup()
{
    Position p = {};
    p.trait = ROUGE;
    p.cols[7] = {3, ROUGE};
    p.cols[8] = {3, JAUNE};
    return hote::ecrireNotation(p);
}

struct Cas {
    const char *nom;
    const char *joueur;
    std::string notation;
    const char *entree;
    std::string sortie; // whole standard output
    std::vector<int> indices;
    int signaux;
};

const std::string TROUVE_1_0 = "Votre couleur : jaune\nVotre choix (org dest) ? Vous avez choisi 1->0\n"
                               "Recherche de l'indice du coup correspondant...\n"
                               "Coup correspondant trouvé : 4\n";
const std::string ECHEC_0_5 = "Votre couleur : jaune\nVotre choix (org dest) ? Vous avez choisi 0->5\n"
                              "Recherche de l'indice du coup correspondant...\nErreur de saisie !\n";
const std::string ECHEC_ILLISIBLE = "Votre couleur : jaune\nVotre choix (org dest) ? Erreur de saisie !\n";
const std::string QUESTION = "Votre couleur : jaune\nVotre choix (org dest) ? ";

TEST(Humains, DialogueEtIndicesRemis)
{
    const std::string initiale = essai::NOTATION_INITIALE;
    const Cas cas[] = {
        {"liste : chaque coup avec ses deux cases", "humain_liste", deuxColonnes(JAUNE), "1\n",
         "Ma couleur : jaune\nCoup 0 : 7 (2 - rouge) ->8 (3 - jaune) \n"
         "Coup 1 : 8 (3 - jaune) ->7 (2 - rouge) \nVotre choix ? Vous avez choisi 1\n",
         {1}, 0},
        {"liste : un indice hors de la liste est remis tel quel", "humain_liste",
         deuxColonnes(ROUGE), "300\n",
         "Ma couleur : rouge\nCoup 0 : 7 (2 - rouge) ->8 (3 - jaune) \n"
         "Coup 1 : 8 (3 - jaune) ->7 (2 - rouge) \nVotre choix ? Vous avez choisi 300\n",
         {300}, 0},
        {"liste vide : la question est posée quand même", "humain_liste", sansCoup(), "7\n",
         "Ma couleur : rouge\nVotre choix ? Vous avez choisi 7\n", {7}, 0},
        {"liste : du texte est ignoré et la question reposée", "humain_liste", sansCoup(),
         "abc\n-2\n", "Ma couleur : rouge\nVotre choix ? Votre choix ? Vous avez choisi -2\n", {-2}, 0},
        {"liste : une ligne, un nombre entier, sinon la question revient", "humain_liste",
         sansCoup(), "12abc\n1 2\n99999999999\n1\n",
         "Ma couleur : rouge\nVotre choix ? Votre choix ? Votre choix ? Votre choix ? "
         "Vous avez choisi 1\n", {1}, 0},
        {"liste : fin de l'entrée, rien n'est remis", "humain_liste", sansCoup(), "",
         "Ma couleur : rouge\nVotre choix ? ", {}, 0},
        {"saisie : 0 1 est l'indice 0", "humain_saisie", initiale, "0 1\n",
         QUESTION + "Vous avez choisi 0->1\nRecherche de l'indice du coup correspondant...\n"
                    "Coup correspondant trouvé : 0\n",
         {0}, 0},
        {"saisie : 1 0 est l'indice 4", "humain_saisie", initiale, "1 0\n", TROUVE_1_0, {4}, 0},
        {"saisie : un échec remet -1", "humain_saisie", initiale, "0 5\n1 0\n",
         ECHEC_0_5 + TROUVE_1_0, {-1, 4}, 0},
        {"moteur : un échec ne remet rien, le coup trouvé signale", "humain_moteur", initiale,
         "0 5\n1 0\n", ECHEC_0_5 + TROUVE_1_0, {4}, 1},
        {"saisie : du texte compte comme un échec", "humain_saisie", initiale, "ab\n1 0\n",
         ECHEC_ILLISIBLE + TROUVE_1_0, {-1, 4}, 0},
        {"moteur : du texte compte comme un échec", "humain_moteur", initiale, "ab\n1 0\n",
         ECHEC_ILLISIBLE + TROUVE_1_0, {4}, 1},
        {"saisie : une ligne est une réponse, jamais la moitié d'une autre", "humain_saisie",
         initiale, "0\n5 5\n1 0\n",
         ECHEC_ILLISIBLE + QUESTION + "Vous avez choisi 5->5\nRecherche de l'indice du coup "
                                      "correspondant...\nErreur de saisie !\n" + TROUVE_1_0,
         {-1, -1, 4}, 0},
        {"moteur : trois nombres, un nombre trop grand, 12abc : échecs", "humain_moteur",
         initiale, "1 0 3\n4294967296 0\n12abc 0\n1 0\n",
         ECHEC_ILLISIBLE + ECHEC_ILLISIBLE + ECHEC_ILLISIBLE + TROUVE_1_0, {4}, 1},
        {"saisie : un seul nombre puis la fin", "humain_saisie", initiale, "5\n",
         ECHEC_ILLISIBLE + QUESTION, {-1}, 0},
        {"saisie : négatif ou au-delà de 47 ne correspond jamais", "humain_saisie", initiale,
         "-1 3\n48 0\n",
         QUESTION + "Vous avez choisi -1->3\nRecherche de l'indice du coup correspondant...\n"
                    "Erreur de saisie !\n" +
             QUESTION + "Vous avez choisi 48->0\nRecherche de l'indice du coup correspondant...\n"
                        "Erreur de saisie !\n" + QUESTION,
         {-1, -1}, 0},
        {"saisie : fin de l'entrée d'emblée", "humain_saisie", initiale, "", QUESTION, {}, 0},
        {"moteur : fin de l'entrée après un échec, pas de signal", "humain_moteur", initiale,
         "0 5\n", ECHEC_0_5 + QUESTION, {}, 0},
        {"moteur : liste vide, chaque saisie échoue", "humain_moteur", sansCoup(), "0 1\n8 7\n",
         "Votre couleur : rouge\nVotre choix (org dest) ? Vous avez choisi 0->1\n"
         "Recherche de l'indice du coup correspondant...\nErreur de saisie !\n"
         "Votre couleur : rouge\nVotre choix (org dest) ? Vous avez choisi 8->7\n"
         "Recherche de l'indice du coup correspondant...\nErreur de saisie !\n"
         "Votre couleur : rouge\nVotre choix (org dest) ? ",
         {}, 0},
    };
    for (const Cas &c : cas) {
        essai::Tour t = essai::jouerUnTour(c.joueur, c.notation, std::nullopt, c.entree);
        EXPECT_EQ(t.execution.statut, 0) << c.nom;
        EXPECT_EQ(t.execution.sortie, c.sortie) << c.nom;
        EXPECT_EQ(t.indices, c.indices) << c.nom;
        EXPECT_EQ(t.signaux, c.signaux) << c.nom;
    }
}

TEST(Humains, ListeDuPremierTour)
{
    essai::Tour t = essai::jouerUnTour("humain_liste", essai::NOTATION_INITIALE, std::nullopt, "4\n");
    std::vector<std::string> l = essai::lignes(t.execution.sortie);
    ASSERT_EQ(l.size(), 294u); // colour, 292 moves, then the prompt and the answer
    EXPECT_EQ(l[0], "Ma couleur : jaune");
    EXPECT_EQ(l[1], "Coup 0 : 0 (1 - rouge) ->1 (1 - jaune) ");
    EXPECT_EQ(l[292], "Coup 291 : 47 (1 - rouge) ->46 (1 - jaune) ");
    EXPECT_EQ(l[293], "Votre choix ? Vous avez choisi 4");
    EXPECT_EQ(t.indices, std::vector<int>{4});
}

} // namespace
