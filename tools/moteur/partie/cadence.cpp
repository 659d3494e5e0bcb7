#include "partie/cadence.h"

#include "texte.h"

#include <algorithm>
#include <cstdlib>

namespace moteur {
namespace {

// Seconds written with digits and at most one decimal point or comma, up to
// a day: no sign, exponent or "inf".
std::optional<double> lireSecondes(std::string s)
{
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
    if (v > Cadence::MAX)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Cadence> Cadence::lire(const std::string &texte)
{
    std::optional<double> v = lireSecondes(texte);
    if (!v || !(*v > 0))
        return std::nullopt;
    return Cadence(*v);
}

std::optional<Pendule> Cadence::lirePendule(const std::string &texte)
{
    size_t plus = texte.find('+');
    std::optional<double> base = lireSecondes(texte.substr(0, plus));
    std::optional<double> increment =
        plus == std::string::npos ? 0.0 : lireSecondes(texte.substr(plus + 1));
    if (!base || !(*base > 0) || !increment)
        return std::nullopt;
    return Pendule{*base, *increment};
}

Cadence Cadence::avec(Pendule p) const
{
    Cadence c = *this;
    c.pendule_ = p;
    return c;
}

double Cadence::delai(double restant) const
{
    if (!pendule_)
        return secondes_;
    double horloge = std::max(restant, 0.0);
    return limitee() ? std::min(secondes_, horloge) : horloge;
}

std::string Cadence::texte() const
{
    return limitee() ? hote::texte("%g", secondes_) : std::string(SANS_LIMITE);
}

std::string Cadence::textePendule() const
{
    return pendule_ ? hote::texte("%g+%g", pendule_->base, pendule_->increment) : "";
}

std::optional<Cadence> Cadence::relire(const std::string &temps, const std::string &pendule)
{
    // As the old records were read: any number above 0 that strtod takes whole
    // (%g may write "1e-05").
    char *fin = nullptr;
    double secondes = std::strtod(temps.c_str(), &fin);
    std::optional<Cadence> c;
    if (temps == SANS_LIMITE)
        c = sansLimite();
    else if (!temps.empty() && fin == temps.c_str() + temps.size() && secondes > 0)
        c = Cadence(secondes);
    if (!c || pendule.empty())
        return c;
    std::optional<Pendule> p = lirePendule(pendule);
    return p ? std::optional<Cadence>(c->avec(*p)) : std::nullopt;
}

} // namespace moteur
