// A person's games in the browser against one program: one game at a time,
// played by the engine's own game loop in a thread of its own, while the
// page's requests (serveur.h) read the game and hand the person's moves.
#pragma once

#include "partie/match.h"
#include "partie/partie.h"

#include "tessor.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

// The person's name in the games and their records.
constexpr const char *NOM_PERSONNE = "personne";

struct ReglageNavigateur {
    uint32_t graine = 0;         // game k is the one game of a match with seed graine + k - 1
    bool strict = false;
    Cadence temps;               // the program's, as its records write it
    RefLivre livre;              // the book each game's start comes from (none: the usual start)
    std::string enregistrement;  // the record's name, as the user gave it (empty: none)
};

// A page's request answered: an HTTP status and, for a refusal, why.
struct Reponse {
    int statut = 200;
    std::string texte;
};

class Session final : public SuiviPartie {
public:
    // `enregistrement`: where each finished game is appended (may be null).
    Session(const ReglageNavigateur &reglage, Participant &programme, std::FILE *enregistrement);

    // The game thread: plays each game the page asks for, until closed.
    void jouer();
    // No more games: every waiting request and the person's turn return.
    void fermer();
    bool fermee() const;

    // The game as the page draws it (JSON), once its version differs from
    // `depuis` or `delai` seconds have passed.
    std::string etat(long depuis, double delai);
    // "12-13", the person's move: refused unless it is their turn and the
    // rules allow it.
    Reponse jouerCoup(std::string_view corps);
    // "jaune" or "rouge", the person's colour in a new game.
    Reponse commencer(std::string_view corps);
    // The page says it is closing: unless it comes back at once (reloaded),
    // the session ends.
    void noterDepart();
    // Whether the page has gone: it said so and did not come back, or it
    // has asked nothing for long (closed without a word).
    bool pageFermee(double maintenant) const;

    // The games played to their end, for the replay page.
    std::vector<Partie> partiesFinies() const;
    // The person's tally over the finished games.
    Decompte bilan() const;
    // Whether every record reached its file.
    bool enregistrementsEcrits() const;

    // The person's turn (PersonneAuNavigateur): the move handed by the page,
    // or nothing once the session is closed.
    std::optional<Coup> attendreLeCoup(const Position &position);
    // The program's last answer took this long (ProgrammeMesure).
    void noterDuree(double secondes);

    void debutPartie(const Partie &p) override;
    void apresCoup(const Partie &p, const Position &position) override;
    void finPartie(const Partie &p) override;
    void tourDUnePersonne(const Partie &p, const Position &position) override;

private:
    enum class Phase { Choix, Personne, Programme, Fermee };
    std::optional<uint8_t> attendreUneDemande();
    void enregistrer(const Partie &p);
    void changer(); // under the lock: a new version, the waiters woken
    void noterVisite();
    std::string etatJson() const;
    std::string finJson() const;

    ReglageNavigateur reglage_;
    Participant &programme_;
    std::FILE *enregistrement_;

    mutable std::mutex verrou_;
    std::condition_variable change_;
    long version_ = 1; // a page that has none yet asks from 0
    Phase phase_ = Phase::Choix;
    std::optional<uint8_t> demande_;   // the colour asked for the next game
    uint8_t couleurPersonne_ = JAUNE;
    Partie partie_;                    // the game shown: under way or the last one
    bool partieFinie_ = false;
    Position position_ = {};
    std::vector<std::optional<double>> durees_; // the program's time for each of its moves
    std::optional<double> derniereDuree_;
    ListeCoups legaux_ = {};           // the person's, on their turn
    std::optional<Coup> coupRecu_;
    std::vector<Partie> finies_;
    std::vector<uint8_t> couleursFinies_; // the person's colour in each
    bool ecritureRatee_ = false;
    // The page: when it said it was leaving, when it last asked, how many
    // of its requests wait for a change.
    std::optional<double> depart_;
    std::optional<double> derniereVisite_;
    int attentes_ = 0;
};

} // namespace moteur
