// Starting a child without copying the engine: the child borrows the
// caller's memory, as with vfork, until it execs or exits, and the caller
// waits until then.  A copy of a threaded engine's address space (fork)
// costs more than the program's own start, and is thrown away at exec.
#pragma once

#include <functional>
#include <sys/types.h>

namespace moteur {

// Runs `enfant` in a new child process sharing our memory; returns the
// child's id once it has called exec (or ended), -1 if it could not be made.
// `enfant` must end in exec or _exit, make only async-signal-safe calls,
// allocate nothing and write only to its own locals: whatever it writes
// elsewhere is written in the caller.  It starts with every signal blocked,
// so that no handler of ours runs in it; it unblocks them itself once it has
// reset their handlers.  Its stack is small: a few calls deep.
pid_t demarrerSansCopie(const std::function<void()> &enfant);

} // namespace moteur
