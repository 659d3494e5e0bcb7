// The time a player has, from the command line to the watcher, the records
// and the checker: a time per move, a game clock (a base time, plus an
// increment after each move), or both.  Their default, their bounds and how
// they are written are said here only.
#pragma once

#include <optional>
#include <string>

namespace moteur {

// A game clock: `base` seconds for the whole game, `increment` more after
// each move played.
struct Pendule {
    double base = 0, increment = 0;
};

class Cadence {
public:
    static constexpr double PAR_DEFAUT = 10.0; // a program's, when none is given
    static constexpr double MAX = 86400.0;     // a day
    // How a record writes "no time per move" (a person, or a clock alone).
    static constexpr const char *SANS_LIMITE = "sans limite";

    Cadence(double secondes = PAR_DEFAUT) : secondes_(secondes) {} // NOLINT: seconds are a cadence
    // A person's when nobody gave one: they think as long as they like.
    static Cadence sansLimite() { return Cadence(-1); }
    // What --temps takes: seconds above 0 and up to a day, digits with one
    // decimal point or comma (no sign, exponent or "inf").
    static std::optional<Cadence> lire(const std::string &texte);
    // What --cadence takes, "BASE+INCREMENT" or "BASE" in seconds ("10+0.1",
    // "60"): a base above 0 and an increment from 0, each up to a day.
    static std::optional<Pendule> lirePendule(const std::string &texte);
    // The same cadence with a game clock.
    Cadence avec(Pendule p) const;

    bool limitee() const { return secondes_ >= 0; }
    // The time per move, negative when there is none.
    double secondes() const { return secondes_; }
    const std::optional<Pendule> &pendule() const { return pendule_; }
    // What the process layer waits for an answer, with `restant` seconds
    // left on the player's clock: the time per move, or what is left on the
    // clock when that is shorter; negative, no limit.
    double delai(double restant) const;

    // As records write them: the time per move ("10", "0.5", "sans
    // limite"), the clock ("10+0.1"; empty without one).  A resumed run
    // reads them back, so two cadences are the same when they are written
    // the same.
    std::string texte() const;
    std::string textePendule() const;
    // A record's `Temps` and `Pendule` tags read back ("" for no clock).
    static std::optional<Cadence> relire(const std::string &temps, const std::string &pendule);
    bool operator==(const Cadence &autre) const
    {
        return texte() == autre.texte() && textePendule() == autre.textePendule();
    }

private:
    double secondes_;
    std::optional<Pendule> pendule_;
};

} // namespace moteur
