#include "partie/partie.h"

#include "partie/hasard.h"
#include "processus/signaux.h"

namespace moteur {
namespace {

// The move a player's answer designates, the engine's draw in place of a
// missing or bad one, or the fault that ends the game.
struct Decision {
    std::optional<Coup> coup;
    bool impose = false;
    std::optional<Issue> faute;
};

Decision decider(const ReponseTour &r, const ListeCoups &coups, bool personne, bool strict,
                 Hasard &hasard)
{
    if (r.faute)
        return {std::nullopt, false, r.faute};
    bool dansLaListe = r.indexRemis && r.index >= 0 && r.index < coups.nb;
    if (dansLaListe)
        return {coups.coups[r.index], false, std::nullopt};
    // A person whose input has ended can no longer answer: it left.  (A
    // program's input is /dev/null: it says nothing about the program.)
    if (personne && r.entreeFinie)
        return {std::nullopt, false, Issue::Abandon};
    if (strict)
        return {std::nullopt, false, r.indexRemis ? Issue::HorsListe : Issue::AucunIndex};
    return {coups.coups[hasard.tirer(coups.nb)], true, std::nullopt};
}

// A person who typed an index outside the list, or whose program handed
// none, is asked again; a program that answers so a hundred times in a row
// is no person typing, and is treated as a program.
constexpr int REFUS_MAX = 100;

bool aRedemander(const ReponseTour &r, const ListeCoups &coups, bool personne, int refus)
{
    bool dansLaListe = r.indexRemis && r.index >= 0 && r.index < coups.nb;
    return personne && !r.faute && !dansLaListe && !r.entreeFinie && refus < REFUS_MAX;
}

// A side's game clock: what is left of it, or nothing without one.
class Horloge {
public:
    explicit Horloge(const Cadence &c) : pendule_(c.pendule())
    {
        if (pendule_)
            restant_ = pendule_->base;
    }
    // Seconds left, negative without a clock.
    double restant() const { return pendule_ ? restant_ : -1; }
    // A turn of `duree` seconds: false when it emptied the clock.
    bool decompter(double duree)
    {
        if (!pendule_)
            return true;
        restant_ -= duree;
        if (restant_ < 0)
            return false;
        restant_ += pendule_->increment;
        return true;
    }

private:
    std::optional<Pendule> pendule_;
    double restant_ = 0;
};

// The clock a game is played with, as its record keeps it.
std::string penduleDe(const Participant &jaune, const Participant &rouge)
{
    std::string t = jaune.cadence().textePendule();
    return t.empty() ? rouge.cadence().textePendule() : t;
}

// One turn of `joueur`: its answer (a person is asked again after an index
// outside the list), the time it took counted on its clock.
ReponseTour demanderLeCoup(const Partie &p, const Position &position, const ListeCoups &coups,
                           Participant &joueur, Horloge &horloge, SuiviPartie &suivi)
{
    bool personne = joueur.description().personne;
    if (personne)
        suivi.tourDUnePersonne(p, position);
    ReponseTour reponse = joueur.jouer(position, horloge.restant());
    for (int refus = 0; aRedemander(reponse, coups, personne, refus); refus++) {
        suivi.indiceRefuse(p, coups, reponse);
        if (!horloge.decompter(reponse.duree)) {
            reponse.faute = Issue::Pendule;
            return reponse;
        }
        reponse = joueur.jouer(position, horloge.restant());
    }
    // Out of time on its clock, whatever it answered (the watcher may let a
    // last answer through a hair late); a wait cut short by the clock rather
    // than by the time per move is the clock's too.
    bool aTemps = !reponse.faute || *reponse.faute == Issue::Temps;
    if (aTemps && !horloge.decompter(reponse.duree))
        reponse.faute = Issue::Pendule;
    return reponse;
}

struct Camps {
    Participant &jaune, &rouge;
};

void conclure(Partie &p, Position finale, FinPartie fin, SuiviPartie &suivi, Camps camps)
{
    p.finale = finale;
    p.fin = fin;
    p.resultat = resultatDeLaPartie(fin, finale);
    suivi.finPartie(p);
    camps.jaune.annoncerResultat(p.resultat, p.fin);
    camps.rouge.annoncerResultat(p.resultat, p.fin);
}

} // namespace

Partie jouerPartie(const ReglagePartie &reglage, Participant &jaune, Participant &rouge,
                   SuiviPartie &suivi)
{
    Partie p;
    p.numero = reglage.numero;
    p.jaune = jaune.description().nom;
    p.rouge = rouge.description().nom;
    p.graine = reglage.graine;
    p.depart = reglage.depart;
    p.pendule = penduleDe(jaune, rouge);
    suivi.debutPartie(p);

    for (uint8_t couleur : {JAUNE, ROUGE}) {
        Participant &joueur = couleur == JAUNE ? jaune : rouge;
        std::optional<Issue> faute = joueur.commencerPartie(reglage.graine);
        p.interrompue = arretEnCours();
        if (p.interrompue)
            return p;
        if (faute) {
            FinPartie fin = {*faute, couleur, joueur.signalDuPlantage()};
            conclure(p, p.depart, fin, suivi, {jaune, rouge});
            return p;
        }
    }

    Hasard hasard = hasardDe(reglage.graine, Flux::CoupsImposes);
    Horloge horloges[2] = {Horloge(jaune.cadence()), Horloge(rouge.cadence())};
    Position position = p.depart;
    for (;;) {
        ListeCoups coups = getCoupsLegaux(position);
        if (coups.nb == 0) {
            conclure(p, position, {Issue::PlusDeCoup, VIDE}, suivi, {jaune, rouge});
            return p;
        }
        uint8_t couleur = position.trait == ROUGE ? ROUGE : JAUNE;
        Participant &joueur = couleur == JAUNE ? jaune : rouge;
        bool personne = joueur.description().personne;
        ReponseTour reponse =
            demanderLeCoup(p, position, coups, joueur, horloges[couleur == JAUNE ? 0 : 1], suivi);
        p.interrompue = arretEnCours();
        if (p.interrompue)
            return p;
        Decision d = decider(reponse, coups, personne, reglage.strict, hasard);
        if (d.faute) {
            int signal = *d.faute == Issue::Plantage ? joueur.signalDuPlantage() : 0;
            conclure(p, position, {*d.faute, couleur, signal}, suivi, {jaune, rouge});
            return p;
        }
        p.coups.push_back({*d.coup, couleur, d.impose, reponse.reflexion});
        position = jouerCoup(position, d.coup->origine, d.coup->destination);
        suivi.apresCoup(p, position);
    }
}

} // namespace moteur
