// The engine's signals.  Handlers only note what happened (an atomic store);
// whatever blocks (ending players, reaping) is done outside them.
#pragma once

namespace moteur {

class Registre;

// Once, before the engine starts any thread or player:
// - SIGUSR1 never kills the engine: the registry keeps, for each player,
//   when it last sent one (a person has chosen its move);
// - SIGPIPE is ignored: a player that leaves while we write to it is
//   reported by write;
// - SIGALRM is ignored: the engine sets no alarm, and a stray one neither
//   ends it nor interrupts a write;
// - SIGCHLD notes that a child ended, so that orphans are swept before the
//   next game;
// - SIGINT, SIGTERM and SIGHUP end every player of the registry and what
//   they started, then the engine by the same signal (see gererLArret).  A thread of its own
//   waits for them (they stay blocked everywhere else), so that the players'
//   deaths can be waited for.  One that was ignored or blocked at start
//   (nohup) is left as it was.
// The registry must outlive every thread of the engine.
void installerLesSignaux(Registre &registre);

// In a player's process, between fork and exec (async-signal-safe): the
// signals as a program expects them, whatever the engine made of its own.
void rendreLesSignauxAuJoueur();

// While a match is played (`gerer`), a stop signal ends every player and
// lets the engine finish on its own: the game under way is dropped, the
// finished ones are already recorded, the summary is printed, then
// `finirSiArrete` ends the engine by that signal.  A second stop signal, or
// a few seconds without that call, end it at once.  Otherwise (and by
// default) a stop signal ends the players and the engine at once.
void gererLArret(bool gerer);
bool arretEnCours();
void finirSiArrete();

} // namespace moteur
