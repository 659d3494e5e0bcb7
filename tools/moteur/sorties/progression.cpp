#include "sorties/progression.h"

namespace moteur {

// The leader so far: the best score among players with games.
std::string texteMeneur(const ReglageTournoi &r, const std::vector<int> &demiPoints,
                        const std::vector<int> &parties)
{
    int meilleur = -1;
    for (size_t i = 0; i < parties.size(); i++) {
        if (parties[i] == 0)
            continue;
        // a/b > c/d, in integers.
        if (meilleur < 0 || static_cast<long>(demiPoints[i]) * parties[static_cast<size_t>(meilleur)] >
                                static_cast<long>(demiPoints[static_cast<size_t>(meilleur)]) * parties[i])
            meilleur = static_cast<int>(i);
    }
    if (meilleur < 0)
        return "";
    size_t m = static_cast<size_t>(meilleur);
    return hote::texte("%s (%s %%)", r.joueurs[m].c_str(),
                       decimal(50.0 * demiPoints[m] / parties[m], 1).c_str());
}

} // namespace moteur
