// The players' sandbox.  A program the user did not write runs in a box of
// its own, built from the kernel's isolation:
// - its own namespace of process ids, whose first process (the keeper, code
//   of the engine) starts the program and waits for it: the program sees no
//   other process, so it can neither find nor signal its opponent or the
//   engine, and when it ends, or the keeper is killed, or the engine dies
//   even by SIGKILL, the kernel ends everything the program started;
// - its own /proc (a namespace of mounts), showing only that box;
// - a network namespace with no interface but a loopback left down: its
//   own for an ordinary user, one for all the boxes of an engine run by
//   root (a namespace per box cost more than the rest of the box; their
//   programs could meet only on abstract UNIX sockets);
// - for an ordinary user, its own user namespace (the user's identity kept),
//   without which the kernel refuses the others;
// - limits on its memory (address space, none in a sanitizer build, whose
//   programs reserve terabytes of it for their shadow memory), processes
//   and file size;
// - run by root, a user id of its own (BASE_UID + the keeper's number)
//   keeping only the right to read and write files as root does: the
//   process limit then binds (the kernel counts none for root), and even
//   outside the namespaces the program cannot signal the engine.
// Where the system refuses the namespaces (an old kernel, a container), the
// engine says so once and plays with the limits alone, or refuses to play
// (ModeIsolation::Exigee).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace moteur {

enum class ModeIsolation { Auto, Exigee, Aucune };

constexpr uint64_t MEMOIRE_PAR_DEFAUT_MIO = 1024;
constexpr uint64_t PROCESSUS_PAR_DEFAUT = 64;
constexpr uint64_t FICHIERS_PAR_DEFAUT_MIO = 1024;
// Run by root, a program's user id is this plus its keeper's process id.
constexpr uint32_t BASE_UID = 1000000000;

// 0 in a limit: none.
struct ReglageIsolation {
    ModeIsolation mode = ModeIsolation::Auto;
    uint64_t memoireMio = MEMOIRE_PAR_DEFAUT_MIO;
    uint64_t processus = PROCESSUS_PAR_DEFAUT;
    uint64_t fichiersMio = FICHIERS_PAR_DEFAUT_MIO;
};

// Once, before the engine starts any thread or player (players started
// without it get the defaults).
void reglerIsolation(const ReglageIsolation &reglage);

// Why the system refuses the sandbox, empty when it does not (or the mode
// is Aucune): probed once, by the first call or the first player started.
// In Auto, a refusal is told on standard error then.
std::string refusDeLIsolation();

// The namespaces to clone a player's first process into; 0 without the
// sandbox (the player is then the engine's child, limits alone).
unsigned long espacesDuJoueur();

// How the keeper saw the program end, written on its report pipe.
struct RapportDuGardien {
    int32_t etat;     // the program's wait status
    int32_t restants; // processes of the box still running when it ended
};

// The first process of a box (between clone and its end, async-signal-safe
// calls only): prepares the box, starts the program with `devenirJoueur`,
// reaps whatever the box holds until the program ends, then writes its
// report on `rapport` and ends, which ends the box.  Every other descriptor
// is closed once the program has started.  `parent`: the engine's number
// as lireFiliation reads it, so that a keeper whose engine died before it
// could ask to die with it ends at once.
[[noreturn]] void garderLeBacASable(int rapport, int parent,
                                    const std::function<void()> &devenirJoueur);

// The engine's word to a box's keeper, sent with sigqueue so that words
// arrive in their order: value 1, stop every process of the box; 0, let
// them go on.  The keeper takes it from outside the box only.
int signalAuGardien();

// In the program's process, just before exec (async-signal-safe): the
// limits, and root's user id of its own.
void limiterLeJoueur();

} // namespace moteur
