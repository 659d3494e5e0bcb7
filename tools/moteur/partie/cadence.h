// The time a player has for a move, from the command line to the watcher,
// the records and the checker: its default, its bounds and how it is
// written are said here only.
#pragma once

#include <optional>
#include <string>

namespace moteur {

class Cadence {
public:
    static constexpr double PAR_DEFAUT = 10.0; // a program's, when none is given
    static constexpr double MAX = 86400.0;     // a day

    Cadence(double secondes = PAR_DEFAUT) : secondes_(secondes) {} // NOLINT: seconds are a cadence
    // A person's when nobody gave one: they think as long as they like.
    static Cadence sansLimite() { return Cadence(-1); }
    // What --temps takes: seconds above 0 and up to a day, digits with one
    // decimal point or comma (no sign, exponent or "inf").
    static std::optional<Cadence> lire(const std::string &texte);

    bool limitee() const { return secondes_ >= 0; }
    // What the process layer waits for an answer: negative, no limit.
    double secondes() const { return secondes_; }
    // As records write it ("10", "0.5"): a resumed tournament reads it back,
    // so two cadences are the same when they are written the same.
    std::string texte() const;
    bool operator==(const Cadence &autre) const { return texte() == autre.texte(); }

private:
    double secondes_;
};

} // namespace moteur
