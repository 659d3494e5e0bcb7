#include "partie/ouverture_longue.h"

#include "partie/match.h"
#include "texte.h"

namespace moteur {
namespace {

constexpr int ECHANTILLON = 1000;
constexpr int SEUIL_REFUS = 50;        // per cent: most games
constexpr int SEUIL_AVERTISSEMENT = 5; // per cent

} // namespace

int partiesFiniesDansLOuverture(int coups)
{
    int finies = 0;
    for (uint32_t graine = 1; graine <= ECHANTILLON; graine++)
        finies += getCoupsLegaux(ouverture(graine, coups)).nb == 0;
    return (100 * finies + ECHANTILLON / 2) / ECHANTILLON;
}

AvisOuverture jugerOuverture(int coups)
{
    AvisOuverture a;
    if (coups <= 0)
        return a;
    int pourCent = partiesFiniesDansLOuverture(coups);
    std::string constat = hote::texte("--ouverture %d : %d %% des parties finiraient pendant "
                                      "l'ouverture, avant le premier coup des joueurs",
                                      coups, pourCent);
    if (pourCent > SEUIL_REFUS)
        a.refus = constat;
    else if (pourCent >= SEUIL_AVERTISSEMENT)
        a.avertissement = constat;
    return a;
}

} // namespace moteur
