#include "capture.h"

#include "notation.h"

#include <cstdio>
#include <cstdlib>

namespace essai {

CaptureSortie::CaptureSortie() : ancienne(stdout)
{
    std::fflush(stdout);
    stdout = open_memstream(&tampon, &taille);
}

CaptureSortie::~CaptureSortie()
{
    std::fclose(stdout);
    stdout = ancienne;
    std::free(tampon);
}

std::string CaptureSortie::lire()
{
    std::fflush(stdout);
    std::string s(tampon + lu, taille - lu);
    lu = taille;
    return s;
}

Position position(const std::string &notation)
{
    hote::LectureNotation l = hote::lireNotation(notation);
    if (!l.position) {
        std::fprintf(stderr, "%s: %s\n", notation.c_str(), l.erreur.c_str());
        std::abort();
    }
    return *l.position;
}

} // namespace essai
