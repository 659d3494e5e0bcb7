// The host's side of the player boundary: ecrireIndexCoup, pidMoteur, and
// one call of choisirCoup.
#include "tour.h"

#include "joueur.h"

int32_t pidMoteur = 0;

namespace {
// Players call choisirCoup one turn at a time, never concurrently.
std::vector<int> *indicesDuTour = nullptr;
} // namespace

int ecrireIndexCoup(int index)
{
    if (indicesDuTour != nullptr)
        indicesDuTour->push_back(index);
    return 0;
}

namespace hote {

std::vector<int> jouerTour(const Position &position, const ListeCoups &coups)
{
    std::vector<int> indices;
    indicesDuTour = &indices;
    choisirCoup(position, coups);
    indicesDuTour = nullptr;
    return indices;
}

std::vector<int> jouerTour(const Position &position)
{
    return jouerTour(position, getCoupsLegaux(position));
}

} // namespace hote
