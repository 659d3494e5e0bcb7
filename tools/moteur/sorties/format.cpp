#include "sorties/format.h"

#include "texte.h"

#include <algorithm>
#include <cmath>

namespace moteur {

std::string decimal(double x, int chiffres)
{
    std::string t = hote::texte("%.*f", chiffres, x);
    if (t[0] == '-' && t.find_first_of("123456789") == std::string::npos)
        t.erase(0, 1);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string nombre(double x)
{
    std::string t = hote::texte("%g", x);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string points(int demiPoints)
{
    return demiPoints % 2 == 0 ? std::to_string(demiPoints / 2)
                               : hote::texte("%d,5", demiPoints / 2);
}

std::string texteElo(double elo)
{
    std::string t = decimal(elo, 1);
    return t[0] == '-' || t == "0,0" ? t : "+" + t;
}

std::string duree(double secondes)
{
    long s = std::lround(std::max(0.0, secondes));
    if (s < 60)
        return hote::texte("%ld s", s);
    if (s < 3600)
        return hote::texte("%ld min %02ld s", s / 60, s % 60);
    return hote::texte("%ld h %02ld min", s / 3600, (s % 3600) / 60);
}

size_t largeur(std::string_view t)
{
    return static_cast<size_t>(
        std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string aligner(const std::string &t, size_t l, bool aDroite)
{
    std::string blancs(l > largeur(t) ? l - largeur(t) : 0, ' ');
    return aDroite ? blancs + t : t + blancs;
}

std::string_view debutDeLargeur(std::string_view t, size_t l)
{
    size_t caracteres = 0, fin = 0;
    for (; fin < t.size(); fin++)
        if ((t[fin] & 0xC0) != 0x80 && ++caracteres > l)
            break;
    return t.substr(0, fin);
}

std::string chaineJson(std::string_view t)
{
    std::string s = "\"";
    for (char c : t) {
        auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            s += std::string("\\") + c;
        else if (u < 0x20 || c == '<' || c == '>' || c == '&')
            s += hote::texte("\\u%04x", u);
        else
            s += c;
    }
    return s + "\"";
}

std::string nombreJson(double x) { return std::isfinite(x) ? hote::texte("%.6g", x) : "null"; }

bool LecteurUtf8::lire(std::string_view morceau)
{
    bool valide = true;
    for (char signe : morceau) {
        auto c = static_cast<unsigned char>(signe);
        if (reste_ > 0) {
            if (c >= bas_ && c <= haut_) {
                reste_--;
                bas_ = 0x80;
                haut_ = 0xBF;
                continue;
            }
            valide = false; // a sequence cut short: the byte starts anew
            reste_ = 0;
            bas_ = 0x80;
            haut_ = 0xBF;
        }
        if (c < 0x80)
            continue;
        if (c >= 0xC2 && c <= 0xDF) {
            reste_ = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            reste_ = 2;
            bas_ = c == 0xE0 ? 0xA0 : 0x80; // no overlong form
            haut_ = c == 0xED ? 0x9F : 0xBF; // no surrogate
        } else if (c >= 0xF0 && c <= 0xF4) {
            reste_ = 3;
            bas_ = c == 0xF0 ? 0x90 : 0x80;
            haut_ = c == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
        } else {
            valide = false;
        }
    }
    return valide;
}

bool texteSain(std::string_view t)
{
    LecteurUtf8 u;
    return t.find('\0') == std::string_view::npos && u.lire(t) && u.complet();
}

} // namespace moteur
