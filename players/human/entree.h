// Reading a person's answers on standard input: one line is one answer.
#pragma once

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

enum Lecture {
    LECTURE_OK,    // the line held exactly the numbers asked for
    LECTURE_ECHEC, // a failed entry: anything else on the line
    LECTURE_FIN,   // the end of input, nothing read
};

// Drops what is left of a line that could not be read as expected.
inline void ignorerLigne()
{
    int c;
    do
        c = std::getchar();
    while (c != '\n' && c != EOF);
}

inline bool estBlanc(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one whole line, which must hold exactly `attendus` decimal integers
// separated by blanks, each within the range of an int: "12abc" or a number
// too large is a failed entry, and nothing of the line is left for the next
// answer.
inline Lecture lireNombres(int *nombres, int attendus)
{
    char ligne[1024];
    if (std::fgets(ligne, sizeof ligne, stdin) == nullptr)
        return LECTURE_FIN;
    if (std::strchr(ligne, '\n') == nullptr && !std::feof(stdin)) {
        ignorerLigne(); // longer than any sound answer
        return LECTURE_ECHEC;
    }
    const char *p = ligne;
    for (int i = 0; i < attendus; i++) {
        while (estBlanc(*p))
            p++;
        char *fin;
        errno = 0;
        long n = std::strtol(p, &fin, 10);
        bool entier = fin != p && errno != ERANGE && n >= INT_MIN && n <= INT_MAX;
        if (!entier || !(estBlanc(*fin) || *fin == '\0'))
            return LECTURE_ECHEC;
        nombres[i] = static_cast<int>(n);
        p = fin;
    }
    while (estBlanc(*p))
        p++;
    return *p == '\0' ? LECTURE_OK : LECTURE_ECHEC;
}
