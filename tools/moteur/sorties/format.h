// How the engine writes numbers and text for people and for programs, and
// reads the whole numbers of command lines and records: one way each.
#pragma once

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace moteur {

// A decimal number the French way: "6,5"; never "-0,0".
std::string decimal(double x, int chiffres);
// 0.05 -> "0,05", 50 -> "50": as short as the value allows.
std::string nombre(double x);
// Half-points as points: 13 -> "6,5".
std::string points(int demiPoints);
// "-0,5" / "+190,8": an Elo value with one decimal and its sign.
std::string texteElo(double elo);
// "45 s", "3 min 07 s", "2 h 05 min".
std::string duree(double secondes);

// Characters on screen: UTF-8 continuation bytes take no room.
size_t largeur(std::string_view t);
// `t` padded with blanks to `l` characters, on its right or its left.
std::string aligner(const std::string &t, size_t l, bool aDroite = false);
// The start of `t` that fits in `l` characters.
std::string_view debutDeLargeur(std::string_view t, size_t l);

// A JSON string that is also safe inside an HTML <script> element: no `<`,
// `>` or `&`, and no raw control character.
std::string chaineJson(std::string_view t);
// A JSON number; null for a value that has none.
std::string nombreJson(double x);

// UTF-8 read in pieces, a sequence possibly cut between two of them.
class LecteurUtf8 {
public:
    // False when the piece holds a byte that no valid text could hold there.
    bool lire(std::string_view morceau);
    // No sequence left unfinished.
    bool complet() const { return reste_ == 0; }
    void reprendre() { reste_ = 0; }

private:
    int reste_ = 0; // continuation bytes still expected
    unsigned char bas_ = 0x80, haut_ = 0xBF; // the range of the next one
};

// Valid UTF-8 with no NUL byte: text a record can hold.
bool texteSain(std::string_view t);

// A whole number, all of `t`, within [min, max]: digits only, no sign.
template <typename Entier>
std::optional<Entier> lireEntier(std::string_view t, Entier min, Entier max)
{
    Entier n{};
    if (t.empty() || t[0] < '0' || t[0] > '9')
        return std::nullopt;
    auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (erreur != std::errc() || fin != t.data() + t.size() || n < min || n > max)
        return std::nullopt;
    return n;
}

} // namespace moteur
