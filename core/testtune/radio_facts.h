#pragma once

#include <cstdint>
#include <string>

namespace tw::testtune {

// What the test link reads from a radio at every connect and resync.
struct RadioFacts {
    std::uint8_t radioType = 0;  // memory 20:37; 0 until read
    std::uint8_t versionMajor = 0;
    std::uint8_t versionMinor = 0;
    std::uint8_t band = 0;  // 8: 800 MHz split, 9: 900 MHz split; 0 until read
};

// Band codes and the memory bytes that carry them.
inline constexpr std::uint8_t kBand800 = 8;
inline constexpr std::uint8_t kBand900 = 9;

// The radio type codes a test link accepts, in the order a reply is matched against them.
inline constexpr std::uint8_t kTestRadioTypes[] = {0x60, 0x61, 0x5E, 0x58, 0x5F, 0x59,
                                                   0x65, 0x66, 0x67, 0x68, 0x69, 0x6A};

// Display name of a radio type code ("Unknown" for codes outside the family's list).
// The BLT page names the same codes; both should come from one table.
std::string testRadioTypeName(std::uint8_t code);

// One line for the technician: type, code version, band split.
std::string describeFacts(const RadioFacts& facts);

}  // namespace tw::testtune
