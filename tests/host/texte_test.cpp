// The host's text mode (`PLAYER --texte`) through a test-only player: what
// it answers to well-formed requests, and how it refuses the others.
#include "dialogue.h"
#include "programme.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

std::string tourInitial()
{
    Position p = getPositionInitiale();
    return dialogue::ligneTour(p, getCoupsLegaux(p));
}

TEST(ModeTexte, RepondAuMoteurEtRefuseCeQuIlNeComprendPas)
{
    struct Cas {
        std::string demandes;
        std::string sortie; // after the greeting
        int statut;
        std::string erreur; // the end of standard error
    };
    const std::string refus = "joueur_essai : demande du moteur refusée : ";
    const Cas cas[] = {
        // joueur_essai's last index is the list's last; its SIGUSR1 signals
        // come back to it, ignored, with no engine named.
        {"tessor 1\npartie 7\n" + tourInitial() + "resultat 1-0 plus aucun coup possible\nfin\n",
         "coup 291\n", 0, "cellule 0 initiale 2\n"},
        {"tessor 2\n", "", 0, ""},
        {"tessor 1\npartie x\n", "", 1, refus + "« partie x » : « partie GRAINE [PID] » attendu\n"},
        {"tessor 1\ntour " + std::string(essai::NOTATION_INITIALE) + " 0-1\n", "", 1,
         " : la liste des coups n'est pas celle des règles (292 coups attendus dans l'ordre de "
         "getCoupsLegaux)\n"},
        {"tessor 1\ntour 1r1j j\n", "", 1, "9 lignes attendues, séparées par « / », 1 trouvée\n"},
        {"tessor 1\nbonsoir\n", "", 1, refus + "« bonsoir » : ligne inconnue\n"},
        {"tessor 1\npartie 7\npendule 1500 100\n" + tourInitial(), "coup 291\n", 0,
         "cellule 0 initiale 2\n"},
        {"tessor 1\npendule 1500\n", "", 1,
         refus + "« pendule 1500 » : « pendule RESTANT_MS INCREMENT_MS » attendu\n"},
    };
    for (const Cas &c : cas) {
        essai::Execution e = essai::executer(essai::programme("joueur_essai"), {"--texte"}, c.demandes);
        EXPECT_EQ(e.statut, c.statut) << c.demandes;
        EXPECT_EQ(e.sortie, "bonjour 1 joueur_essai\n" + c.sortie) << c.demandes;
        EXPECT_TRUE(e.erreurs.ends_with(c.erreur)) << e.erreurs;
    }
    essai::Execution e = essai::executer(essai::programme("joueur_essai"), {"--texte"}, "salut\n");
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.sortie, "");
    EXPECT_EQ(e.erreurs, refus + "« salut » au lieu de « tessor VERSION »\n");
}

TEST(ModeTexte, LaGraineSemeLeGenerateurEtLaTraceVaSurLaSortieDErreur)
{
    std::srand(7);
    int tirage = std::rand();
    essai::Execution e = essai::executer(essai::programme("joueur_essai"), {"--texte"},
                                         "tessor 1\npartie 7\n" + tourInitial());
    EXPECT_EQ(e.erreurs, "trait 1\ncoups 292\npremier 0-1 dernier 47-46\npidMoteur est le "
                         "processus\nrand " + std::to_string(tirage) + "\ncellule 0 initiale 2\n");
}

} // namespace
