// The two sides of a game in the browser as the game loop sees them: the
// person, whose moves come from the page, and the program, timed for it.
#pragma once

#include "navigateur/session.h"
#include "partie/participant.h"

namespace moteur {

// A person at the page: a move when the page hands one, no time limit, and
// gone (their input ended, as at a terminal) when the session closes.
class PersonneAuNavigateur final : public Participant {
public:
    explicit PersonneAuNavigateur(Session &session);
    Salut saluer() override;
    std::optional<Issue> commencerPartie(uint32_t) override { return std::nullopt; }
    ReponseTour jouer(const Position &position, double restant) override;
    void finir() override {}

private:
    Session &session_;
};

// The program, its answers passed on as they are and each one's time told
// to the session, so that the page shows how long it thought.
class ProgrammeMesure final : public Participant {
public:
    ProgrammeMesure(Participant &programme, Session &session);
    Salut saluer() override { return programme_.saluer(); }
    std::optional<Issue> commencerPartie(uint32_t graine) override;
    ReponseTour jouer(const Position &position, double restant) override;
    void finir() override { programme_.finir(); }

private:
    Participant &programme_;
    Session &session_;
};

} // namespace moteur
