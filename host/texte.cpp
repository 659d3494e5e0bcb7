#include "texte.h"

#include <cstdarg>
#include <cstdio>

namespace hote {

std::string texte(const char *format, ...)
{
    va_list arguments, copie;
    va_start(arguments, format);
    va_copy(copie, arguments);
    int n = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    std::vsnprintf(s.data(), s.size() + 1, format, copie);
    va_end(copie);
    return s;
}

std::string lisible(std::string_view brut)
{
    std::string t;
    for (size_t i = 0; i < brut.size();) {
        auto c = static_cast<unsigned char>(brut[i]);
        // The length of the sequence c opens, its value, and whether it is
        // whole, in its shortest form, and no surrogate, control or
        // code point past U+10FFFF.
        size_t n = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        unsigned code = n == 1 ? c : c & (0x7Fu >> n);
        bool valide = n > 0 && brut.size() - i >= n;
        for (size_t k = 1; valide && k < n; k++) {
            auto s = static_cast<unsigned char>(brut[i + k]);
            valide = (s & 0xC0) == 0x80;
            code = (code << 6) | (s & 0x3Fu);
        }
        static const unsigned minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valide = valide && code >= minimum[n] && code <= 0x10FFFF &&
                 !(code >= 0xD800 && code <= 0xDFFF) && code >= 0x20 && code != 0x7F &&
                 !(code >= 0x80 && code < 0xA0);
        if (valide) {
            t.append(brut.substr(i, n));
            i += n;
        } else {
            t += texte("\\x%02X", c);
            i++;
        }
    }
    return t;
}

} // namespace hote
