// How a game ended: one outcome type, one fixed French text per outcome,
// shared by the records, the display and the summaries.
#pragma once

#include "tessor.h"

#include <optional>
#include <string>
#include <string_view>

namespace moteur {

enum class Issue {
    PlusDeCoup,    // no legal move left: the columns decide
    Plantage,      // the program crashed
    Arret,         // the program exited during the game
    Temps,         // no answer within the time for a move
    Protocole,     // an answer the engine cannot understand, or no greeting
    Lancement,     // the program could not be started
    AucunIndex,    // --strict: no index handed
    HorsListe,     // --strict: an index outside the list
    Abandon,       // a person's input ended: the person left
    Pendule,       // its game clock ran out
};

const char *texteIssue(Issue issue);

// How a game ended and which side it blames (VIDE when none).
struct FinPartie {
    Issue issue = Issue::PlusDeCoup;
    uint8_t fautif = VIDE;
    int signal = 0; // Plantage: the signal that ended the program (0: not known)
};

// "SIGSEGV", or "signal 40" for a number without a name.
std::string nomDuSignal(int numero);

// The text of the record's `Fin` tag: "plus aucun coup possible", or
// "rouge : temps dépassé" for a side's fault, "jaune : le programme a planté
// (SIGSEGV)" for a crash.
std::string texteFin(const FinPartie &fin);
std::optional<FinPartie> lireFin(std::string_view texte);

enum class Resultat { Jaune, Rouge, Nulle };

// The columns decide: more columns, then more columns of five.
Resultat resultatAuScore(Score score);
// Faults lose the game; otherwise the final position decides.
Resultat resultatDeLaPartie(const FinPartie &fin, const Position &finale);

const char *texteResultat(Resultat r); // "1-0", "0-1", "1/2-1/2"
std::optional<Resultat> lireResultat(std::string_view texte);

// "J: 12 (3 piles de 5) - R : 10 (2 piles de 5)", as afficherScore prints it.
std::string texteScore(Score score);
// The same for people: "J : 12 (3 piles de 5) - R : 10 (1 pile de 5)".
std::string scoreLisible(Score score);

const char *nomCouleur(uint8_t couleur); // "jaune" or "rouge"

} // namespace moteur
