// The output layer, on file: game records, written and read back.
//
//     [Partie "1"]
//     [Jaune "joueur_poids"]
//     [Rouge "joueur_critique"]
//     [Graine "1234"]
//     [Depart "<position notation>"]
//     [Resultat "1-0"]
//     [Fin "plus aucun coup possible"]
//     [Score "J: 12 (3 piles de 5) - R : 10 (2 piles de 5)"]
//
//     1. 8-4 9-16 2. 4-3 ...
//
// Moves are origin-destination in cell numbers, numbered per pair; a move
// imposed by the engine carries a trailing `*`.  Every game ends with a
// blank line, so games simply follow one another in a file.
//
// A game played with a game clock names it after its score: [Pendule "10+0.1"].
//
// Each match opens with its own tags, then a blank line (records written
// before them hold games only, and are read the same):
//
//     [Match "joueur_poids contre joueur_critique"]
//     [GraineMatch "1234"]
//     [Parties "100"]
//     [Ouverture "4"]
//     [Livre "livres/equilibre.txt"]         (with a book only)
//     [EmpreinteLivre "3f0c5a9e12b4d678"]    (with a book only)
//     [Temps "10"]                           ("sans limite" with a clock alone)
//     [Pendule "10+0.1"]                     (with a game clock only)
//     [Strict "non"]
//     [Date "2025-06-01T14:03:12Z"]
//
// The tags marked "only" are left out otherwise, so that records written
// before them read the same.  A tournament's file opens with the
// tournament's tags instead (below), and each of its games names its pairing
// after its score (and its clock): [Rencontre "3"].
#pragma once

#include "partie/livre.h"
#include "partie/partie.h"
#include "tournoi/calendrier.h"

#include <optional>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace moteur {

std::string ecrireEnregistrement(const Partie &p);

// How the games of a match are made: `temps` is the time for a move in
// seconds (a person without --temps has none) and the game clock, `date` in
// UTC, ISO 8601.
struct EnTeteMatch {
    std::string premier, second;
    uint32_t graine = 0;
    int parties = 1;
    int ouverture = 0;
    Cadence temps;
    bool strict = false;
    std::string date;
    RefLivre livre;
};
std::string ecrireEnTeteMatch(const EnTeteMatch &m);
using Etiquettes = std::vector<std::pair<std::string, std::string>>;
// The match a header read back describes, or why it cannot be one.
std::optional<EnTeteMatch> enTeteDuMatch(const Etiquettes &etiquettes, std::string &erreur);
// A match's games as the schedule of a tournament of its two players: the
// same seeds, colours and starts (each game's pairing is 1).
ReglageTournoi calendrierDuMatch(const EnTeteMatch &m);

// The header that opens a tournament's record file, and each resumption:
//
//     [Tournoi "joueur_poids, joueur_score, joueur_bref"]
//     [Formule "toutes les rencontres"]      ("défi" with --defi)
//     [GraineTournoi "11"]
//     [Parties "100"]                        (games per pairing)
//     [Ouverture "4"]
//     [Livre "livres/equilibre.txt"]         (as a match's, below: with a
//     [EmpreinteLivre "3f0c5a9e12b4d678"]     book only)
//     [Temps "10"]
//     [Pendule "10+0.1"]                     (with a game clock only)
//     [Strict "non"]
//     [Date "2025-06-01T14:03:12Z"]
//
// and each game of it carries `[Rencontre "R"]`, its pairing, after its score.
std::string ecrireEnTeteTournoi(const ReglageTournoi &r, const std::string &date);
// The schedule a header read back describes, or why it cannot be one.
std::optional<ReglageTournoi> reglageDuTournoi(const Etiquettes &etiquettes, std::string &erreur);

// A match's or a tournament's header as read.
struct EnTeteLu {
    int ligne = 0;
    Etiquettes etiquettes;     // name, value
    ReglageTournoi reglage;    // the schedule it describes (a match's: calendrierDuMatch)
    size_t premierePartie = 0; // the games from this index on follow it
};

struct LectureEnregistrements {
    std::vector<Partie> parties;
    std::vector<EnTeteLu> matchs;
    std::vector<EnTeteLu> tournois;
    int ligneErreur = 0; // 0: the whole text is sound
    std::string erreur;
};

// Reads every game and replays it: the tags must be sound, every move legal
// from the start position, and the result, the end and the score must be
// those of the final position.  Every game kept: for texts in memory; a
// file is read block by block (lecture_flux.h).
LectureEnregistrements lireEnregistrements(std::string_view texte);

// The last block of a record (a header or a game): where it starts, its
// first line, and whether it is whole (a block ends with a blank line, a
// game without moves with two).  An engine killed, or a disk full, while
// writing it leaves it cut short.  Its start is the last line opening with
// `[` after a blank line (LectureEnFlux::dernierBloc, lecture_flux.h).
struct DernierBloc {
    size_t debut = 0;
    int ligne = 1;
    bool entier = true;
};

// Names that a record can hold as they are.
bool nomEnregistrable(std::string_view nom);

} // namespace moteur
