#pragma once

#include <string>

namespace tw {

// The C library's decimal conversion as the host's fields rely on it: leading blanks, a
// sign, digits with one decimal point and an optional exponent; whatever follows is
// ignored and a text without a numeric prefix is 0.0. Always in the "C" locale (a comma
// locale must not read "4.5" as 4), decimal forms only ("nan", "inf" and "0x10" give 0.0,
// 0.0 and 0.0). Out-of-range magnitudes saturate.
double cDecimal(const std::string& text);

// The C library's integer conversion: leading blanks, a sign, decimal digits. A value
// beyond the range of int saturates instead of being undefined.
int cInteger(const std::string& text);

}  // namespace tw
