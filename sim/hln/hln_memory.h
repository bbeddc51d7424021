#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::sim {

// How an HLN-family radio lays out its memory: a bank flag at 0 (non-zero: the data base
// is the word at 3), at base + 33 the offset of the pointer table, at base + 36 the
// data-layout version, and in the table the offsets of the tracking data (slot 21), the
// feature data (slot 27) and the auxiliary block (slot 61), each counted from the base.
struct HlnMemoryLayout {
    std::uint16_t imageSize = 4096;
    bool bank = true;
    std::uint16_t base = 0x0200;
    std::uint16_t table = 0x0040;
    std::uint8_t versionMajor = 6;
    std::uint8_t versionMinor = 70;
    std::uint16_t tracking = 0x0100;   // 0: the radio keeps no tracking data
    std::uint16_t feature = 0x0140;    // 0: no feature data
    std::uint16_t auxiliary = 0x0180;  // 0: no auxiliary block
    std::uint8_t featureCount = 9;     // N of the feature record (N + 5 bytes)

    // Reads "bank", "base", "version" (major.minor), "tracking", "features", "aux" and
    // "featurecount". A slot option of 0 empties the slot; any other number moves it.
    static HlnMemoryLayout fromOptions(std::uint16_t imageSize, const ModelOptions& options);

    std::uint16_t baseUsed() const { return bank ? base : 0; }
};

// A factory-fresh memory image with the layout's pointers, version, a tracking record, a
// feature record and an auxiliary block, the rest a counting pattern.
std::vector<std::uint8_t> buildHlnMemory(const HlnMemoryLayout& layout);

}  // namespace tw::sim
