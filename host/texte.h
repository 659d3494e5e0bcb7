// printf-style formatting into a std::string, for messages built in C++.
#pragma once

#include <string>
#include <string_view>

namespace hote {

// The compiler checks the arguments against the format, as for printf.
std::string texte(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Bytes from outside (a command line, a file) as a person can read them in a
// message: valid UTF-8 is kept, every other byte (a control character, a byte
// no UTF-8 text holds there) is written \xHH.
std::string lisible(std::string_view brut);

} // namespace hote
