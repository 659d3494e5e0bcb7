#include "participant.h"

#include "protocole.h"
#include "systeme.h"
#include "texte.h"

#include <cstdio>

namespace moteur {
namespace {

// A program must greet the engine this fast, whatever the time for a move.
constexpr double DELAI_BONJOUR = 10.0;
// After its pipe closes, a process that crashed or exited is gone this fast.
constexpr double DELAI_DISPARITION = 1.0;
// At the end of a match, a player leaves on its own this fast, or is killed.
constexpr double DELAI_DEPART = 1.0;
// Exit status of a child that could not execute the program.
constexpr int STATUT_EXEC_IMPOSSIBLE = 127;

bool estUnBonjour(const protocole::Reponse &r)
{
    return r.magie == protocole::MAGIE && r.sorte == protocole::BONJOUR;
}

// Why a process that ended before greeting is no player.
std::string raisonDeLaFin(const FinProcessus &fin)
{
    if (fin.signal)
        return hote::texte("%s (%s)", texteIssue(Issue::Plantage), nomDuSignal(fin.code).c_str());
    if (fin.code == STATUT_EXEC_IMPOSSIBLE)
        return texteIssue(Issue::Lancement);
    return hote::texte("il s'est arrêté sans saluer le moteur (statut %d)", fin.code);
}

} // namespace

namespace {

// Starts `l` on `processus` and reads its greeting.
Salut accueillir(Processus &processus, const Lancement &l)
{
    Salut s;
    protocole::Reponse r = {};
    if (processus.lancer(l) != Etat::Ok) {
        s.refus = texteIssue(Issue::Lancement);
        return s;
    }
    Etat e = processus.recevoir(&r, sizeof r, DELAI_BONJOUR);
    if (e == Etat::Delai)
        s.refus = hote::texte("il n'a pas salué le moteur en %.0f s", DELAI_BONJOUR);
    else if (e != Etat::Ok) {
        std::optional<FinProcessus> fin = processus.attendre(DELAI_DISPARITION);
        s.refus = fin ? raisonDeLaFin(*fin) : "il a fermé son tube de réponses sans saluer le moteur";
    }
    else if (!estUnBonjour(r))
        s.refus = "sa première réponse n'est pas le salut d'un joueur";
    s.joueur = s.refus.empty();
    s.memeVersion = s.joueur && r.valeur == static_cast<int32_t>(protocole::VERSION);
    s.personne = s.memeVersion && (r.drapeaux & protocole::PERSONNE) != 0;
    return s;
}

} // namespace

Salut saluer(Registre &registre, const std::string &chemin)
{
    Processus processus(registre);
    Lancement l;
    l.chemin = chemin;
    l.arguments = {protocole::OPTION};
    return accueillir(processus, l);
}

Salut Participant::saluer()
{
    Lancement l;
    l.chemin = d_.chemin;
    l.arguments = {protocole::OPTION};
    l.fichierTrace = d_.personne ? "" : d_.fichierTrace;
    Salut s = accueillir(processus_, l);
    if (!s.joueur || !s.memeVersion || s.personne || d_.personne)
        processus_.tuer();
    return s;
}

void Participant::devenirUnePersonne(double delai)
{
    d_.personne = true;
    d_.delai = delai;
    d_.fichierTrace.clear();
}

Issue Participant::fauteDeProcessus(Etat etat)
{
    if (etat == Etat::Delai) {
        processus_.tuer();
        return Issue::Temps;
    }
    // The pipe ended: the process left, or is about to.
    std::optional<FinProcessus> fin = processus_.attendre(DELAI_DISPARITION);
    processus_.tuer();
    if (!fin)
        return Issue::Protocole; // it closed its pipe but kept running
    signalDuPlantage_ = fin->signal ? fin->code : 0;
    return fin->signal ? Issue::Plantage : Issue::Arret;
}

std::optional<Issue> Participant::demarrer()
{
    Lancement l;
    l.chemin = d_.chemin;
    l.arguments = {protocole::OPTION};
    l.terminal = d_.personne;
    l.fichierTrace = d_.fichierTrace;
    if (processus_.lancer(l) != Etat::Ok)
        return Issue::Lancement;
    protocole::Reponse r = {};
    Etat e = processus_.recevoir(&r, sizeof r, DELAI_BONJOUR);
    if (e == Etat::Delai) {
        processus_.tuer();
        return Issue::Protocole; // not a player program of the kit
    }
    if (e != Etat::Ok) {
        FinProcessus fin = processus_.attendreFin(DELAI_DISPARITION);
        if (!fin.signal && fin.code == STATUT_EXEC_IMPOSSIBLE)
            return Issue::Lancement;
        signalDuPlantage_ = fin.signal ? fin.code : 0;
        return fin.signal ? Issue::Plantage : Issue::Arret;
    }
    if (!estUnBonjour(r) || r.valeur != static_cast<int32_t>(protocole::VERSION)) {
        // Built with another kit's libjoueur: the record only says
        // "protocol", the user needs to know what to do about it.
        if (estUnBonjour(r) && !versionDite_) {
            versionDite_ = true;
            std::fprintf(stderr,
                         "moteur : « %s » parle la version %d du protocole des joueurs et ce "
                         "moteur la version %u : reconstruisez ce programme avec la "
                         "bibliothèque libjoueur de ce kit\n",
                         d_.nom.c_str(), r.valeur, protocole::VERSION);
        }
        processus_.tuer();
        return Issue::Protocole;
    }
    return std::nullopt;
}

std::optional<Issue> Participant::commencerPartie(uint32_t graine)
{
    registre_.ramasserLesOrphelins();
    if (!processus_.lance() || !processus_.vivant()) {
        processus_.tuer();
        if (std::optional<Issue> faute = demarrer())
            return faute;
    }
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::PARTIE;
    d.graine = graine;
    d.reglages = d_.personne || !d_.fichierTrace.empty() ? protocole::VIDER_SORTIE : 0;
    Etat e = processus_.envoyer(&d, sizeof d);
    if (e != Etat::Ok)
        return fauteDeProcessus(e);
    return std::nullopt;
}

ReponseTour Participant::jouer(const Position &position)
{
    ReponseTour t;
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::TOUR;
    d.position = position;
    double debut = maintenant();
    Etat e = processus_.envoyer(&d, sizeof d);
    protocole::Reponse r = {};
    if (e == Etat::Ok)
        e = processus_.recevoir(&r, sizeof r, d_.delai);
    if (e != Etat::Ok) {
        t.faute = fauteDeProcessus(e);
        return t;
    }
    if (r.magie != protocole::MAGIE || r.sorte != protocole::COUP || r.nbIndices < 0) {
        processus_.tuer();
        t.faute = Issue::Protocole;
        return t;
    }
    t.indexRemis = r.nbIndices > 0;
    t.index = r.valeur;
    t.entreeFinie = (r.drapeaux & protocole::ENTREE_FINIE) != 0;
    if ((r.drapeaux & protocole::SIGNALE) != 0)
        t.reflexion = maintenant() - debut;
    return t;
}

void Participant::finir()
{
    if (!processus_.lance())
        return;
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::FIN;
    processus_.envoyer(&d, sizeof d);
    processus_.terminer(DELAI_DEPART);
}

} // namespace moteur
