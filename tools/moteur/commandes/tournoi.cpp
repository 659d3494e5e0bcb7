// `moteur tournoi`: every pairing of the players (or a challenge), several
// games at once, a slice of them or what a record lacks, then the standings.
#include "commandes/commun.h"

#include "partie/ouverture_longue.h"
#include "partie/programme.h"
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
    for (const std::string &nom : noms) {
        if (!nomEnregistrable(nom) || nom.find(", ") != std::string::npos)
            return "nom de joueur invalide pour un tournoi « " + hote::lisible(nom) +
                   " » (ni guillemet, ni « , », ni fin de ligne)";
        if (!vus.insert(nom).second)
            return "le joueur « " + nom + " » est nommé deux fois";
        std::optional<std::string> chemin = trouverProgramme(nom);
        if (!chemin)
            return raisonIntrouvable(nom);
        DescriptionJoueur d;
        d.nom = nom;
        d.chemin = *chemin;
        d.temps = o.cadence().value_or(Cadence());
        d.tailleTrace = o.tailleTraces;
        joueurs.push_back(d);
    }
    for (const DescriptionJoueur &d : joueurs) {
        Salut salut = saluer(registre, d.chemin);
        if (!salut.joueur())
            return "« " + d.nom + " » n'est pas un joueur : " + salut.refus();
        if (salut.personne)
            return "« " + d.nom + " » fait jouer une personne : un tournoi ne se joue "
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
    if (o.parties % 2 != 0)
        return "un tournoi joue les parties par paires (une de chaque couleur) : "
               "--parties attend un nombre pair";
    if (o.reprendre && o.enregistrer.empty())
        return "--reprendre attend --enregistrer FICHIER, le tournoi à reprendre";
    return "";
}

ReglageTournoi reglageDe(const Options &o, const std::vector<std::string> &noms, RefLivre livre)
{
    ReglageTournoi r;
    r.joueurs = noms;
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
    bool partieFinie(const Partie &p)
    {
        if (enregistrement_ != nullptr && !ecrireTout(enregistrement_, ecrireEnregistrement(p)))
            ecritureRatee_ = true;
        parties_.push_back(p);
        compterPartie(p);
        progression_.partieFinie(texteMeneur(calendrier_.reglage(), demiPoints_, joues_));
        return !ecritureRatee_;
    }

    Progression &progression() { return progression_; }
    bool ecritureRatee() const { return ecritureRatee_; }
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
    bool ecritureRatee_ = false;
};

// The scheduler's workers play; this thread draws the status line until
// they are done.
void jouerEnSuivant(const TravailTournoi &travail, Registre &registre, Suivi &suivi)
{
    std::mutex verrou;
    std::condition_variable changement;
    bool fini = false;
    gererLArret(true); // Ctrl-C: the standings of the games played, then the end
    std::thread ordonnanceur([&] {
        jouerTournoi(travail, registre, [&](const Partie &p) {
            std::lock_guard<std::mutex> v(verrou);
            return suivi.partieFinie(p);
        });
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

    Calendrier calendrier(reglageDe(o, noms, std::move(livre)));
    Etendue e = {1, calendrier.nbParties()};
    if (o.tranche)
        std::tie(e.premiere, e.derniere) = calendrier.tranche(o.tranche->first, o.tranche->second);
    std::vector<Partie> anciennes;
    if (o.reprendre)
        if (std::optional<int> statut = lireLaReprise(o, calendrier, e, anciennes))
            return *statut;
    TravailTournoi travail = travailDe(o, calendrier, joueurs, e, anciennes);

    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty()) {
        enregistrement = ouvrirEnregistrement(o.enregistrer);
        if (enregistrement == nullptr)
            return ECHEC;
        if (!ecrireTout(enregistrement, ecrireEnTeteTournoi(calendrier.reglage(), dateUTC()))) {
            std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            std::fclose(enregistrement);
            return ECHEC;
        }
    }
    annoncer(o, calendrier, travail, e, anciennes.size());
    Suivi suivi(calendrier, std::move(anciennes), enregistrement,
                static_cast<int>(travail.aJouer.size()), o.silencieux);
    jouerEnSuivant(travail, registre, suivi);

    if (arretEnCours() && !o.silencieux)
        std::printf("\nTournoi interrompu : les parties en cours sont abandonnées.\n");
    if (!o.silencieux)
        std::printf("\n");
    bool publie = publierClassement(classer(calendrier, suivi.parties()), o.resultats);
    bool ecrit = !suivi.ecritureRatee() && (enregistrement == nullptr || std::fclose(enregistrement) == 0);
    if (!ecrit)
        std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué\n", o.enregistrer.c_str());
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return ecrit && publie ? SUCCES : ECHEC;
}

} // namespace moteur
