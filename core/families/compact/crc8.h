#pragma once

#include <cstddef>
#include <cstdint>

namespace tw::compact {

// The check byte WLA radios put on every flash block and on their code read-back: generator
// x^8 + x^7 + x^2 + 1 (0x85), most significant bit first, starting from 0, not inverted.
std::uint8_t crc8(const std::uint8_t* data, std::size_t count);

}  // namespace tw::compact
