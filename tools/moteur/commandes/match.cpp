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

#include "texte.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

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
        d.temps = o.temps;
        d.tempsPersonne = o.tempsPersonne;
        if (!o.traces.empty() && !d.personne)
            d.fichierTrace = fichierDeTrace(o.traces, i, d.nom);
        descriptions.push_back(d);
    }
    for (const std::string &p : o.personnes)
        if (!designe(p, joueurs[0]) && !designe(p, joueurs[1]))
            return "--personne : « " + p + " » n'est pas l'un des joueurs";
    return "";
}

// Each player greets the engine (and says whether a person plays through
// it); an error text, naming the program as given, for one that is no player.
std::string saluerLesJoueurs(Participant &premier, Participant &second,
                             const std::vector<JoueurNomme> &joueurs)
{
    Participant *participants[] = {&premier, &second};
    for (size_t i = 0; i < 2; i++) {
        Salut salut = participants[i]->saluer();
        if (!salut.joueur())
            return "« " + joueurs[i].programme + " » n'est pas un joueur : " + salut.refus();
    }
    return "";
}

ReglageMatch reglageDuMatch(const Options &o)
{
    ReglageMatch r;
    r.parties = o.parties;
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.ouverture = o.ouverture;
    r.strict = o.strict;
    r.sprt = o.sprt;
    return r;
}

// The match's tags open its record: why they could not, or nothing.
std::string ecrireLEnTete(const Options &o, const std::vector<std::string> &noms,
                          const ReglageMatch &reglage, std::FILE *enregistrement)
{
    std::string erreur;
    if (enregistrement != nullptr) {
        EnTeteMatch m = {noms[0], noms[1], reglage.graine, o.parties, o.ouverture,
                         o.temps.value_or(Cadence()), o.strict, dateUTC()};
        ajouter(enregistrement, ecrireEnTeteMatch(m), erreur);
    }
    return erreur;
}

// The games, each recorded as it ends; the summary once they are over, of
// the games the record holds.  Why a record failed, or nothing.
std::string jouerEtResumer(const Options &o, const std::vector<std::string> &noms,
                           const ReglageMatch &reglage, Participant &premier, Participant &second,
                           std::FILE *enregistrement)
{
    Affichage affichage(stdout, o.silencieux, couleursDuTerminal());
    std::string erreur;
    gererLArret(true); // Ctrl-C: the summary of the games played, then the end
    BilanMatch bilan = jouerMatch(reglage, premier, second, affichage, [&](const Partie &p) {
        if (enregistrement != nullptr && !ajouter(enregistrement, ecrireEnregistrement(p), erreur))
            return Suite::Ecarter;
        // Nobody reads us any more (`moteur ... | head`): no use going on.
        return std::ferror(stdout) == 0 ? Suite::Continuer : Suite::Arreter;
    });
    if (arretEnCours())
        std::printf("\n"); // a person's prompt may wait on its line
    std::printf("%s", texteBilan(bilan, noms[0], noms[1], reglage.graine).c_str());
    std::printf("%s", texteStatistiquesMatch(bilan, noms[0], noms[1], reglage).c_str());
    return erreur;
}

} // namespace

int commandeMatch(const Options &o, Registre &registre)
{
    if (o.noms.size() == 1 || o.noms.size() > 2)
        return refuser(o.commande,
                       hote::texte("deux joueurs attendus (JAUNE ROUGE), ou aucun pour la "
                                   "démonstration ; %zu donné%s",
                                   o.noms.size(), o.noms.size() > 1 ? "s" : ""));
    std::vector<JoueurNomme> joueurs =
        nommerLesJoueurs(o.noms.empty() ? std::vector<std::string>{DEMONSTRATION_JAUNE,
                                                                   DEMONSTRATION_ROUGE}
                                        : o.noms);
    std::vector<DescriptionJoueur> descriptions;
    if (std::string refus = decrireLesJoueurs(o, joueurs, descriptions); !refus.empty())
        return refuser(o.commande, refus);
    const std::vector<std::string> noms = {joueurs[0].nom, joueurs[1].nom};
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuser(o.commande, avis.refus);
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());
    if (!creerLeDossierDesTraces(o.traces))
        return ECHEC;
    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty() && (enregistrement = ouvrirEnregistrement(o.enregistrer)) == nullptr)
        return ECHEC;

    // Between programs, the engine and its players stay on one processor
    // (the players inherit it): set before the greetings, whose processes
    // play the first game.  A person thinks for seconds: it changes nothing.
    if (o.personnes.empty())
        resterSurCeProcesseur();
    std::unique_ptr<Participant> p1 = creerParticipant(descriptions[0], registre);
    std::unique_ptr<Participant> p2 = creerParticipant(descriptions[1], registre);
    Participant &premier = *p1, &second = *p2;
    if (std::string refus = saluerLesJoueurs(premier, second, joueurs); !refus.empty()) {
        if (enregistrement != nullptr)
            std::fclose(enregistrement);
        return refuser(o.commande, refus);
    }
    if (o.personnes.empty() && (premier.description().personne || second.description().personne))
        relaisSansPreemption(false);

    ReglageMatch reglage = reglageDuMatch(o);
    if (!o.silencieux)
        std::printf("Jaune : %s, rouge : %s (les couleurs alternent), graine du match %u\n\n",
                    noms[0].c_str(), noms[1].c_str(), reglage.graine);
    std::string erreur = ecrireLEnTete(o, noms, reglage, enregistrement);
    if (erreur.empty())
        erreur = jouerEtResumer(o, noms, reglage, premier, second, enregistrement);
    erreur = fermerEnregistrement(enregistrement, o.enregistrer, erreur);
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return erreur.empty() ? SUCCES : ECHEC;
}

} // namespace moteur
