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

// The players of a tournament: found, programs of the kit's protocol, and
// no person (a tournament plays many games at once, none at the terminal).
std::optional<std::string> preparerJoueurs(const Options &o, const std::vector<std::string> &noms,
                                           Registre &registre,
                                           std::vector<DescriptionJoueur> &joueurs)
{
    std::set<std::string> vus;
    std::vector<JoueurNomme> nommes = nommerLesJoueurs(noms);
    for (const JoueurNomme &j : nommes) {
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
        d.temps = o.cadence().value_or(Cadence());
        d.tailleTrace = o.tailleTraces;
        joueurs.push_back(d);
    }
    for (size_t i = 0; i < joueurs.size(); i++) {
        const std::string &programme = nommes[i].programme;
        Salut salut = saluer(registre, joueurs[i]);
        if (!salut.joueur())
            return salut.refusDe(programme);
        if (salut.personne)
            return "« " + programme + " » fait jouer une personne : un tournoi ne se joue "
                   "qu'entre programmes";
    }
    return std::nullopt;
}

// The players named, then with --tous every automatic player found that
// is not named.
std::vector<std::string> nomsDesJoueurs(const Options &o, Registre &registre)
{
    std::vector<std::string> noms = o.noms;
    if (o.tous)
        for (const std::string &nom : joueursAutomatiques(registre))
            if (std::find(noms.begin(), noms.end(), nom) == noms.end())
                noms.push_back(nom);
    return noms;
}

// The command line's own checks.
std::string ligneFausse(const Options &o, const std::vector<std::string> &noms)
{
    if (noms.size() < 2)
        return o.tous ? "tournoi --tous : moins de deux joueurs en tout (moteur joueurs les "
                        "liste)"
                      : "tournoi attend au moins deux joueurs";
    if (o.partiesDonnees && o.parties % 2 != 0)
        return "un tournoi joue les parties par paires (une de chaque couleur) : "
               "--parties attend un nombre pair";
    if (o.reprendre && o.enregistrer.empty())
        return "--reprendre attend --enregistrer FICHIER, le tournoi à reprendre";
    return "";
}

ReglageTournoi reglageDe(const Options &o, const std::vector<DescriptionJoueur> &joueurs,
                         RefLivre livre)
{
    ReglageTournoi r;
    for (const DescriptionJoueur &d : joueurs)
        r.joueurs.push_back(d.nom);
    r.defi = o.defi;
    r.parties = o.partiesDonnees ? o.parties : 2;
    r.ouverture = o.ouverture;
    r.livre = std::move(livre);
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.temps = o.cadence().value_or(Cadence());
    r.strict = o.strict;
    return r;
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
    travail.dossierTraces = o.traces;
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
    std::vector<std::string> noms = nomsDesJoueurs(o, registre);
    if (std::string refus = ligneFausse(o, noms); !refus.empty())
        return refuser(o.commande, refus);
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuser(o.commande, avis.refus);
    std::string refusDuLivre;
    RefLivre livre = chargerLivre(o, refusDuLivre);
    if (!refusDuLivre.empty())
        return refuser(o.commande, refusDuLivre);
    std::vector<DescriptionJoueur> joueurs;
    if (std::optional<std::string> refus = preparerJoueurs(o, noms, registre, joueurs))
        return refuser(o.commande, *refus);
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());
    if (!creerLeDossierDesTraces(o.traces))
        return ECHEC;

    Calendrier calendrier(reglageDe(o, joueurs, std::move(livre)));
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
