// The floor of a tournament: the games `moteur tournoi -q` plays (same
// schedule, seeds, openings, colours, through the engine's own game loop),
// each player's choisirCoup called in this process with its output silenced,
// as the engine's players run when nobody keeps their output.  What the
// engine spends above this is the cost of running players as programs.
//
//   plancher_tournoi [-j N] [--parties N] [--ouverture K] [--graine G]
//                    [--enregistrer FICHIER] JOUEUR...
//
// Every player is a module of its own (plancher_JOUEUR.so, built beside its
// code with the host's turn, the host's output functions and the board
// tables), loaded with RTLD_LOCAL and linked -Bsymbolic: the 24 players all
// define choisirCoup and many define the same helpers, which in one program
// would clash, and each module's calls stay in that module.  One process
// (rather than one per pairing) keeps the floor at the players' own work:
// the engine keeps its players' processes from one pairing to the next too.
// With -j N, N processes forked once the modules are loaded take whole
// pairings in turn, as the engine's workers first do.
#include "partie/partie.h"
#include "sorties/enregistrement.h"
#include "tournoi/calendrier.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace moteur;

using Commencer = void (*)(uint32_t);
using Jouer = int (*)(const Position *, int *);

DescriptionJoueur decrire(const std::string &nom)
{
    DescriptionJoueur d;
    d.nom = d.chemin = nom;
    return d;
}

// A player in this process, through its module.
class JoueurEnProcessus : public Participant {
public:
    JoueurEnProcessus(const std::string &nom, Commencer commencer, Jouer tour)
        : Participant(decrire(nom)), commencer_(commencer), jouer_(tour)
    {
    }
    Salut saluer() override { return {}; }
    std::optional<Issue> commencerPartie(uint32_t graine) override
    {
        commencer_(graine);
        return std::nullopt;
    }
    ReponseTour jouer(const Position &position, double) override
    {
        ReponseTour r;
        r.nbIndices = jouer_(&position, &r.index);
        r.indexRemis = r.nbIndices > 0;
        return r;
    }
    void finir() override {}

private:
    Commencer commencer_;
    Jouer jouer_;
};

std::unique_ptr<Participant> charger(const std::string &nom)
{
    std::string chemin = std::string(PLANCHER_MODULES) + "/plancher_" + nom + ".so";
    void *module = dlopen(chemin.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        std::fprintf(stderr, "plancher_tournoi : %s\n", dlerror());
        std::exit(1);
    }
    auto commencer = reinterpret_cast<Commencer>(dlsym(module, "plancherCommencer"));
    auto jouer = reinterpret_cast<Jouer>(dlsym(module, "plancherJouer"));
    if (commencer == nullptr || jouer == nullptr) {
        std::fprintf(stderr, "plancher_tournoi : %s n'est pas un module du plancher\n",
                     chemin.c_str());
        std::exit(1);
    }
    return std::make_unique<JoueurEnProcessus>(nom, commencer, jouer);
}

struct Reglage {
    ReglageTournoi tournoi;
    int concurrence = 1;
    std::string enregistrement;
};

Reglage lireLaLigne(int argc, char **argv)
{
    Reglage r;
    r.tournoi.graine = 1;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool valeur = i + 1 < argc;
        if (a == "-j" && valeur)
            r.concurrence = std::atoi(argv[++i]);
        else if (a == "--parties" && valeur)
            r.tournoi.parties = std::atoi(argv[++i]);
        else if (a == "--ouverture" && valeur)
            r.tournoi.ouverture = std::atoi(argv[++i]);
        else if (a == "--graine" && valeur)
            r.tournoi.graine = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--enregistrer" && valeur)
            r.enregistrement = argv[++i];
        else
            r.tournoi.joueurs.push_back(a);
    }
    if (r.tournoi.joueurs.size() < 2 || r.tournoi.parties < 2 || r.tournoi.parties % 2 != 0 ||
        r.concurrence < 1) {
        std::fprintf(stderr, "usage : plancher_tournoi [-j N] [--parties N (pair)] [--ouverture K] "
                             "[--graine G] [--enregistrer FICHIER] JOUEUR JOUEUR...\n");
        std::exit(2);
    }
    return r;
}

// One worker: pairings taken in turn from the shared counter, each game's
// record written whole in one write (the file is opened to append).
void travailler(const Calendrier &c, std::vector<std::unique_ptr<Participant>> &joueurs,
                std::atomic<int> &suivante, int fichier)
{
    SuiviPartie muet;
    for (int n = suivante.fetch_add(1); n <= c.nbRencontres(); n = suivante.fetch_add(1)) {
        for (int rang = 1; rang <= c.reglage().parties; rang++) {
            PartiePrevue prevue = c.partie((n - 1) * c.reglage().parties + rang);
            ReglagePartie reglage = {prevue.numero, prevue.graine, prevue.depart, false};
            Partie p = jouerPartie(reglage, *joueurs[static_cast<size_t>(prevue.jaune)],
                                   *joueurs[static_cast<size_t>(prevue.rouge)], muet);
            p.rencontre = n;
            std::string texte = ecrireEnregistrement(p);
            if (fichier >= 0 && write(fichier, texte.data(), texte.size()) < 0)
                std::exit(1);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    Reglage r = lireLaLigne(argc, argv);
    Calendrier calendrier(r.tournoi);
    std::vector<std::unique_ptr<Participant>> joueurs;
    for (const std::string &nom : r.tournoi.joueurs)
        joueurs.push_back(charger(nom));
    int fichier = r.enregistrement.empty()
                      ? -1
                      : open(r.enregistrement.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
    // The players' own writes (a stream the host does not silence) go nowhere.
    int nul = open("/dev/null", O_WRONLY);
    if (nul < 0 || (!r.enregistrement.empty() && fichier < 0)) {
        std::perror("plancher_tournoi");
        return 1;
    }
    dup2(nul, STDOUT_FILENO);

    void *partage = mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE,
                         MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (partage == MAP_FAILED)
        return 1;
    auto *suivante = new (partage) std::atomic<int>(1);
    std::vector<pid_t> ouvriers;
    for (int k = 0; k < r.concurrence; k++) {
        pid_t pid = fork();
        if (pid == 0) {
            travailler(calendrier, joueurs, *suivante, fichier);
            _exit(0);
        }
        ouvriers.push_back(pid);
    }
    int echecs = 0;
    for (pid_t pid : ouvriers) {
        int etat = 0;
        waitpid(pid, &etat, 0);
        echecs += !(WIFEXITED(etat) && WEXITSTATUS(etat) == 0);
    }
    return echecs == 0 ? 0 : 1;
}
