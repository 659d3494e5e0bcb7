// A player's trace that goes nowhere is not written out at all.
//
// The engine gives a program whose output nobody keeps /dev/null as its
// standard output.  The trace lines were still formatted, a fifth of a
// tournament's processor time, to be thrown away: in engine mode, with
// standard output on /dev/null, printf, puts and putchar (what the players
// write their traces with) return at once.  libjoueur comes before the C
// library in every player's links, so the player's calls reach these.
// Otherwise they do what the C library's do.
#include "modes.h"

#include <cstdarg>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sortiePerdue = false;

} // namespace

namespace hote {

void taireLaSortieSiElleEstPerdue()
{
    struct stat sortie, nul;
    sortiePerdue = fstat(STDOUT_FILENO, &sortie) == 0 && S_ISCHR(sortie.st_mode) &&
                   stat("/dev/null", &nul) == 0 && sortie.st_rdev == nul.st_rdev;
}

} // namespace hote

extern "C" {

__attribute__((visibility("default"))) int printf(const char *format, ...)
{
    if (sortiePerdue)
        return 0;
    va_list arguments;
    va_start(arguments, format);
    int n = std::vfprintf(stdout, format, arguments);
    va_end(arguments);
    return n;
}

__attribute__((visibility("default"))) int puts(const char *texte)
{
    if (sortiePerdue)
        return 1;
    return std::fputs(texte, stdout) == EOF || std::fputc('\n', stdout) == EOF ? EOF : 1;
}

__attribute__((visibility("default"))) int putchar(int c)
{
    if (sortiePerdue)
        return static_cast<unsigned char>(c);
    return std::fputc(c, stdout);
}

} // extern "C"
