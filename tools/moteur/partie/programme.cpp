#include "partie/programme.h"

#include "processus/systeme.h"
#include "dialogue.h"
#include "texte.h"

#include <csignal>
#include <cstdio>

namespace moteur {
namespace {

// After its pipe closes, a process that crashed or exited is gone this fast.
constexpr double DELAI_DISPARITION = 1.0;
// Exit status of a child that could not execute the program.
constexpr int STATUT_EXEC_IMPOSSIBLE = 127;

bool estUnBonjour(const protocole::Reponse &r)
{
    return r.magie == protocole::MAGIE && r.sorte == protocole::BONJOUR;
}

} // namespace

void classerLaFin(Processus &processus, Salut &s)
{
    std::optional<FinProcessus> fin = processus.attendre(DELAI_DISPARITION);
    if (!fin)
        s.echec = EchecSalut::Fermeture;
    else if (fin->signal)
        s.echec = EchecSalut::Plantage;
    else
        s.echec = fin->code == STATUT_EXEC_IMPOSSIBLE ? EchecSalut::Lancement : EchecSalut::Arret;
    s.code = fin ? fin->code : 0;
}

bool Salut::memeVersion() const
{
    int attendue = texte ? dialogue::VERSION : static_cast<int32_t>(protocole::VERSION);
    return joueur() && version == attendue;
}

std::string Salut::refus() const
{
    switch (echec) {
    case EchecSalut::Aucun: return "";
    case EchecSalut::Lancement: return texteIssue(Issue::Lancement);
    case EchecSalut::Delai: return hote::texte("il n'a pas salué le moteur en %.0f s", DELAI_BONJOUR);
    case EchecSalut::Plantage:
        return hote::texte("%s (%s)", texteIssue(Issue::Plantage), nomDuSignal(code).c_str());
    case EchecSalut::Arret: return hote::texte("il s'est arrêté sans saluer le moteur (statut %d)", code);
    case EchecSalut::Fermeture: return "il a fermé son tube de réponses sans saluer le moteur";
    case EchecSalut::PasUnSalut:
        return std::string("sa première réponse n'est pas le salut d'un joueur") +
               (recu.empty() ? "" : " : « " + recu + " »");
    }
    return "";
}

std::string Salut::refusDe(const std::string &programme) const
{
    if (!cause.empty())
        return "impossible de lancer « " + programme + " » : " + cause;
    return "« " + programme + " » n'est pas un joueur : " + refus();
}

Salut accueillir(Processus &processus, const Lancement &l)
{
    Salut s;
    if (processus.lancer(l) != Etat::Ok) {
        s.echec = EchecSalut::Lancement;
        s.cause = processus.causeDuRefus();
        return s;
    }
    protocole::Reponse r = {};
    Etat e = processus.recevoir(&r, sizeof r, DELAI_BONJOUR);
    if (e == Etat::Delai)
        s.echec = EchecSalut::Delai;
    else if (e != Etat::Ok)
        classerLaFin(processus, s);
    else if (!estUnBonjour(r))
        s.echec = EchecSalut::PasUnSalut;
    s.version = s.joueur() ? r.valeur : 0;
    s.personne = s.memeVersion() && (r.drapeaux & protocole::PERSONNE) != 0;
    if (!s.memeVersion())
        processus.tuer();
    return s;
}

Salut saluer(Registre &registre, const std::string &chemin)
{
    Processus processus(registre);
    Lancement l;
    l.chemin = chemin;
    l.arguments = {protocole::OPTION};
    return accueillir(processus, l);
}

protocole::Demande demandePartie(uint32_t graine, bool viderSortie)
{
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::PARTIE;
    d.graine = graine;
    // Output that nobody keeps goes to /dev/null: the player need not write it.
    d.reglages = viderSortie ? protocole::VIDER_SORTIE : protocole::TAIRE_SORTIE;
    return d;
}

protocole::Demande demandeTour(const Position &position, double restant, double increment)
{
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::TOUR;
    d.position = position;
    d.restantMs = restant < 0 ? -1 : static_cast<int32_t>(restant * 1000);
    d.incrementMs = restant < 0 ? 0 : static_cast<int32_t>(increment * 1000);
    return d;
}

protocole::Demande demandeFin()
{
    protocole::Demande d = {};
    d.magie = protocole::MAGIE;
    d.sorte = protocole::FIN;
    return d;
}

Lancement ProgrammeLance::lancement() const
{
    Lancement l;
    l.chemin = d_.chemin;
    l.arguments = argumentsDuProtocole();
    l.terminal = d_.personne;
    l.fichierTrace = d_.personne ? "" : d_.fichierTrace;
    l.tailleTrace = d_.tailleTrace;
    return l;
}

Salut ProgrammeLance::lancer()
{
    Lancement l = lancement();
    l.terminal = false;
    return accueillirAvec(l);
}

Issue fauteDeProcessus(Processus &processus, Etat etat, int &signal)
{
    signal = 0;
    if (etat == Etat::Delai) {
        processus.tuer();
        return Issue::Temps;
    }
    // The pipe ended: the process left, or is about to.
    std::optional<FinProcessus> fin = processus.attendre(DELAI_DISPARITION);
    processus.tuer();
    if (!fin)
        return Issue::Protocole; // it closed its pipe but kept running
    signal = fin->signal ? fin->code : 0;
    return fin->signal ? Issue::Plantage : Issue::Arret;
}

std::optional<Issue> ProgrammeLance::demarrer()
{
    Salut s = accueillirAvec(lancement());
    switch (s.echec) {
    case EchecSalut::Aucun: break;
    case EchecSalut::Lancement:
        // The record says the program could not start: the user learns why, once.
        if (!s.cause.empty() && !causeDite_) {
            causeDite_ = true;
            std::fprintf(stderr, "moteur : %s\n", s.refusDe(d_.nom).c_str());
        }
        return Issue::Lancement;
    case EchecSalut::Plantage: signalDuPlantage_ = s.code; return Issue::Plantage;
    case EchecSalut::Arret: signalDuPlantage_ = 0; return Issue::Arret;
    default: return Issue::Protocole; // not a player program
    }
    if (s.memeVersion())
        return std::nullopt;
    // The record only says "protocol": the user needs to know what to do.
    if (!versionDite_) {
        versionDite_ = true;
        std::fprintf(stderr, "moteur : « %s » %s\n", d_.nom.c_str(), autreVersion(s.version).c_str());
    }
    return Issue::Protocole;
}

Salut ProgrammeLance::saluer()
{
    Salut s = lancer();
    if (s.personne)
        d_.personne = true;
    if (d_.personne) {
        d_.fichierTrace.clear();
        processus_.tuer();
    }
    return s;
}

std::optional<Issue> ProgrammeLance::commencerPartie(uint32_t graine)
{
    registre_.ramasserLesOrphelins();
    if (!processus_.lance() || !processus_.vivant()) {
        processus_.tuer();
        if (std::optional<Issue> faute = demarrer())
            return faute;
    }
    return annoncerPartie(graine);
}

// Built with another kit's libjoueur.
std::string Programme::autreVersion(int version) const
{
    return hote::texte("parle la version %d du protocole des joueurs et ce moteur la version %u : "
                       "reconstruisez ce programme avec la bibliothèque libjoueur de ce kit",
                       version, protocole::VERSION);
}

std::optional<Issue> Programme::annoncerPartie(uint32_t graine)
{
    protocole::Demande d = demandePartie(graine, d_.personne || !d_.fichierTrace.empty());
    Etat e = processus_.envoyer(&d, sizeof d);
    if (e != Etat::Ok)
        return fauteDeProcessus(processus_, e, signalDuPlantage_);
    return std::nullopt;
}

bool Programme::partir(double delai)
{
    if (!processus_.lance())
        return true;
    protocole::Demande d = demandeFin();
    processus_.envoyer(&d, sizeof d);
    std::optional<FinProcessus> fin = processus_.attendre(delai);
    restants_ = fin ? fin->restants : 0;
    return fin.has_value();
}

ReponseTour Programme::jouer(const Position &position, double restant)
{
    ReponseTour t;
    Cadence c = cadence();
    protocole::Demande d =
        demandeTour(position, restant, c.pendule() ? c.pendule()->increment : 0);
    double debut = maintenant();
    Etat e = processus_.envoyer(&d, sizeof d);
    protocole::Reponse r = {};
    if (e == Etat::Ok)
        e = processus_.recevoir(&r, sizeof r, c.delai(restant));
    t.duree = maintenant() - debut;
    if (e != Etat::Ok) {
        t.faute = fauteDeProcessus(processus_, e, signalDuPlantage_);
        return t;
    }
    if (r.magie != protocole::MAGIE || r.sorte != protocole::COUP || r.nbIndices < 0) {
        processus_.tuer();
        t.faute = Issue::Protocole;
        return t;
    }
    t.nbIndices = r.nbIndices;
    t.indexRemis = r.nbIndices > 0;
    t.index = r.valeur;
    t.entreeFinie = (r.drapeaux & protocole::ENTREE_FINIE) != 0;
    // The host says that the person chose (its program signalled): the
    // thinking time runs to the answer.
    if ((r.drapeaux & protocole::SIGNALE) != 0)
        t.reflexion = maintenant() - debut;
    return t;
}

void Programme::finir()
{
    if (!processus_.lance())
        return;
    protocole::Demande d = demandeFin();
    processus_.envoyer(&d, sizeof d);
    processus_.terminer(DELAI_DEPART);
}

} // namespace moteur
