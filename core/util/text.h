#pragma once

#include <cstdint>
#include <string>

namespace tw {

std::string trim(const std::string& s);
bool equalsNoCase(const std::string& a, const std::string& b);
// atoi-like: optional blanks and sign, then digits; anything else ends the number (0 if none).
int leadingInt(const std::string& s);
// printf into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tw
