// `moteur [JAUNE ROUGE]`: a match between two programs, or a person and a
// program, with its records and its summary.
#include "commandes/commun.h"

#include "partie/match.h"
#include "partie/ouverture_longue.h"
#include "partie/programme.h"
#include "processus/fichiers.h"
#include "partie/designation.h"
#include "processus/signaux.h"
#include "processus/systeme.h"
#include "sorties/affichage.h"
#include "sorties/textes.h"
#include "sorties/enregistrement.h"
#include "tournoi/match_parallele.h"
#include "tournoi/ordonnanceur.h"

#include "texte.h"

#include <cerrno>
#include <cstring>

namespace moteur {
namespace {

constexpr const char *DEMONSTRATION_JAUNE = "joueur_poids";
constexpr const char *DEMONSTRATION_ROUGE = "joueur_critique";

// Whether `p`, given to --personne, names that player.
bool designe(const std::string &p, const JoueurNomme &j)
{
    return p == j.nom || p == j.programme || p == nomDeBase(j.programme);
}

// The two players as named, found, with who a person plays through; an
// error text when the command line cannot be played.
std::string decrireLesJoueurs(const Options &o, const std::vector<JoueurNomme> &joueurs,
                              std::vector<DescriptionJoueur> &descriptions)
{
    for (size_t i = 0; i < joueurs.size(); i++) {
        DescriptionJoueur d;
        d.nom = joueurs[i].nom;
        if (!nomEnregistrable(d.nom))
            return "nom de joueur invalide « " + d.nom + " »";
        if (std::string raison = trouverLeJoueur(d, joueurs[i].programme); !raison.empty())
            return raison;
        for (const std::string &p : o.personnes)
            d.personne = d.personne || designe(p, joueurs[i]);
        d.temps = o.cadence();
        d.tempsPersonne = o.tempsPersonne;
        d.tailleTrace = o.tailleTraces;
        if (!o.traces.empty() && !d.personne)
            d.fichierTrace = fichierDeTrace(o.traces, static_cast<int>(i + 1), d.nom);
        descriptions.push_back(d);
    }
    for (const std::string &p : o.personnes)
        if (!designe(p, joueurs[0]) && !designe(p, joueurs[1]))
            return "--personne : « " + p + " » n'est pas l'un des joueurs";
    return "";
}


ReglageMatch reglageDuMatch(const Options &o, RefLivre livre)
{
    ReglageMatch r;
    r.parties = o.parties;
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.ouverture = o.ouverture;
    r.livre = std::move(livre);
    r.strict = o.strict;
    r.sprt = o.sprt;
    return r;
}

EnTeteMatch enTeteDe(const Options &o, const std::vector<std::string> &noms,
                     const ReglageMatch &r)
{
    EnTeteMatch m = {noms[0], noms[1], r.graine, r.parties, r.ouverture,
                     o.cadence().value_or(Cadence()), r.strict, dateUTC(), r.livre};
    return m;
}

// The command line's own checks, before any player is looked for.
std::string ligneFausse(const Options &o)
{
    if (o.noms.size() == 1 || o.noms.size() > 2)
        return hote::texte("deux joueurs attendus (JAUNE ROUGE), ou aucun pour la "
                           "démonstration ; %zu donné%s",
                           o.noms.size(), o.noms.size() > 1 ? "s" : "");
    if (o.reprendre && o.enregistrer.empty())
        return "--reprendre attend --enregistrer FICHIER, le match à reprendre";
    return "";
}

// A person plays at the terminal, one game at a time.
bool plusieursALaFois(const Options &o) { return o.concurrence.value_or(1) > 1; }
const char *const UNE_PERSONNE_SEULE =
    "une personne joue une partie à la fois : -j 1 (par défaut) pour un match avec une personne";

// The games already in the record when resuming: its games, by number, in
// `dejaJouees`; the exit status when it cannot be resumed.
std::optional<int> reprendre(const Options &o, const EnTeteMatch &m, ReglageMatch &reglage)
{
    Calendrier calendrier(calendrierDuMatch(m));
    std::vector<Partie> anciennes;
    if (std::optional<int> statut = lireLaReprise(o, calendrier, {1, m.parties}, anciennes))
        return statut;
    for (Partie &p : anciennes) {
        p.rencontre = 0;
        reglage.dejaJouees.emplace(p.numero, std::move(p));
    }
    if (!o.silencieux && !anciennes.empty())
        std::printf("Reprise : %zu parties déjà jouées\n", anciennes.size());
    return std::nullopt;
}

// The match's tags open its record, and each resumption that plays
// something: why they could not, or nothing.
std::string ecrireLEnTete(const EnTeteMatch &m, const ReglageMatch &reglage,
                          std::FILE *enregistrement)
{
    std::string erreur;
    if (enregistrement != nullptr && static_cast<int>(reglage.dejaJouees.size()) < m.parties)
        ajouter(enregistrement, ecrireEnTeteMatch(m), erreur);
    return erreur;
}

// The games, each recorded (and with -j, shown) as it ends, in the order of
// their numbers; the summary once they are over, of the games the record
// holds.  Why a record failed, or nothing.
std::string jouerEtResumer(const Options &o, const std::vector<std::string> &noms,
                           const ReglageMatch &reglage, Participant &premier, Participant &second,
                           Registre &registre, std::FILE *enregistrement)
{
    Affichage affichage(stdout, o.silencieux, couleursDuTerminal());
    std::string erreur;
    bool montrer = plusieursALaFois(o); // otherwise shown as it is played
    auto partieFinie = [&](const Partie &p) {
        if (enregistrement != nullptr && !ajouter(enregistrement, ecrireEnregistrement(p), erreur))
            return Suite::Ecarter;
        if (montrer)
            affichage.montrer(p);
        // Nobody reads us any more (`moteur ... | head`): no use going on.
        return std::ferror(stdout) == 0 ? Suite::Continuer : Suite::Arreter;
    };
    gererLArret(true); // Ctrl-C: the summary of the games played, then the end
    BilanMatch bilan;
    if (plusieursALaFois(o)) {
        // The greeted processes are not those of the workers.
        premier.finir();
        second.finir();
        bilan = jouerMatchEnParallele(reglage, {premier.description(), second.description()},
                                      *o.concurrence, registre, partieFinie);
    } else {
        bilan = jouerMatch(reglage, premier, second, affichage, partieFinie);
    }
    if (arretEnCours())
        std::printf("\n"); // a person's prompt may wait on its line
    std::printf("%s", texteBilan(bilan, noms[0], noms[1], reglage.graine).c_str());
    std::printf("%s", texteStatistiquesMatch(bilan, noms[0], noms[1], reglage).c_str());
    return erreur;
}

// What must hold before the players are started: the players found, the
// opening and the book sound, the folder of traces there.  The exit status
// when the match cannot be played.
std::optional<int> preparer(const Options &o, const std::vector<JoueurNomme> &joueurs,
                            std::vector<DescriptionJoueur> &descriptions, RefLivre &livre)
{
    if (std::string refus = decrireLesJoueurs(o, joueurs, descriptions); !refus.empty())
        return refuser(o.commande, refus);
    if (plusieursALaFois(o) && !o.personnes.empty())
        return refuser(o.commande, UNE_PERSONNE_SEULE);
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuser(o.commande, avis.refus);
    std::string refusDuLivre;
    livre = chargerLivre(o, refusDuLivre);
    if (!refusDuLivre.empty())
        return refuser(o.commande, refusDuLivre);
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());
    if (!creerLeDossierDesTraces(o.traces))
        return ECHEC;
    return std::nullopt;
}

// Each player greets the engine (and says whether a person plays through
// it).  The exit status when one cannot play: no player (the command line
// names the wrong program), a person asked to play several games at once,
// or a program the engine could not start (its trace file: the system's
// fault, not the command line's).
std::optional<int> accueillir(const Options &o, Participant &premier, Participant &second,
                              const std::vector<JoueurNomme> &joueurs)
{
    Participant *participants[] = {&premier, &second};
    for (size_t i = 0; i < 2; i++) {
        Salut salut = participants[i]->saluer();
        if (!salut.cause.empty()) {
            std::fprintf(stderr, "moteur : %s\n", salut.refusDe(joueurs[i].programme).c_str());
            return ECHEC;
        }
        if (!salut.joueur())
            return refuser(o.commande, salut.refusDe(joueurs[i].programme));
    }
    if ((premier.description().personne || second.description().personne) && plusieursALaFois(o))
        return refuser(o.commande, UNE_PERSONNE_SEULE);
    return std::nullopt;
}

} // namespace

int commandeMatch(const Options &o, Registre &registre)
{
    if (std::string refus = ligneFausse(o); !refus.empty())
        return refuser(o.commande, refus);
    std::vector<JoueurNomme> joueurs =
        nommerLesJoueurs(o.noms.empty() ? std::vector<std::string>{DEMONSTRATION_JAUNE,
                                                                   DEMONSTRATION_ROUGE}
                                        : o.noms);
    const std::vector<std::string> noms = {joueurs[0].nom, joueurs[1].nom};
    std::vector<DescriptionJoueur> descriptions;
    RefLivre livre;
    if (std::optional<int> statut = preparer(o, joueurs, descriptions, livre))
        return *statut;
    ReglageMatch reglage = reglageDuMatch(o, std::move(livre));
    EnTeteMatch enTete = enTeteDe(o, noms, reglage);
    // The record is locked before it is read: two engines never resume it
    // at once.
    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty() && (enregistrement = ouvrirEnregistrement(o.enregistrer)) == nullptr)
        return ECHEC;
    std::optional<int> statut;
    if (o.reprendre)
        statut = reprendre(o, enTete, reglage);

    // Between programs, the engine and its players stay on one processor
    // (the players inherit it): set before the greetings, whose processes
    // play the first game.  A person thinks for seconds: it changes nothing.
    // Several games at once: each worker of the scheduler takes its own.
    if (!statut && o.personnes.empty() && !plusieursALaFois(o))
        resterSurCeProcesseur();
    std::unique_ptr<Participant> p1 = creerParticipant(descriptions[0], registre);
    std::unique_ptr<Participant> p2 = creerParticipant(descriptions[1], registre);
    Participant &premier = *p1, &second = *p2;
    if (!statut)
        statut = accueillir(o, premier, second, joueurs);
    if (statut) {
        if (enregistrement != nullptr)
            std::fclose(enregistrement);
        return *statut;
    }
    if (o.personnes.empty() && (premier.description().personne || second.description().personne))
        relaisSansPreemption(false);

    if (!o.silencieux)
        std::printf("Jaune : %s, rouge : %s (les couleurs alternent), graine du match %u\n\n",
                    noms[0].c_str(), noms[1].c_str(), reglage.graine);
    std::string erreur = ecrireLEnTete(enTete, reglage, enregistrement);
    if (erreur.empty())
        erreur = jouerEtResumer(o, noms, reglage, premier, second, registre, enregistrement);
    erreur = fermerEnregistrement(enregistrement, o.enregistrer, erreur);
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return erreur.empty() ? SUCCES : ECHEC;
}

} // namespace moteur
