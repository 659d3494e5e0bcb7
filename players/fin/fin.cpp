// joueur_fin: every move that meets one of its rules is handed as soon as it
// is met, so the last such move of the list is played.
//
// How the player decides, with no ranking between the rules: an own column
// making a five (1 on 4, 4 on 1, 2 on 3, 3 on 2, whatever the colour
// below); for yellow, once cells 28 and 19 both hold more than one piece,
// a few fixed moves around the middle of the board; for red, a few fixed
// moves each played when its destination holds a single piece; a single own
// piece onto a column not its own that is not a three.  It prints nothing,
// and hands nothing when no rule holds.
#include "joueur.h"
#include "nb_coups.h"
#include "regles.h"

namespace {

const Coup COUPS_JAUNES[] = {{29, 22}, {20, 12}, {21, 22}, {27, 35}, {18, 25}, {26, 25}, {26, 35}};

// A red fixed move, played when its destination holds a single piece.
const Coup COUPS_ROUGES[] = {{21, 13}, {30, 23}, {37, 32}, {42, 39}, {46, 44}};

bool coupJaunePrevu(const Position &p, Coup coup)
{
    if (p.trait != JAUNE || p.cols[28].nb <= 1 || p.cols[19].nb <= 1)
        return false;
    for (Coup prevu : COUPS_JAUNES)
        if (memeCoup(coup, prevu))
            return true;
    return false;
}

bool coupRougePrevu(const Position &p, Coup coup)
{
    if (p.trait != ROUGE)
        return false;
    for (Coup prevu : COUPS_ROUGES)
        if (memeCoup(coup, prevu) && p.cols[prevu.destination].nb == 1)
            return true;
    return false;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    for (int i = 0; i < n; i++) {
        const Coup coup = coups.coups[i];
        for (int regle = 0; regle < NB_REGLES_CINQ; regle++)
            if (regleCinq(regle, position, coup))
                ecrireIndexCoup(i);
        if (coupJaunePrevu(position, coup))
            ecrireIndexCoup(i);
        if (coupRougePrevu(position, coup))
            ecrireIndexCoup(i);
        if (petitePile(position, coup))
            ecrireIndexCoup(i);
    }
}
