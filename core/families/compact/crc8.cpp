#include "families/compact/crc8.h"

namespace tw::compact {

namespace {

constexpr std::uint8_t kPolynomial = 0x85;

}  // namespace

std::uint8_t crc8(const std::uint8_t* data, std::size_t count) {
    std::uint8_t crc = 0;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80) ? static_cast<std::uint8_t>((crc << 1) ^ kPolynomial)
                               : static_cast<std::uint8_t>(crc << 1);
    }
    return crc;
}

}  // namespace tw::compact
