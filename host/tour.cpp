// The host's side of the player boundary: ecrireIndexCoup, pidMoteur, and
// one call of choisirCoup.
#include "tour.h"

#include "joueur.h"

int32_t pidMoteur = 0;

namespace {
// Players call choisirCoup one turn at a time, never concurrently.
std::vector<int> *indicesDuTour = nullptr;
double secondesRestantes = -1;
double secondesParCoup = 0;
} // namespace

double tempsRestant(void) { return secondesRestantes; }
double incrementParCoup(void) { return secondesParCoup; }

int ecrireIndexCoup(int index)
{
    if (indicesDuTour != nullptr)
        indicesDuTour->push_back(index);
    return 0;
}

namespace hote {

void reglerPendule(int32_t restantMs, int32_t incrementMs)
{
    secondesRestantes = restantMs < 0 ? -1 : restantMs / 1000.0;
    secondesParCoup = restantMs < 0 || incrementMs < 0 ? 0 : incrementMs / 1000.0;
}

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
