// What the fuzz targets share: a broken invariant stops the target at once,
// saying which, and what a message shown to a person must be.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define EXIGER(condition, message)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, message);              \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

// Text a terminal shows as it is: valid UTF-8 (no overlong form, surrogate or
// code point past U+10FFFF), and no control character.
inline bool texteLisible(std::string_view t)
{
    static const unsigned minimum[] = {0, 0x80, 0x800, 0x10000};
    for (size_t i = 0; i < t.size();) {
        auto c = static_cast<unsigned char>(t[i]);
        size_t suite = c < 0x80 ? 0 : c < 0xC0 ? 4 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : c < 0xF8 ? 3 : 4;
        if (suite == 4 || t.size() - i <= suite)
            return false;
        unsigned code = suite == 0 ? c : c & (0x7Fu >> (suite + 1));
        for (size_t k = 1; k <= suite; k++) {
            auto s = static_cast<unsigned char>(t[i + k]);
            if ((s & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (s & 0x3Fu);
        }
        if (code < minimum[suite] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0))
            return false;
        i += suite + 1;
    }
    return true;
}
