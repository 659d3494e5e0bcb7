// printf-style formatting into a std::string, for messages built in C++.
#pragma once

#include <string>

namespace hote {

// The compiler checks the arguments against the format, as for printf.
std::string texte(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace hote
