#include "util/hex.h"

namespace tw {

std::string hexPair(std::uint8_t byte) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string{digits[byte >> 4], digits[byte & 0x0F]};
}

std::string hexEncode(const std::uint8_t* data, std::size_t count) {
    std::string out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) out += hexPair(data[i]);
    return out;
}

int strictHexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

std::uint8_t strictHexPair(char high, char low) {
    return static_cast<std::uint8_t>(strictHexDigit(high) * 16 + strictHexDigit(low));
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::uint8_t byteChecksum(const std::uint8_t* data, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += data[i];
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

}  // namespace tw
