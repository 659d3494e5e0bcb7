#include "match.h"

#include "hasard.h"

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

void compter(Tally &t, const Partie &p, uint8_t couleur)
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
                      SuiviPartie &suivi, const std::function<bool(const Partie &)> &partieFinie)
{
    BilanMatch bilan;
    CompteDePaires paires;
    // Game n's seed is the n-th draw of the match seed's own stream.
    Hasard graines = hasardDe(reglage.graine, Flux::Parties);
    Position depart = getPositionInitiale();
    for (int n = 1; n <= reglage.parties; n++) {
        ReglagePartie r;
        r.numero = n;
        r.graine = static_cast<uint32_t>(graines.suivant() >> 32);
        r.strict = reglage.strict;
        if (reglage.ouverture > 0 && n % 2 == 1)
            depart = ouverture(r.graine, reglage.ouverture);
        r.depart = depart;

        bool premierEnJaune = n % 2 == 1;
        Participant &jaune = premierEnJaune ? premier : second;
        Participant &rouge = premierEnJaune ? second : premier;
        Partie p = jouerPartie(r, jaune, rouge, suivi);
        if (p.interrompue) { // the engine is being stopped: the game is dropped
            bilan.interrompu = true;
            break;
        }

        bilan.partiesJouees++;
        compter(bilan.premier, p, premierEnJaune ? JAUNE : ROUGE);
        compter(bilan.second, p, premierEnJaune ? ROUGE : JAUNE);
        Tally t;
        compter(t, p, premierEnJaune ? JAUNE : ROUGE);
        paires.ajouter(n, 2 * t.victoires + t.nulles);
        bilan.paires = paires.paires();
        bool continuer = partieFinie(p);
        if (!continuer || p.fin.issue == Issue::Abandon) {
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
