// printf, puts, putchar (and putc, vprintf) as the player programs see them: libjoueur comes
// before the C library in every player's link and load order, so these
// definitions answer the players' calls (and the rules library's display)
// without a change to their code.  While output is kept they write exactly
// what the C library writes; while it goes nowhere they skip the formatting,
// which for some players costs more than choosing the move.
// The C library's optimised headers define vprintf and putchar inline for
// their callers; this file defines them for the players instead.
#ifndef __NO_INLINE__
#define __NO_INLINE__ 1
#endif

#include "sortie.h"

#include <cstdarg>
#include <cstdio>

namespace hote {
namespace {
// Players run one turn at a time on the host's one thread (joueur.h).
bool sortieMuette = false;
} // namespace

void taireLaSortie(bool taire) { sortieMuette = taire; }

} // namespace hote

// A silenced call succeeds having written nothing: no player looks at what
// printf returns, and a count would need the formatting this avoids.
extern "C" __attribute__((visibility("default"))) int printf(const char *format, ...)
{
    if (hote::sortieMuette)
        return 0;
    va_list arguments;
    va_start(arguments, format);
    int n = std::vfprintf(stdout, format, arguments);
    va_end(arguments);
    return n;
}

// The sanitizers' runtime, loaded before libjoueur, answers printf itself
// and goes on to the next vprintf in load order: this one.
extern "C" __attribute__((visibility("default"))) int vprintf(const char *format, va_list arguments)
{
    if (hote::sortieMuette)
        return 0;
    return std::vfprintf(stdout, format, arguments);
}

extern "C" __attribute__((visibility("default"))) int puts(const char *s)
{
    if (hote::sortieMuette)
        return 0;
    if (std::fputs(s, stdout) == EOF || std::fputc('\n', stdout) == EOF)
        return EOF;
    return 1;
}

extern "C" __attribute__((visibility("default"))) int putchar(int c)
{
    if (hote::sortieMuette)
        return static_cast<unsigned char>(c);
    return std::fputc(c, stdout);
}

// The C library's optimised headers turn a player's putchar(c) into
// putc(c, stdout): a putc to any other stream writes as ever.
extern "C" __attribute__((visibility("default"))) int putc(int c, std::FILE *flux)
{
    if (hote::sortieMuette && flux == stdout)
        return static_cast<unsigned char>(c);
    return std::fputc(c, flux);
}
