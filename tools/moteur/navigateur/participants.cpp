#include "navigateur/participants.h"

#include "processus/systeme.h"

namespace moteur {

namespace {

// The person at the browser: no program, no trace, no time limit.
DescriptionJoueur personne()
{
    DescriptionJoueur d;
    d.nom = NOM_PERSONNE;
    d.personne = true;
    return d;
}

} // namespace

PersonneAuNavigateur::PersonneAuNavigateur(Session &session)
    : Participant(personne()), session_(session)
{
}

Salut PersonneAuNavigateur::saluer()
{
    Salut s;
    s.personne = true;
    return s;
}

ReponseTour PersonneAuNavigateur::jouer(const Position &position, double)
{
    double debut = maintenant();
    std::optional<Coup> coup = session_.attendreLeCoup(position);
    ReponseTour r;
    r.duree = maintenant() - debut;
    if (!coup) {
        r.entreeFinie = true;
        return r;
    }
    ListeCoups legaux = getCoupsLegaux(position);
    for (int k = 0; k < legaux.nb; k++)
        if (legaux.coups[k].origine == coup->origine && legaux.coups[k].destination == coup->destination) {
            r.indexRemis = true;
            r.nbIndices = 1;
            r.index = k;
        }
    return r;
}

ProgrammeMesure::ProgrammeMesure(Participant &programme, Session &session)
    : Participant(programme.description()), programme_(programme), session_(session)
{
}

std::optional<Issue> ProgrammeMesure::commencerPartie(uint32_t graine)
{
    std::optional<Issue> faute = programme_.commencerPartie(graine);
    signalDuPlantage_ = programme_.signalDuPlantage();
    return faute;
}

ReponseTour ProgrammeMesure::jouer(const Position &position, double restant)
{
    ReponseTour r = programme_.jouer(position, restant);
    signalDuPlantage_ = programme_.signalDuPlantage();
    session_.noterDuree(r.duree);
    return r;
}

} // namespace moteur
