#include "plugin/codec/image_format.h"

#include <array>
#include <cstdio>

namespace tw {

int systemFixedSize(int type) {
    switch (type) {
        case 0:
            return 5;
        case 1:
        case 2:
            return 11;
        case 3:
            return 7;
        default:
            return -1;
    }
}

std::string numberedName(const char* format, int number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

namespace {

// One table step per byte instead of eight bit steps: the CRC covers the whole image.
constexpr std::array<std::uint16_t, 256> makeCrcTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i);
        for (int b = 0; b < 8; ++b)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
        table[i] = crc;
    }
    return table;
}
constexpr std::array<std::uint16_t, 256> kCrcTable = makeCrcTable();

}  // namespace

std::uint16_t crc16Usb(const std::uint8_t* data, std::size_t count) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return static_cast<std::uint16_t>(~crc);
}

}  // namespace tw
