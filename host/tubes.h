// Whole fixed-size records through a pipe, for the engine and the host's
// engine mode alike.
#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace tubes {

// Calls read or write until n bytes have passed; false at the end of the
// pipe or on an error other than an interrupted call.
template <typename Appel, typename Octet>
bool transfererTout(Appel appel, int fd, Octet *p, size_t n)
{
    while (n > 0) {
        ssize_t r = appel(fd, p, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

inline bool lireTout(int fd, void *donnees, size_t n)
{
    return transfererTout(::read, fd, static_cast<unsigned char *>(donnees), n);
}

inline bool ecrireTout(int fd, const void *donnees, size_t n)
{
    return transfererTout(::write, fd, static_cast<const unsigned char *>(donnees), n);
}

} // namespace tubes
