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

} // namespace hote
