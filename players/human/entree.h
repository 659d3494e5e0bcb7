// Reading a person's answers on standard input.
#pragma once

#include <cstdio>

// Drops what is left of a line that could not be read as expected.
inline void ignorerLigne()
{
    int c;
    do
        c = std::getchar();
    while (c != '\n' && c != EOF);
}
