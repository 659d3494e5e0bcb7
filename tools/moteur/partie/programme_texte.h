// A player program of any language, spoken to through the text protocol
// (dialogue.h) on its standard input and output: named `texte:COMMANDE`.
#pragma once

#include "partie/programme.h"
#include "processus/processus.h"

#include <string>

namespace moteur {

// The text protocol over one process: the greeting, each game's seed, each
// turn and its answer, the end.  The participant and `moteur verifier` both
// speak it through this class.
class DialogueTexte {
public:
    explicit DialogueTexte(Processus &processus) : processus_(processus) {}

    // Starts `l` (its `texte` set here) and reads the greeting; a process
    // that failed it, or speaks another version, is ended.
    Salut accueillir(Lancement l);
    // "partie GRAINE PID": the process failed if this is not Ok.
    Etat commencer(uint32_t graine);
    // "tour ..." (after "pendule ..." with a game clock: `pendule` and the
    // seconds `restant` on it), then its answer within `delai` seconds (none
    // if negative).  A fault ends the process; `signal` is set for a crash.
    ReponseTour demander(const Position &position, double delai, int &signal,
                         const std::optional<Pendule> &pendule = {}, double restant = -1);
    void annoncer(Resultat resultat, const FinPartie &fin);
    // "fin": the match is over, the program leaves.
    void finir();
    // The answer that broke the protocol last, and what was expected, as a
    // person reads it.
    const std::string &rupture() const { return rupture_; }

private:
    Etat envoyer(const std::string &ligne);
    // One line within `delai`; `complete` false if it outgrew LONGUEUR_MAX.
    Etat lireLigne(std::string &ligne, bool &complete, double delai);
    Processus &processus_;
    std::string tampon_; // received, not yet a whole line
    std::string rupture_;
};

class ProgrammeTexte final : public ProgrammeLance {
public:
    ProgrammeTexte(DescriptionJoueur description, Registre &registre)
        : ProgrammeLance(std::move(description), registre), dialogue_(processus_) {}

    ReponseTour jouer(const Position &position, double restant) override;
    void annoncerResultat(Resultat resultat, const FinPartie &fin) override;
    void finir() override;

    std::optional<Issue> annoncerPartie(uint32_t graine) override;
    bool partir(double delai) override;
    std::string rupture() const override { return dialogue_.rupture(); }
    // Whether a broken answer is told on the engine's standard error (in a
    // match) or only kept for rupture() (the checker's table says it).
    void direLesRuptures(bool oui) { direLesRuptures_ = oui; }

private:
    std::vector<std::string> argumentsDuProtocole() const override { return d_.arguments; }
    Salut accueillirAvec(const Lancement &l) override { return dialogue_.accueillir(l); }
    std::string autreVersion(int version) const override;
    DialogueTexte dialogue_;
    bool direLesRuptures_ = true;
};

} // namespace moteur
