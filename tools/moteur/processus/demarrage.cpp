// Starting a child without copying the engine (Linux).
#include "processus/demarrage.h"

#include <csignal>
#include <sched.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define SOUS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOUS_ASAN 1
#endif
#endif

namespace moteur {
namespace {

// What the child runs before exec needs little: its frames only, a few
// system calls deep (more under the sanitizers, whose frames are larger).
constexpr size_t PILE_DU_DEMARRAGE = 64 * 1024;

int executer(void *enfant)
{
    (*static_cast<const std::function<void()> *>(enfant))();
    _exit(127); // `enfant` was to exec or leave: a child never goes on as us
}

} // namespace

pid_t demarrerSansCopie(const std::function<void()> &enfant)
{
    // The child's stack lies in this frame: the caller is suspended until
    // the child has exec'd, so the frame outlives every use of it.
    alignas(16) char pile[PILE_DU_DEMARRAGE];
    sigset_t tous, avant;
    sigfillset(&tous);
    pthread_sigmask(SIG_SETMASK, &tous, &avant);
#ifdef SOUS_ASAN
    // AddressSanitizer does not know a stack lying in another's frame, whose
    // shadow keeps that frame's marks: under it, the child is a copy.
    (void)pile;
    pid_t pid = fork();
    if (pid == 0)
        executer(const_cast<std::function<void()> *>(&enfant));
#else
    pid_t pid = clone(executer, pile + sizeof pile, CLONE_VM | CLONE_VFORK | SIGCHLD,
                      const_cast<std::function<void()> *>(&enfant));
#endif
    pthread_sigmask(SIG_SETMASK, &avant, nullptr);
    return pid;
}

} // namespace moteur
