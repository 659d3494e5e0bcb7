/* joueur_rapport: one turn.
 *
 * The player scores a point when it can, choosing among its point moves by
 * looking one move ahead; otherwise it spoils the opponent's point moves;
 * otherwise it plays the legal move whose lookahead and colours rate best.
 * It prints nothing. */
#include "joueur.h"
#include "rapport.h"

void choisirCoup(Position position, ListeCoups coups)
{
    CoupEvalue tabAdvr[CAPACITE_TABLE];
    CoupEvalue tabOrdi[CAPACITE_TABLE];
    const int nbAdvr = marquerPoint(tabAdvr, 0, position, coups);
    const int nbOrdi = marquerPoint(tabOrdi, 1, position, coups);
    int choix = -1;

    if (nbOrdi == 1) {
        prevoirCoupAvance(tabOrdi, 1, nbOrdi, nbAdvr, position);
        calculerTestSupp1(tabOrdi, 1, nbOrdi, nbAdvr, position, coups);
        if (estAcceptable(&tabOrdi[0]))
            choix = tabOrdi[0].numero;
    } else if (nbOrdi > 1) {
        const CoupEvalue r = trouverCoup(tabOrdi, nbOrdi, nbAdvr, position, coups);
        if (estAcceptable(&r))
            choix = r.numero;
    } else if (nbAdvr != 0) {
        const CoupEvalue r = bloquerAdvr(tabAdvr, nbOrdi, nbAdvr, position, coups);
        if (estAcceptable(&r) && r.motif != 0)
            choix = r.numero;
    }

    // A refused candidate, or no point move on either side: every move is rated.
    if (choix == -1) {
        CoupEvalue tabCoups[CAPACITE_TABLE];
        choix = coupAvantageux(tabCoups, nbOrdi, nbAdvr, position, coups);
    }
    ecrireIndexCoup(choix);
}
