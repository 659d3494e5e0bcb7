// `moteur tournoi`: every pairing of the players (or a challenge), several
// games at once, a slice of them or what a record lacks, then the standings.
#include "commandes/commun.h"

#include "partie/ouverture_longue.h"
#include "partie/programme.h"
#include "processus/fichiers.h"
#include "partie/designation.h"
#include "processus/signaux.h"
#include "processus/systeme.h"
#include "sorties/lecture_tournoi.h"
#include "sorties/progression.h"
#include "sorties/textes.h"
#include "tournoi/ordonnanceur.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>

namespace moteur {
namespace {

// The games to play: the whole schedule, or slice K of M.
struct Etendue {
    int premiere = 0, derniere = 0;
};

// The players of a tournament: found, programs of the kit's protocol, and
// no person (a tournament plays many games at once, none at the terminal).
std::optional<std::string> preparerJoueurs(const Options &o, Registre &registre,
                                           std::vector<DescriptionJoueur> &joueurs)
{
    std::set<std::string> vus;
    for (const JoueurNomme &j : nommerLesJoueurs(o.noms)) {
        const std::string &nom = j.nom;
        if (!nomEnregistrable(nom) || nom.find(", ") != std::string::npos)
            return "nom de joueur invalide pour un tournoi « " + hote::lisible(nom) +
                   " » (ni guillemet, ni « , », ni fin de ligne)";
        if (!vus.insert(nom).second)
            return "le joueur « " + nom + " » est nommé deux fois";
        DescriptionJoueur d;
        d.nom = nom;
        if (std::string raison = trouverLeJoueur(d, j.programme); !raison.empty())
            return raison;
        d.temps = o.temps.value_or(Cadence());
        if (!o.traces.empty())
            d.fichierTrace = fichierDeTrace(o.traces, joueurs.size(), nom);
        joueurs.push_back(d);
    }
    for (size_t i = 0; i < joueurs.size(); i++) {
        const std::string &programme = nommerLesJoueurs(o.noms)[i].programme;
        Salut salut = saluer(registre, joueurs[i]);
        if (!salut.joueur())
            return "« " + programme + " » n'est pas un joueur : " + salut.refus();
        if (salut.personne)
            return "« " + programme + " » fait jouer une personne : un tournoi ne se joue "
                   "qu'entre programmes";
    }
    return std::nullopt;
}

// The command line's own checks.
std::string ligneFausse(const Options &o)
{
    if (o.noms.size() < 2)
        return "tournoi attend au moins deux joueurs";
    if (o.partiesDonnees && o.parties % 2 != 0)
        return "un tournoi joue les parties par paires (une de chaque couleur) : "
               "--parties attend un nombre pair";
    if (o.reprendre && o.enregistrer.empty())
        return "--reprendre attend --enregistrer FICHIER, le tournoi à reprendre";
    // A player may play two games at once, whose output would mingle.
    if (!o.traces.empty() && o.concurrence.value_or(0) != 1)
        return "un tournoi ne garde la sortie des programmes (--traces) qu'avec -j 1";
    return "";
}

ReglageTournoi reglageDe(const Options &o, const std::vector<DescriptionJoueur> &joueurs)
{
    ReglageTournoi r;
    for (const DescriptionJoueur &d : joueurs)
        r.joueurs.push_back(d.nom);
    r.defi = o.defi;
    r.parties = o.partiesDonnees ? o.parties : 2;
    r.ouverture = o.ouverture;
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.temps = o.temps.value_or(Cadence());
    r.strict = o.strict;
    return r;
}

// Why a game of the record does not belong to this run; empty when it does.
std::string ecartDUnePartie(const Options &o, const Calendrier &calendrier, Etendue e,
                            const Partie &p, std::set<int> &numeros)
{
    std::string ecart = calendrier.ecartAvec(p);
    if (ecart.empty() && (p.numero < e.premiere || p.numero > e.derniere))
        ecart = hote::texte("la partie %d n'est pas de la tranche %d/%d", p.numero,
                            o.tranche->first, o.tranche->second);
    if (ecart.empty() && !numeros.insert(p.numero).second)
        ecart = hote::texte("la partie %d y figure deux fois", p.numero);
    return ecart;
}

// What the record already holds, when resuming: its games, once found to
// be this tournament's; a cut last block is cut off the file.  The exit
// status when it cannot be resumed.
std::optional<int> lireLaReprise(const Options &o, const Calendrier &calendrier, Etendue e,
                                 std::vector<Partie> &anciennes)
{
    int erreur = 0;
    std::optional<std::string> texte = lireFichier(o.enregistrer, erreur);
    if (!texte && erreur != ENOENT) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", o.enregistrer.c_str(),
                     std::strerror(erreur));
        return ECHEC;
    }
    LectureTournoi l = lireTournoi(texte.value_or(""), Coupure::Reprise);
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", o.enregistrer.c_str(), l.ligneErreur, l.erreur.c_str());
        return ECHEC;
    }
    if (l.reglage && !(*l.reglage == calendrier.reglage())) {
        std::fprintf(stderr,
                     "moteur : « %s » est l'enregistrement d'un autre tournoi (%s) : "
                     "reprenez-le avec les mêmes joueurs, graine et options\n",
                     o.enregistrer.c_str(), difference(*l.reglage, calendrier.reglage()).c_str());
        return USAGE;
    }
    std::set<int> numeros;
    for (const Partie &p : l.parties)
        if (std::string ecart = ecartDUnePartie(o, calendrier, e, p, numeros); !ecart.empty()) {
            std::fprintf(stderr, "moteur : « %s » n'est pas de ce tournoi : %s\n",
                         o.enregistrer.c_str(), ecart.c_str());
            return USAGE;
        }
    if (l.coupee) {
        if (truncate(o.enregistrer.c_str(), static_cast<off_t>(l.longueurSaine)) != 0) {
            std::fprintf(stderr, "moteur : impossible de couper « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            return ECHEC;
        }
        std::fprintf(stderr, "moteur : « %s » : la dernière partie, coupée, est retirée\n",
                     o.enregistrer.c_str());
    }
    anciennes = std::move(l.parties);
    return std::nullopt;
}

// Without --reprendre, a record that already holds games of this run (or
// another tournament) is not written again: a second copy of its games
// would make it unreadable.  Another slice's games may share the file.
std::optional<int> refuserUneSecondeCopie(const Options &o, const Calendrier &calendrier,
                                          Etendue e)
{
    int erreur = 0;
    std::optional<std::string> texte = lireFichier(o.enregistrer, erreur);
    if (!texte || texte->find_first_not_of("\r\n") == std::string::npos)
        return std::nullopt;
    LectureTournoi l = lireTournoi(*texte, Coupure::Reprise);
    std::string raison = l.ligneErreur != 0 ? l.erreur
                         : l.reglage && !(*l.reglage == calendrier.reglage())
                             ? "il contient un autre tournoi (" +
                                   difference(*l.reglage, calendrier.reglage()) +
                                   ") : écrivez dans un autre fichier"
                             : "";
    for (const Partie &p : l.parties)
        if (raison.empty() && p.numero >= e.premiere && p.numero <= e.derniere)
            raison = hote::texte("il contient déjà la partie %d de ce tournoi : reprenez-le "
                                 "avec --reprendre, ou écrivez dans un autre fichier",
                                 p.numero);
    if (raison.empty())
        return std::nullopt;
    std::fprintf(stderr, "moteur : « %s » : %s\n", o.enregistrer.c_str(),
                 raison.c_str());
    return USAGE;
}

void annoncer(const Options &o, const Calendrier &calendrier, const TravailTournoi &travail,
              Etendue e, size_t dejaJouees)
{
    if (o.silencieux)
        return;
    const ReglageTournoi &r = calendrier.reglage();
    std::printf("Tournoi : %zu joueurs, %d rencontre%s de %d parties, graine %u, "
                "%d partie%s à la fois\n",
                r.joueurs.size(), calendrier.nbRencontres(), calendrier.nbRencontres() > 1 ? "s" : "",
                r.parties, r.graine, travail.concurrence, travail.concurrence > 1 ? "s" : "");
    if (o.tranche)
        std::printf("Tranche %d/%d : parties %d à %d\n", o.tranche->first, o.tranche->second,
                    e.premiere, e.derniere);
    if (dejaJouees > 0)
        std::printf("Reprise : %zu parties déjà jouées, %zu à jouer\n", dejaJouees,
                    travail.aJouer.size());
    std::fflush(stdout);
}

// The games of the run that the record does not hold yet, and who plays.
TravailTournoi travailDe(const Options &o, const Calendrier &calendrier,
                         const std::vector<DescriptionJoueur> &joueurs, Etendue e,
                         const std::vector<Partie> &anciennes)
{
    std::set<int> dejaJouees;
    for (const Partie &p : anciennes)
        dejaJouees.insert(p.numero);
    TravailTournoi travail;
    travail.calendrier = &calendrier;
    travail.joueurs = joueurs;
    travail.strict = o.strict;
    travail.concurrence =
        o.concurrence.value_or(std::max<int>(1, static_cast<int>(processeursPermis().size())));
    for (int n = e.premiere; n <= e.derniere; n++)
        if (dejaJouees.count(n) == 0)
            travail.aJouer.push_back(n);
    return travail;
}

// Every game as it ends: recorded, counted for the leader, shown.
class Suivi {
public:
    Suivi(const Calendrier &c, std::vector<Partie> anciennes, std::FILE *enregistrement,
          int aJouer, bool silencieux)
        : calendrier_(c), parties_(std::move(anciennes)), enregistrement_(enregistrement),
          demiPoints_(c.reglage().joueurs.size(), 0), joues_(demiPoints_.size(), 0),
          progression_(aJouer, sortieEstUnTerminal(), silencieux)
    {
        for (const Partie &p : parties_)
            compterPartie(p);
    }

    // Called by the worker that played it, under the lock: whether to go on.
    // A game its record could not keep is not counted either.
    bool partieFinie(const Partie &p)
    {
        if (enregistrement_ != nullptr && !ajouter(enregistrement_, ecrireEnregistrement(p), erreur_))
            return false;
        parties_.push_back(p);
        compterPartie(p);
        progression_.partieFinie(texteMeneur(calendrier_.reglage(), demiPoints_, joues_));
        return true;
    }

    Progression &progression() { return progression_; }
    // Why the record failed; empty when it did not.
    const std::string &erreur() const { return erreur_; }
    // The games, in the order of their numbers.
    std::vector<Partie> parties()
    {
        std::sort(parties_.begin(), parties_.end(),
                  [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
        return parties_;
    }

private:
    void compterPartie(const Partie &p)
    {
        PartiePrevue prevue = calendrier_.partie(p.numero);
        for (uint8_t couleur : {JAUNE, ROUGE}) {
            Decompte t;
            compter(t, p, couleur);
            size_t i = static_cast<size_t>(couleur == JAUNE ? prevue.jaune : prevue.rouge);
            demiPoints_[i] += t.demiPoints();
            joues_[i]++;
        }
    }

    const Calendrier &calendrier_;
    std::vector<Partie> parties_;
    std::FILE *enregistrement_;
    std::vector<int> demiPoints_, joues_;
    Progression progression_;
    std::string erreur_;
};

// The scheduler's workers play; this thread draws the status line until
// they are done.
void jouerEnSuivant(const TravailTournoi &travail, Registre &registre, Suivi &suivi)
{
    std::mutex verrou;
    std::condition_variable changement;
    bool fini = false;
    gererLArret(true); // Ctrl-C: the standings of the games played, then the end
    std::exception_ptr echec; // thrown by the workers' thread, thrown again here
    std::thread ordonnanceur([&] {
        try {
            jouerTournoi(travail, registre, [&](const Partie &p) {
                std::lock_guard<std::mutex> v(verrou);
                return suivi.partieFinie(p);
            });
        } catch (...) {
            echec = std::current_exception();
        }
        std::lock_guard<std::mutex> v(verrou);
        fini = true;
        changement.notify_one();
    });
    {
        std::unique_lock<std::mutex> v(verrou);
        while (!fini) {
            changement.wait_for(v, std::chrono::milliseconds(100));
            suivi.progression().afficher(false);
        }
        suivi.progression().afficher(true);
    }
    ordonnanceur.join();
    if (echec)
        std::rethrow_exception(echec);
}

// The standings of every game recorded, the record closed: the status.
int conclure(const Options &o, const Calendrier &calendrier, Suivi &suivi,
             std::FILE *enregistrement)
{
    if (arretEnCours() && !o.silencieux)
        std::printf("\nTournoi interrompu : les parties en cours sont abandonnées.\n");
    if (!o.silencieux)
        std::printf("\n");
    bool publie = publierClassement(classer(calendrier, suivi.parties()), o.resultats);
    std::string erreur = suivi.erreur();
    erreur = fermerEnregistrement(enregistrement, o.enregistrer, erreur);
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return erreur.empty() && publie ? SUCCES : ECHEC;
}

} // namespace

int commandeTournoi(const Options &o, Registre &registre)
{
    if (std::string refus = ligneFausse(o); !refus.empty())
        return refuser(o.commande, refus);
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuser(o.commande, avis.refus);
    std::vector<DescriptionJoueur> joueurs;
    if (std::optional<std::string> refus = preparerJoueurs(o, registre, joueurs))
        return refuser(o.commande, *refus);
    if (!creerLeDossierDesTraces(o.traces))
        return ECHEC;
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());

    Calendrier calendrier(reglageDe(o, joueurs));
    Etendue e = {1, calendrier.nbParties()};
    if (o.tranche)
        std::tie(e.premiere, e.derniere) = calendrier.tranche(o.tranche->first, o.tranche->second);
    // The record is locked before it is read: two engines never resume it
    // at once.
    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty() && (enregistrement = ouvrirEnregistrement(o.enregistrer)) == nullptr)
        return ECHEC;
    std::vector<Partie> anciennes;
    std::optional<int> refus;
    if (o.reprendre)
        refus = lireLaReprise(o, calendrier, e, anciennes);
    else if (!o.enregistrer.empty())
        refus = refuserUneSecondeCopie(o, calendrier, e);
    TravailTournoi travail = travailDe(o, calendrier, joueurs, e, anciennes);
    // Its header opens each run that plays something.
    std::string erreur;
    if (!refus && enregistrement != nullptr && !travail.aJouer.empty() &&
        !ajouter(enregistrement, ecrireEnTeteTournoi(calendrier.reglage(), dateUTC()), erreur)) {
        std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n",
                     o.enregistrer.c_str(), erreur.c_str());
        refus = ECHEC;
    }
    if (refus) {
        if (enregistrement != nullptr)
            std::fclose(enregistrement);
        return *refus;
    }
    annoncer(o, calendrier, travail, e, anciennes.size());
    Suivi suivi(calendrier, std::move(anciennes), enregistrement,
                static_cast<int>(travail.aJouer.size()), o.silencieux);
    jouerEnSuivant(travail, registre, suivi);

    return conclure(o, calendrier, suivi, enregistrement);
}

} // namespace moteur
