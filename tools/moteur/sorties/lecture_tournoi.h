// A tournament's record file read back, whole or with a last block cut
// short (the engine killed while writing it), and what tells two
// tournaments apart.
#pragma once

#include "sorties/enregistrement.h"
#include "sorties/lecture_flux.h"
#include "tournoi/calendrier.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace moteur {

struct LectureTournoi {
    std::optional<ReglageTournoi> reglage; // none: no header (and no game)
    std::vector<Partie> parties;
    size_t longueurSaine = 0; // bytes up to the end of the last whole block
    bool coupee = false;      // a last block cut short was left out
    int ligneCoupee = 0;      // where it started
    int ligneErreur = 0;      // the file is malformed there
    std::string erreur;
};

// Reads a tournament's record.
LectureTournoi lireTournoi(const std::string &texte, Coupure coupure);
// The same for a match's record (its header, repeated by each resumption):
// its schedule is that of a tournament of its two players (calendrierDuMatch),
// and its games are that pairing's.
LectureTournoi lireMatch(const std::string &texte, Coupure coupure);
// The same from a reader, block by block: each game kept is handed to
// `recevoir` as soon as it is read (`parties` stays empty), before the
// headers are all checked; a caller keeps them only once the reading says
// the record is sound.
LectureTournoi lireTournoi(LectureEnFlux &lecture, Coupure coupure,
                           const std::function<void(Partie &&)> &recevoir);
LectureTournoi lireMatch(LectureEnFlux &lecture, Coupure coupure,
                         const std::function<void(Partie &&)> &recevoir);

// The one schedule the headers of a record describe (every resumption opens
// with its header again; `quoi`: "match" or "tournoi"); nothing, with the
// line and the reason, when one describes another, and nothing without a
// header.
std::optional<ReglageTournoi> reglageDesEnTetes(const std::vector<EnTeteLu> &tetes,
                                                const char *quoi, int &ligne, std::string &erreur);

// What differs between the schedule of a file and that of the command line,
// e.g. "la graine (3 dans le fichier) et --strict".
std::string difference(const ReglageTournoi &fichier, const ReglageTournoi &ici);

} // namespace moteur
