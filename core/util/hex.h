#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

// A byte as two upper-case hexadecimal characters, high nibble first.
std::string hexPair(std::uint8_t byte);
std::string hexEncode(const std::uint8_t* data, std::size_t count);

// Strict digit: '0'-'9' and 'A'-'F' only; every other character, lower case included, is 0.
int strictHexDigit(char c);
// Two characters decoded with strictHexDigit.
std::uint8_t strictHexPair(char high, char low);

// Lenient digit as a base-16 number parser sees it: upper and lower case; -1 for a non-digit.
int hexDigitValue(char c);

// Two's complement of the 8-bit sum, so that the range plus the checksum sums to 0.
std::uint8_t byteChecksum(const std::uint8_t* data, std::size_t count);

}  // namespace tw
