// Capturing what rules operations print on standard output, in process.
#pragma once

#include "tessor.h"

#include <string>

namespace essai {

// While alive, everything printed on stdout goes to memory instead.
class CaptureSortie {
public:
    CaptureSortie();
    ~CaptureSortie();
    CaptureSortie(const CaptureSortie &) = delete;
    CaptureSortie &operator=(const CaptureSortie &) = delete;
    // What was printed since the start or the previous call.
    std::string lire();

private:
    std::FILE *ancienne;
    char *tampon = nullptr;
    size_t taille = 0;
    size_t lu = 0;
};

// The position written in notation (aborts the test program on a bad one).
Position position(const std::string &notation);

} // namespace essai
