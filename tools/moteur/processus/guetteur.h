// The watcher of the players' deadlines: one thread for the whole engine.
//
// A thread waiting for a player's answer arms the deadline of that wait (no
// system call), then reads the pipe with a plain blocking read, the cheapest
// wait there is: a deadline given to the call that waits (ppoll) costs a
// kernel timer per move, which on a virtual machine costs more than the rest
// of the move.  The watcher sleeps until the earliest deadline armed; one
// that passes with nothing in the pipe (an answer already there is the
// engine's delay, not the player's) interrupts the read with a signal of the
// engine's own, again every few milliseconds until the reader has seen it.
// A read that the signal interrupts had nothing to read: the reader then
// reports the delay, and ends the player as before.  A read that had
// already ended (the pipe was empty because the reader had just emptied
// it, as when the engine was stopped and goes on) keeps its answer.
//
// The watcher never wakes for a deadline armed while it sleeps: it sleeps at
// most the shortest delay ever armed, and a deadline armed later is at least
// that far.  A shorter delay than any before wakes it, once.
#pragma once

#include <atomic>
#include <pthread.h>

namespace moteur {

class Echeance {
public:
    Echeance();  // known to the watcher from now on
    ~Echeance(); // and no longer
    Echeance(const Echeance &) = delete;
    Echeance &operator=(const Echeance &) = delete;

    // Before this thread's blocking read of `fd`, `delai` seconds from now.
    void armer(double delai, int fd);
    // A read ended by EINTR: whether the deadline has passed.  Only a read
    // still waiting when the watcher's signal came is late: the watcher's
    // look at an empty pipe may follow a read that has just emptied it.
    bool expiree();
    // After the read: true if the deadline passed first (the read was
    // interrupted for it).  No signal of the watcher comes afterwards.
    bool desarmer();

    // For the watcher.  SOUPCON: the deadline passed with nothing in the
    // pipe; the reader is signalled, and its read says whether the answer
    // was still missing (EXPIREE) or already read.
    enum : int { LIBRE, ATTENTE, SOUPCON, EXPIREE };
    std::atomic<int> etat{LIBRE};
    std::atomic<double> limite{0};
    std::atomic<int> fd{-1};
    pthread_t lecteur{};
    Echeance *suivante = nullptr; // in the watcher's list, under its lock
};

} // namespace moteur
