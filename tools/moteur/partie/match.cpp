#include "partie/match.h"


namespace moteur {

Position ouverture(uint32_t graine, int coups)
{
    Hasard h = hasardDe(graine, Flux::Ouverture);
    Position p = getPositionInitiale();
    for (int i = 0; i < coups; i++) {
        ListeCoups liste = getCoupsLegaux(p);
        if (liste.nb == 0)
            break;
        Coup c = liste.coups[h.tirer(liste.nb)];
        p = jouerCoup(p, c.origine, c.destination);
    }
    return p;
}

SuiteDesParties::SuiteDesParties(uint32_t graine, int ouverture)
    : graines_(hasardDe(graine, Flux::Parties)), ouverture_(ouverture),
      depart_(getPositionInitiale())
{
}

SuiteDesParties::Prevue SuiteDesParties::suivante()
{
    Prevue p;
    p.graine = static_cast<uint32_t>(graines_.suivant() >> 32);
    if (ouverture_ > 0 && ++numero_ % 2 == 1)
        depart_ = ouverture(p.graine, ouverture_);
    p.depart = depart_;
    return p;
}

void compter(Decompte &t, const Partie &p, uint8_t couleur)
{
    for (const CoupJoue &c : p.coups)
        t.coupsImposes += c.couleur == couleur && c.impose;
    if (p.fin.fautif == couleur)
        t.fautes++;
    if (p.resultat == Resultat::Nulle)
        t.nulles++;
    else if ((p.resultat == Resultat::Jaune) == (couleur == JAUNE))
        t.victoires++;
    else
        t.defaites++;
}

BilanMatch jouerMatch(const ReglageMatch &reglage, Participant &premier, Participant &second,
                      SuiviPartie &suivi, const std::function<Suite(const Partie &)> &partieFinie)
{
    BilanMatch bilan;
    CompteDePaires paires;
    SuiteDesParties suite(reglage.graine, reglage.ouverture);
    for (int n = 1; n <= reglage.parties; n++) {
        SuiteDesParties::Prevue prevue = suite.suivante();
        ReglagePartie r;
        r.numero = n;
        r.graine = prevue.graine;
        r.strict = reglage.strict;
        r.depart = prevue.depart;

        bool premierEnJaune = n % 2 == 1;
        Participant &jaune = premierEnJaune ? premier : second;
        Participant &rouge = premierEnJaune ? second : premier;
        Partie p = jouerPartie(r, jaune, rouge, suivi);
        if (p.interrompue) { // the engine is being stopped: the game is dropped
            bilan.interrompu = true;
            break;
        }

        Suite suiteDuMatch = partieFinie(p);
        if (suiteDuMatch == Suite::Ecarter) { // not kept: not counted either
            bilan.interrompu = true;
            break;
        }
        bilan.partiesJouees++;
        compter(bilan.premier, p, premierEnJaune ? JAUNE : ROUGE);
        compter(bilan.second, p, premierEnJaune ? ROUGE : JAUNE);
        Decompte t;
        compter(t, p, premierEnJaune ? JAUNE : ROUGE);
        paires.ajouter(n, t.demiPoints());
        bilan.paires = paires.paires();
        if (suiteDuMatch == Suite::Arreter || p.fin.issue == Issue::Abandon) {
            bilan.interrompu = n < reglage.parties;
            break;
        }
        if (reglage.sprt && n % 2 == 0) {
            const ReglageSprt &s = *reglage.sprt;
            bilan.rapportSprt = rapportDeVraisemblance(bilan.paires, s.elo0, s.elo1);
            BornesSprt b = bornesSprt(s.alpha, s.beta);
            if (bilan.rapportSprt <= b.basse || bilan.rapportSprt >= b.haute) {
                bilan.acceptee = bilan.rapportSprt >= b.haute ? BilanMatch::Hypothese::H1
                                                              : BilanMatch::Hypothese::H0;
                break;
            }
        }
    }
    premier.finir();
    second.finir();
    return bilan;
}

} // namespace moteur
