#include "plugin/codec/image_format.h"

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

std::uint16_t crc16Usb(const std::uint8_t* data, std::size_t count) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int b = 0; b < 8; ++b)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return static_cast<std::uint16_t>(~crc);
}

}  // namespace tw
