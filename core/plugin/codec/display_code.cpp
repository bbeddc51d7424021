#include "plugin/codec/display_code.h"

namespace tw {

std::string decodeDisplayName(const std::uint8_t* bytes, std::size_t count) {
    std::string name;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned v = bytes[i];
        if (v == 0 || v >= 0xD1) continue;
        if (v == 0x50)
            name += ' ';
        else if (v >= 0x51 && v <= 0x59)
            name += static_cast<char>('1' + (v - 0x51));
        else if (v == 0x5A)
            name += '0';
        else if (v == 0x5B)
            name += '*';
        else if (v == 0x5C)
            name += '=';
        else if (v == 0x5D)
            name += '_';
        else
            name += static_cast<char>(v <= 0x25 ? v + 0x30 : v + 0x2F);
    }
    return name;
}

std::uint8_t displayCodeOf(char c) {
    const unsigned ch = static_cast<unsigned char>(c);
    if (ch == ' ') return 0x50;
    if (ch >= '1' && ch <= '9') return static_cast<std::uint8_t>(0x51 + (ch - '1'));
    if (ch == '0') return 0x5A;
    if (ch == '*') return 0x5B;
    if (ch == '=') return 0x5C;
    if (ch == '_') return 0x5D;
    if (ch >= 0x31 && ch <= 0x55) return static_cast<std::uint8_t>(ch - 0x30);
    if (ch >= 0x56) {
        const unsigned v = ch - 0x2F;
        if (v < 0x50 || v > 0x5D) return static_cast<std::uint8_t>(v);
    }
    return 0x50;
}

}  // namespace tw
