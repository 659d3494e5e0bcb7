// The engine's process layer inside the test: any number of players at
// once, the greeting of a person's program, the stop path.
#include "partie/programme.h"
#include "processus/processus.h"
#include "programme.h"
#include "protocole.h"
#include "processus/signaux.h"
#include "notation.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace moteur;

// A player program of the build started in engine mode, its greeting read.
bool demarrer(Processus &p, const char *joueur, const std::string &trace = "")
{
    Lancement l;
    l.chemin = essai::programme(joueur);
    l.arguments = {protocole::OPTION};
    l.fichierTrace = trace;
    protocole::Reponse r = {};
    return p.lancer(l) == Etat::Ok && p.recevoir(&r, sizeof r, 10) == Etat::Ok &&
           r.sorte == protocole::BONJOUR;
}

protocole::Demande tour(Position position)
{
    protocole::Demande d = {protocole::MAGIE, protocole::TOUR, 0, 0, position, 0, {}, -1, 0};
    return d;
}

// What `joueur` writes on its standard output in engine mode over one game
// of these turns, told these settings.
std::string sortieEnModeMoteur(const char *joueur, uint8_t reglages, const std::vector<Position> &plateaux)
{
    char trace[] = "/tmp/tessor-sortie-XXXXXX";
    close(mkstemp(trace));
    Registre registre;
    Processus p(registre);
    EXPECT_TRUE(demarrer(p, joueur, trace));
    protocole::Demande d = {protocole::MAGIE, protocole::PARTIE, 1, getpid(), {}, reglages, {}, -1, 0};
    p.envoyer(&d, sizeof d);
    for (const Position &plateau : plateaux) {
        protocole::Reponse r = {};
        d = tour(plateau);
        p.envoyer(&d, sizeof d);
        EXPECT_EQ(p.recevoir(&r, sizeof r, 10), Etat::Ok);
    }
    d = demandeFin();
    p.envoyer(&d, sizeof d);
    EXPECT_TRUE(p.attendre(10).has_value());
    std::ifstream f(trace, std::ios::binary);
    std::string texte((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    unlink(trace);
    return texte;
}

TEST(Processus, UnJoueurDontPersonneNeGardeLaSortieNEcritRienSinonCeQueDitUnTour)
{
    // 16 boards of a game where each side plays its first move.
    std::vector<Position> plateaux = {getPositionInitiale()};
    while (plateaux.size() < 16) {
        Coup c = getCoupsLegaux(plateaux.back()).coups[0];
        plateaux.push_back(jouerCoup(plateaux.back(), c.origine, c.destination));
    }
    // printf, puts and putchar each appear in one of these players' traces.
    for (const char *joueur : {"joueur_critique2", "joueur_boucle", "joueur_poids"}) {
        std::string unTour;
        for (const Position &plateau : plateaux)
            unTour += essai::jouerUnTour(joueur, hote::ecrireNotation(plateau), 1).execution.sortie;
        ASSERT_FALSE(unTour.empty()) << joueur;
        const std::pair<uint8_t, std::string> cas[] = {
            {0, unTour}, {protocole::VIDER_SORTIE, unTour}, {protocole::TAIRE_SORTIE, ""}};
        for (const auto &[reglages, attendu] : cas)
            EXPECT_EQ(sortieEnModeMoteur(joueur, reglages, plateaux), attendu)
                << joueur << ", réglages " << int(reglages);
    }
}

TEST(Processus, DixJoueursALaFoisSontTousDesJoueursPourLeRamassage)
{
    // Ending one sweeps the orphans: the nine others must not be taken for some.
    Registre registre;
    std::vector<std::unique_ptr<Processus>> joueurs;
    for (int i = 0; i < 10; i++) {
        joueurs.push_back(std::make_unique<Processus>(registre));
        ASSERT_TRUE(demarrer(*joueurs.back(), "joueur_premier")) << i;
    }
    joueurs[0]->tuer();
    protocole::Demande d = tour(getPositionInitiale());
    for (int i = 1; i < 10; i++) {
        protocole::Reponse r = {};
        ASSERT_EQ(joueurs[i]->envoyer(&d, sizeof d), Etat::Ok) << i;
        ASSERT_EQ(joueurs[i]->recevoir(&r, sizeof r, 10), Etat::Ok) << i;
        EXPECT_EQ(r.sorte, protocole::COUP);
    }
}

// The state letter of the program (/proc/PID/stat) once it is `voulu`, or
// the last one seen in 5 s.  In the sandbox, the program is the keeper's child.
char etatDuProgramme(const Processus &p, bool arrete)
{
    std::ifstream enfants("/proc/" + std::to_string(p.pid()) + "/task/" + std::to_string(p.pid()) + "/children");
    int pid = p.pid();
    enfants >> pid;
    char etat = '?';
    for (int essai = 0; essai < 500 && (etat == 'T') != arrete; essai++, usleep(10000)) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string ligne;
        std::getline(stat, ligne);
        etat = ligne.empty() ? '?' : ligne[ligne.rfind(')') + 2];
    }
    return etat;
}

TEST(Processus, UnJoueurEnAttenteEstArreteEtRepartPourJouerOuFinir)
{
    Registre registre;
    Processus p(registre);
    ASSERT_TRUE(demarrer(p, "joueur_premier"));
    p.suspendre(true);
    EXPECT_EQ(etatDuProgramme(p, true), 'T');
    p.suspendre(false);
    EXPECT_NE(etatDuProgramme(p, false), 'T');
    protocole::Demande d = tour(getPositionInitiale());
    protocole::Reponse r = {};
    ASSERT_EQ(p.envoyer(&d, sizeof d), Etat::Ok);
    EXPECT_EQ(p.recevoir(&r, sizeof r, 10), Etat::Ok);
    // Stopped, then ended: it leaves on its own, not killed at the deadline.
    p.suspendre(true);
    EXPECT_EQ(etatDuProgramme(p, true), 'T');
    FinProcessus fin = p.terminer(10);
    EXPECT_FALSE(fin.signal);
    EXPECT_EQ(fin.code, 0);
}

TEST(Processus, UnProgrammeDePersonneLeDitDansSonBonjour)
{
    Registre registre;
    for (const char *humain : {"humain_liste", "humain_saisie", "humain_moteur"})
        EXPECT_TRUE(annonceUnePersonne(registre, essai::programme(humain))) << humain;
    for (const char *programme : {"joueur_premier", "joueur_ancien", "joueur_absent"})
        EXPECT_FALSE(annonceUnePersonne(registre, essai::programme(programme))) << programme;
}

TEST(Processus, UnMoteurArreteFinitSesDixJoueursEtCeQuIlsOntLance)
{
    // Each joueur_evade, two cells into a game, starts a process that leaves
    // its session and lingers: only the stop path's sweep can end those.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Position p = getPositionInitiale();
    p = jouerCoup(jouerCoup(p, 0, 1), 1, 3);
    int pret[2];
    ASSERT_EQ(pipe(pret), 0);
    std::fflush(nullptr);
    pid_t moteur = fork();
    if (moteur == 0) {
        Registre &registre = *new Registre;
        installerLesSignaux(registre);
        protocole::Demande d = tour(p);
        for (int i = 0; i < 10; i++) {
            auto *joueur = new Processus(registre);
            if (!demarrer(*joueur, "joueur_evade") || joueur->envoyer(&d, sizeof d) != Etat::Ok)
                _exit(1);
        }
        if (write(pret[1], "x", 1) != 1)
            _exit(1);
        for (;;)
            pause();
    }
    char c = 0;
    ASSERT_EQ(read(pret[0], &c, 1), 1);
    usleep(200000); // time for the lingering processes to start
    kill(moteur, SIGTERM);
    int etat = 0;
    waitpid(moteur, &etat, 0);
    EXPECT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == SIGTERM) << etat;
    // What the engine ended comes to us; what it missed would still run.
    pid_t r = 0;
    for (int i = 0; i < 200 && r >= 0; i++) {
        while ((r = waitpid(-1, &etat, WNOHANG)) > 0) {
        }
        if (r == 0)
            usleep(10000);
    }
    EXPECT_TRUE(r < 0 && errno == ECHILD);
}

} // namespace
