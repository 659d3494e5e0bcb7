// System helpers of the engine: clock, paths, terminal, processor, and
// waiting for a child to end.  Each is a thin wrapper with no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moteur {

double maintenant(); // seconds on a monotonic clock
int pidMoteur();
// From /proc/<pid>/stat (`pid` 0: this process), the process's number and
// its parent's as the mounted /proc shows them; false if it cannot be read.
// Async-signal-safe: a player's sandbox calls it between clone and exec.
bool lireFiliation(int pid, int &numero, int &parent);
bool sortieEstUnTerminal();
// The width of the terminal of standard output; 0 when it is none.
size_t largeurDuTerminal();

// The seed of a run given none: from the clock and the engine's pid.
uint32_t graineDeLHorloge();
// Now in UTC, as a record dates its match or tournament.
std::string dateUTC();

// The whole of a file (`-`: standard input); nothing, with `erreur` set to
// an errno value, when it cannot be read (a folder cannot).
std::optional<std::string> lireFichier(const std::string &chemin, int &erreur);

// The folder of the engine's own program (empty if it cannot be known).
std::string dossierDuMoteur();
// The full path of a player program: beside the engine first, then in the
// folders listed in TESSOR_JOUEURS (separated by ':'), then as a path.
std::optional<std::string> trouverProgramme(const std::string &nom);
// Whether the program at `chemin` is built as a player: it needs the host
// library libjoueur (read from its ELF header, the program is not run).
bool programmeDeJoueur(const std::string &chemin);
// Every player program found by name (beside the engine, then in
// TESSOR_JOUEURS), each name once, as trouverProgramme would find it: name
// and path, folder after folder, by name within each.
std::vector<std::pair<std::string, std::string>> programmesDesDossiers();
// Why trouverProgramme found nothing: the name is a folder, a file without
// the run bit, or nothing at all.
std::string raisonIntrouvable(const std::string &nom);

// Standard input, output or error closed when the engine starts: /dev/null
// takes its place, so that no pipe of a player ever gets its number (the
// player's own standard descriptors would cover it).
void ouvrirLesDescripteursStandard();

// A match is a relay: at any moment only one of the engine and its players
// works, the others wait for its record.  Keeping them all on the processor
// the engine runs on spares a wake-up across processors at every turn, which
// costs more than the turn itself.  Children started afterwards inherit it.
void resterSurCeProcesseur();
// Batch work (SCHED_BATCH), for this thread and the children it starts: in
// a relay the one woken never preempts the one that woke it, which goes on
// to wait; the default policy switched there, a switch more per move.  Set
// by resterSurCeProcesseur; `false` puts the default policy back (a person
// plays: the terminal's program keeps its ordinary priority).
void relaisSansPreemption(bool oui);

// A descriptor (close-on-exec) that becomes readable when our child `pid`
// ends; -1 on a kernel without them.
int descripteurDeProcessus(int pid);
// Closes every descriptor from `premier` on (async-signal-safe).
void fermerAPartirDe(int premier);

// Waits up to `delaiSecondes` for `fd` to have something to read, or its
// end: true if it has.
bool attendreDeQuoiLire(int fd, double delaiSecondes);

// Waits up to `delaiSecondes` for our child `pid` to end, without reaping
// it (its wait status stays for waitpid): true once it has ended.
bool attendreLaFinDe(int pid, double delaiSecondes);

} // namespace moteur
