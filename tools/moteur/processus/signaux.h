// The engine's signals.  Handlers only note what happened (an atomic store)
// or let a fault take its course; whatever blocks (ending players, reaping)
// is done outside them.
#pragma once

namespace moteur {

class Registre;

// Once, before the engine starts any thread or player:
// - SIGINT, SIGTERM, SIGHUP and SIGQUIT end every player of the registry
//   and what they started, then the engine by the same signal (see
//   gererLArret).  A thread of its own waits for them (they stay blocked
//   everywhere else), so that the players' deaths can be waited for;
// - SIGTSTP, SIGTTIN and SIGTTOU suspend the engine, as by default, through
//   that thread too;
// - SIGCHLD notes that a child ended, so that orphans are swept before the
//   next game;
// - a fault (SIGSEGV, SIGABRT...) ends the engine as by default, or as a
//   sanitizer reports it;
// - every other signal that would end it is ignored: the engine uses none
//   (SIGUSR1 too: a person's program tells its own host, which tells the
//   engine in its answer);
// - a player never stops or suspends the engine: in its sandbox it cannot
//   reach it; outside it, the stop and suspension signals of a process
//   that descends from the engine, and faults sent by any other process,
//   are dropped.  SIGKILL and SIGSTOP cannot be refused: only the sandbox
//   keeps them from the engine.
// A stop or suspension signal ignored or blocked at start (nohup) is left
// as it was.  The registry must outlive every thread of the engine.
void installerLesSignaux(Registre &registre);

// In a player's process, between fork and exec (async-signal-safe): every
// signal by default and none blocked, whatever the engine made of its own.
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
