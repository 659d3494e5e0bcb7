// `moteur tournoi` and `moteur classement`: the commands, their files, their
// progress and their end.
#pragma once

#include "options.h"
#include "orphelins.h"

namespace moteur {

// Plays a tournament (its slice, or what its record lacks), then prints the
// standings.  Exit status: 0, 1 (a record or output that cannot be written,
// a malformed record), 2 (a bad command line, a record of another schedule).
int commandeTournoi(const Options &options, Registre &registre);

// The standings of the games of one tournament, from its record files.
int commandeClassement(const Options &options);

} // namespace moteur
