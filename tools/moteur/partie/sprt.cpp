// What --sprt takes, read from the words of the command line.
#include "partie/statistiques.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace moteur {

// "elo0=0 elo1=5 alpha=0.05 beta=0.05" (alpha and beta 0.05 when left out).
std::optional<ReglageSprt> lireSprt(const std::string &v)
{
    ReglageSprt r{0, 0, 0.05, 0.05};
    bool elo0 = false, elo1 = false;
    size_t debut = 0;
    while (debut < v.size()) {
        size_t fin = std::min(v.find_first_of(" ,", debut), v.size());
        std::string mot = v.substr(debut, fin - debut);
        debut = fin + 1;
        if (mot.empty())
            continue;
        size_t egal = mot.find('=');
        std::string cle = mot.substr(0, egal), valeur = egal == std::string::npos ? "" : mot.substr(egal + 1);
        char *reste = nullptr;
        double x = std::strtod(valeur.c_str(), &reste);
        if (valeur.empty() || *reste != '\0' || !std::isfinite(x))
            return std::nullopt;
        if (cle == "elo0")
            r.elo0 = x, elo0 = true;
        else if (cle == "elo1")
            r.elo1 = x, elo1 = true;
        else if (cle == "alpha")
            r.alpha = x;
        else if (cle == "beta")
            r.beta = x;
        else
            return std::nullopt;
    }
    if (!elo0 || !elo1 || !(r.elo0 < r.elo1) || !(r.alpha > 0 && r.alpha < 1) ||
        !(r.beta > 0 && r.beta < 1) || std::fabs(r.elo0) > 2000 || std::fabs(r.elo1) > 2000)
        return std::nullopt;
    return r;
}

bool motDuSprt(const std::string &a)
{
    for (const char *cle : {"elo0=", "elo1=", "alpha=", "beta="})
        if (a.rfind(cle, 0) == 0)
            return true;
    return false;
}

} // namespace moteur
