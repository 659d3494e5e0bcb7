// printf-style formatting into a std::string, for messages built in C++.
#pragma once

#include <cstdio>
#include <string>

namespace hote {

template <typename... Args>
std::string texte(const char *format, Args... args)
{
    int n = std::snprintf(nullptr, 0, format, args...);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    std::snprintf(s.data(), s.size() + 1, format, args...);
    return s;
}

} // namespace hote
