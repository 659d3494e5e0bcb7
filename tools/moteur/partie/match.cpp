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

SuiteDesParties::SuiteDesParties(uint32_t graine, int ouverture, RefLivre livre)
    : graines_(hasardDe(graine, Flux::Parties)), ouverture_(ouverture), livre_(std::move(livre)),
      depart_(getPositionInitiale())
{
    if (livre_ && !livre_->departs.empty())
        ordre_ = ordreDuLivre(graine, livre_->departs.size());
}

SuiteDesParties::Prevue SuiteDesParties::suivante()
{
    Prevue p;
    p.graine = static_cast<uint32_t>(graines_.suivant() >> 32);
    int paire = numero_++ / 2; // from 0
    if (numero_ % 2 == 1) {
        if (!ordre_.empty())
            depart_ = livre_->departs[ordre_[static_cast<size_t>(paire) % ordre_.size()]];
        else if (ouverture_ > 0)
            depart_ = ouverture(p.graine, ouverture_);
    }
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

bool Pointage::compter(const Partie &p)
{
    bool premierEnJaune = p.numero % 2 == 1;
    bilan_.partiesJouees++;
    moteur::compter(bilan_.premier, p, premierEnJaune ? JAUNE : ROUGE);
    moteur::compter(bilan_.second, p, premierEnJaune ? ROUGE : JAUNE);
    Decompte t;
    moteur::compter(t, p, premierEnJaune ? JAUNE : ROUGE);
    paires_.ajouter(p.numero, t.demiPoints());
    bilan_.paires = paires_.paires();
    if (!reglage_.sprt || p.numero % 2 != 0)
        return true;
    const ReglageSprt &s = *reglage_.sprt;
    bilan_.rapportSprt = rapportDeVraisemblance(bilan_.paires, s.elo0, s.elo1);
    BornesSprt b = bornesSprt(s.alpha, s.beta);
    if (bilan_.rapportSprt > b.basse && bilan_.rapportSprt < b.haute)
        return true;
    bilan_.acceptee = bilan_.rapportSprt >= b.haute ? BilanMatch::Hypothese::H1
                                                    : BilanMatch::Hypothese::H0;
    return false;
}

BilanMatch jouerMatch(const ReglageMatch &reglage, Participant &premier, Participant &second,
                      SuiviPartie &suivi, const std::function<Suite(const Partie &)> &partieFinie)
{
    Pointage pointage(reglage);
    BilanMatch &bilan = pointage.bilan();
    SuiteDesParties suite(reglage.graine, reglage.ouverture, reglage.livre);
    for (int n = 1; n <= reglage.parties; n++) {
        SuiteDesParties::Prevue prevue = suite.suivante();
        if (auto deja = reglage.dejaJouees.find(n); deja != reglage.dejaJouees.end()) {
            if (!pointage.compter(deja->second))
                break;
            continue;
        }
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
        bool decide = !pointage.compter(p);
        if (suiteDuMatch == Suite::Arreter || p.fin.issue == Issue::Abandon) {
            bilan.interrompu = n < reglage.parties && !decide;
            break;
        }
        if (decide)
            break;
    }
    premier.finir();
    second.finir();
    return bilan;
}

} // namespace moteur
