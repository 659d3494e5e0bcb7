// A tournament's record file read back, whole or with a last block cut
// short (the engine killed while writing it), and what tells two
// tournaments apart.
#pragma once

#include "sorties/enregistrement.h"
#include "tournoi/calendrier.h"

#include <optional>
#include <string>
#include <vector>

namespace moteur {

struct LectureTournoi {
    std::optional<ReglageTournoi> reglage; // none: no header (and no game)
    std::vector<Partie> parties;
    size_t longueurSaine = 0; // bytes up to the end of the last whole block
    bool coupee = false;      // a last block cut short was left out
    int ligneErreur = 0;      // the file is malformed there
    std::string erreur;
};

// Reads a tournament's record.  `tolererCoupure`: a last block cut short is
// left out rather than refused.
LectureTournoi lireTournoi(const std::string &texte, bool tolererCoupure);
// The same for a match's record (its header, repeated by each resumption):
// its schedule is that of a tournament of its two players (calendrierDuMatch),
// and its games are that pairing's.
LectureTournoi lireMatch(const std::string &texte, bool tolererCoupure);

// What differs between the schedule of a file and that of the command line,
// e.g. "la graine (3 dans le fichier) et --strict".
std::string difference(const ReglageTournoi &fichier, const ReglageTournoi &ici);

} // namespace moteur
