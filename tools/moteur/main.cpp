// moteur: plays Tessor between two player programs, or replays records.
#include "affichage.h"
#include "classement.h"
#include "enregistrement.h"
#include "isolation.h"
#include "match.h"
#include "options.h"
#include "orphelins.h"
#include "ouverture_longue.h"
#include "page.h"
#include "participant.h"
#include "signaux.h"
#include "systeme.h"
#include "tournoi.h"
#include "verification.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {
namespace {

constexpr int STATUT_ECHEC = 1;
constexpr int STATUT_USAGE = 2;

constexpr const char *DEMONSTRATION_JAUNE = "joueur_poids";
constexpr const char *DEMONSTRATION_ROUGE = "joueur_critique";
constexpr double TEMPS_PROGRAMME = 10.0;

int refuserLigneDeCommande(const std::string &erreur)
{
    std::fprintf(stderr, "moteur : %s\nEssayez « moteur --help ».\n", erreur.c_str());
    return STATUT_USAGE;
}

std::string nomDeBase(const std::string &nom)
{
    size_t slash = nom.rfind('/');
    return slash == std::string::npos ? nom : nom.substr(slash + 1);
}

bool estUneCouleurDeTerminal()
{
    return couleursVoulues(sortieEstUnTerminal(), std::getenv("TERM"), std::getenv("NO_COLOR"));
}

// Standard output is a pipe that nobody reads any more (`moteur ... | head`):
// not a failure, the reader had what it wanted.
bool sortieSansLecteur()
{
    struct stat s;
    pollfd p = {STDOUT_FILENO, POLLOUT, 0};
    return fstat(STDOUT_FILENO, &s) == 0 && S_ISFIFO(s.st_mode) && poll(&p, 1, 0) == 1 &&
           (p.revents & POLLERR) != 0;
}

int rejouer(const std::string &fichier, bool silencieux)
{
    // `-` is standard input.
    std::ifstream f;
    if (fichier != "-")
        f.open(fichier, std::ios::binary);
    int erreur = fichier == "-" || f ? 0 : errno;
    // A folder opens, then reads as an empty file.
    std::error_code e;
    if (erreur == 0 && fichier != "-" && std::filesystem::is_directory(fichier, e))
        erreur = EISDIR;
    if (erreur != 0) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", fichier.c_str(),
                     std::strerror(erreur));
        return STATUT_ECHEC;
    }
    std::stringstream contenu;
    contenu << (fichier == "-" ? std::cin.rdbuf() : f.rdbuf());
    LectureEnregistrements l = lireEnregistrements(contenu.str());
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
        return STATUT_ECHEC;
    }
    Affichage affichage(stdout, silencieux, estUneCouleurDeTerminal());
    for (const Partie &p : l.parties) {
        if (std::ferror(stdout) != 0)
            break; // nobody reads any more: main says whether it is a failure
        affichage.debutPartie(p);
        Partie enCours = p;
        enCours.coups.clear();
        Position position = p.depart;
        for (const CoupJoue &c : p.coups) {
            enCours.coups.push_back(c);
            position = jouerCoup(position, c.coup.origine, c.coup.destination);
            affichage.apresCoup(enCours, position);
        }
        affichage.finPartie(p);
    }
    std::printf("%zu partie%s rejouée%s, tous les coups sont légaux.\n", l.parties.size(),
                l.parties.size() > 1 ? "s" : "", l.parties.size() > 1 ? "s" : "");
    return EXIT_SUCCESS;
}

int jouer(const Options &o, Registre &registre)
{
    std::vector<std::string> noms = o.noms;
    if (noms.empty())
        noms = {DEMONSTRATION_JAUNE, DEMONSTRATION_ROUGE};

    std::vector<DescriptionJoueur> descriptions;
    for (size_t i = 0; i < noms.size(); i++) {
        DescriptionJoueur d;
        d.nom = noms[i];
        if (!nomEnregistrable(d.nom))
            return refuserLigneDeCommande("nom de joueur invalide « " + d.nom + " »");
        std::optional<std::string> chemin = trouverProgramme(d.nom);
        if (!chemin)
            return refuserLigneDeCommande(raisonIntrouvable(d.nom));
        d.chemin = *chemin;
        for (const std::string &p : o.personnes)
            d.personne = d.personne || p == d.nom || p == nomDeBase(d.nom);
        descriptions.push_back(d);
    }
    for (const std::string &p : o.personnes)
        if (p != noms[0] && p != noms[1] && p != nomDeBase(noms[0]) && p != nomDeBase(noms[1]))
            return refuserLigneDeCommande("--personne : « " + p + " » n'est pas l'un des joueurs");
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuserLigneDeCommande(avis.refus);
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());

    if (!o.traces.empty()) {
        std::error_code e;
        std::filesystem::create_directories(o.traces, e);
        if (e) {
            std::fprintf(stderr, "moteur : impossible de créer le dossier « %s » : %s\n",
                         o.traces.c_str(), e.message().c_str());
            return STATUT_ECHEC;
        }
    }
    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty()) {
        enregistrement = std::fopen(o.enregistrer.c_str(), "ae"); // not inherited by players
        if (enregistrement == nullptr) {
            std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            return STATUT_ECHEC;
        }
    }

    for (size_t i = 0; i < descriptions.size(); i++) {
        DescriptionJoueur &d = descriptions[i];
        d.delai = o.temps ? *o.temps : d.personne ? -1.0 : TEMPS_PROGRAMME;
        if (!o.traces.empty() && !d.personne)
            d.fichierTrace =
                o.traces + "/" + std::to_string(i + 1) + "-" + nomDeBase(d.nom) + ".txt";
    }
    // Between programs, the engine and its players stay on one processor
    // (the players inherit it): set before the greetings, whose processes
    // play the first game.  A person thinks for seconds: it changes nothing.
    if (o.personnes.empty())
        resterSurCeProcesseur();
    // A person plays through a program if the user says so (a program of
    // theirs), or if the program itself does (the kit's human players).
    Participant premier(descriptions[0], registre), second(descriptions[1], registre);
    for (Participant *p : {&premier, &second}) {
        Salut salut = p->saluer();
        if (!salut.joueur) {
            if (enregistrement != nullptr)
                std::fclose(enregistrement);
            return refuserLigneDeCommande("« " + p->description().nom +
                                          " » n'est pas un joueur : " + salut.refus);
        }
        if (salut.personne && !p->description().personne)
            p->devenirUnePersonne(o.temps ? *o.temps : -1.0);
    }
    if (o.personnes.empty() && (premier.description().personne || second.description().personne))
        relaisSansPreemption(false);

    ReglageMatch reglage;
    reglage.parties = o.parties;
    reglage.graine = o.graine ? *o.graine : graineDeLHorloge();
    reglage.ouverture = o.ouverture;
    reglage.strict = o.strict;
    reglage.sprt = o.sprt;
    if (!o.silencieux)
        std::printf("Jaune : %s, rouge : %s (les couleurs alternent), graine du match %u\n\n",
                    noms[0].c_str(), noms[1].c_str(), reglage.graine);

    if (enregistrement != nullptr) {
        EnTeteMatch m = {noms[0], noms[1], reglage.graine, o.parties, o.ouverture,
                         o.temps.value_or(TEMPS_PROGRAMME), o.strict, dateUTC()};
        std::string t = ecrireEnTeteMatch(m);
        if (std::fwrite(t.data(), 1, t.size(), enregistrement) != t.size() ||
            std::fflush(enregistrement) != 0) {
            std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué\n",
                         o.enregistrer.c_str());
            return STATUT_ECHEC;
        }
    }
    Affichage affichage(stdout, o.silencieux, estUneCouleurDeTerminal());
    bool ecritureRatee = false;
    gererLArret(true); // Ctrl-C: the summary of the games played, then the end
    BilanMatch bilan = jouerMatch(reglage, premier, second, affichage, [&](const Partie &p) {
        if (enregistrement != nullptr) {
            std::string t = ecrireEnregistrement(p);
            if (std::fwrite(t.data(), 1, t.size(), enregistrement) != t.size() ||
                std::fflush(enregistrement) != 0)
                ecritureRatee = true;
        }
        // Nobody reads us any more (`moteur ... | head`): no use going on.
        return !ecritureRatee && std::ferror(stdout) == 0;
    });
    if (arretEnCours())
        std::printf("\n"); // a person's prompt may wait on its line
    std::printf("%s", texteBilan(bilan, noms[0], noms[1], reglage.graine).c_str());
    std::printf("%s", texteStatistiquesMatch(bilan, noms[0], noms[1], reglage).c_str());
    if (enregistrement != nullptr && std::fclose(enregistrement) != 0)
        ecritureRatee = true;
    if (ecritureRatee)
        std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué\n", o.enregistrer.c_str());
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return ecritureRatee ? STATUT_ECHEC : EXIT_SUCCESS;
}

// The players' sandbox, settled before any of them starts: a system that
// refuses it fails the run only when the user insists on it (otherwise the
// first player started asks).
bool isolationRefusee(const ReglageIsolation &reglage)
{
    reglerIsolation(reglage);
    if (reglage.mode != ModeIsolation::Exigee)
        return false;
    std::string refus = refusDeLIsolation();
    if (refus.empty())
        return false;
    std::fprintf(stderr, "moteur : --isolation exigee : ce système refuse d'isoler les joueurs (%s)\n",
                 refus.c_str());
    return true;
}

int executer(const Options &o, Registre &registre)
{
    if (o.aide) {
        std::fputs(texteAide().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (o.rejouer)
        return rejouer(o.noms[0], o.silencieux);
    if (!o.classement && isolationRefusee(o.isolation))
        return STATUT_ECHEC;
    if (o.tournoi)
        return commandeTournoi(o, registre);
    if (o.classement)
        return commandeClassement(o);
    return jouer(o, registre);
}

} // namespace
} // namespace moteur

int main(int argc, char **argv)
{
    moteur::ouvrirLesDescripteursStandard();
    // Before any player or thread exists: no signal a player could send
    // may end the engine.  The registry lives as long as the process: the stop thread
    // and the signal handlers may reach it up to the last instruction.
    moteur::Registre &registre = *new moteur::Registre;
    moteur::installerLesSignaux(registre);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "page") // its own command line
        return moteur::commandePage({arguments.begin() + 1, arguments.end()});
    if (!arguments.empty() && arguments[0] == "verifier") { // its own command line too
        int statut = moteur::verifier({arguments.begin() + 1, arguments.end()}, registre);
        registre.attendreLesFinissants();
        return statut;
    }
    moteur::LectureOptions l = moteur::lireOptions(arguments);
    if (!l.erreur.empty())
        return moteur::refuserLigneDeCommande(l.erreur);
    int statut = moteur::executer(l.options, registre);
    registre.attendreLesFinissants(); // the players' boxes, still being taken down
    // Results that never reached the screen or the file they were sent to
    // (a full disk, a closed pipe) are a failure, not a success.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout) != 0) && statut == EXIT_SUCCESS &&
        !moteur::sortieSansLecteur()) {
        std::fprintf(stderr, "moteur : l'écriture sur la sortie standard a échoué\n");
        statut = moteur::STATUT_ECHEC;
    }
    return statut;
}
