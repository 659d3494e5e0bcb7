#include "partie/cadence.h"

#include "texte.h"

#include <cstdlib>

namespace moteur {

std::optional<Cadence> Cadence::lire(const std::string &texte)
{
    std::string s = texte;
    int separateurs = 0;
    for (char &c : s) {
        if (c == ',')
            c = '.';
        if (c == '.')
            separateurs++;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    if (s.empty() || s == "." || separateurs > 1)
        return std::nullopt;
    double v = std::strtod(s.c_str(), nullptr);
    if (!(v > 0) || v > MAX)
        return std::nullopt;
    return Cadence(v);
}

std::string Cadence::texte() const { return hote::texte("%g", secondes_); }

} // namespace moteur
