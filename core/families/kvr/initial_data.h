#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw::kvr {

// Frequency range of a band split, in Hz.
struct BandEdges {
    double txLow = 0, txHigh = 0, rxLow = 0, rxHigh = 0;
    bool operator==(const BandEdges&) const = default;
};

// The initial data block at radio address 0x0000:
//   byte 0      bits 7..4 radio type index, bits 3..0 band-split code
//   bytes 1-66  further identification, carried through untouched
//   byte 67     checksum: all 68 bytes sum to 0 modulo 256
struct InitialData {
    static constexpr std::size_t kSize = 68;
    static constexpr std::size_t kChecksumByte = 67;
    static constexpr std::uint16_t kAddress = 0x0000;
    static constexpr std::uint8_t kMaxRadioType = 3;
    static constexpr std::uint8_t kUnknownBandSplit = 11;

    std::array<std::uint8_t, kSize> image{};
    std::uint8_t radioType = 0;      // 0..3
    std::uint8_t bandSplitCode = 0;  // a known code, or 11
    BandEdges edges;
};

// The radio type names, indexed by radio type.
extern const std::array<const char*, 4> kRadioTypeNames;

// Edges of a band-split code; an unknown code gets the 800 MHz edges and becomes 11.
BandEdges edgesOfBandSplit(std::uint8_t code, std::uint8_t* storedCode = nullptr);

// Decodes the 136 characters the radio sends for the block. The type and code come from the
// first two characters (either case; a non-digit counts as 0); each byte pair is parsed as a
// base-16 number that ends at its first non-digit. Needs at least 136 characters.
InitialData decodeInitialData(const std::string& text);

// The block as sent back: byte 0 set from the chosen type and code, byte 67 recomputed, and
// every byte as two upper-case hexadecimal characters (136 characters).
std::string encodeInitialData(std::array<std::uint8_t, InitialData::kSize> image,
                              std::uint8_t radioType, std::uint8_t bandSplitCode);

}  // namespace tw::kvr
