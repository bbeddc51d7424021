#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "families/blt/radio_types.h"

namespace tw::blt {

// Operations of the radio-connection object, numbered as the connection library numbers them.
enum class ECommand : int {
    Jump = 4,
    UpgradeTracking = 5,
    WriteTrackingToRadio = 6,
    EditTracking = 8,
    WriteTrackingFile = 9,
    ReadTrackingFile = 10,
    WriteFeaturesToRadio = 11,
    EditFeatures = 13,
    WriteFeatureFile = 14,
    ReadFeatureFile = 15,
    ReadStatus = 16,
    CodeFileName = 17,
    ReadAdiFile = 30,
    ReadDspFile = 33,
    FlashDesktopBoard = 35,
    ReadRadioCode = 36,
    RadioRecovery = 42,
};

// Tracking data: six arrays of 32-bit words held back to back. Which word means what depends
// on the tracking version (tracking_layout.h).
inline constexpr std::array<std::size_t, 6> kArraySizes = {18, 21, 25, 28, 52, 93};
inline constexpr std::size_t kTrackingWords = 237;

constexpr std::size_t arrayStart(std::size_t array) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < array; ++i) start += kArraySizes[i];
    return start;
}

inline constexpr std::size_t kFeatureBlockSize = 256;
inline constexpr std::size_t kFeatureRecordSize = 26;
inline constexpr std::size_t kFeatureLengthWord = 3;
inline constexpr std::size_t kSerialBytes = 6;

// Tracking versions. 1 and 2 are the first BLT layouts (four and five power points); 3 is the
// version-7 data of switchable BLT/Lyra radios (wide and narrow band) that Version Upgrade
// makes from 1 or 2; 4 is the Lyra/NOVAC 60M layout; 5 and 6 the Ocelot layouts (five and
// seven power points); 7 the R210/R310/V310 layout with three bands.
inline constexpr int kVersionSeven = 3;
inline constexpr int kMaxTrackingVersion = 7;
// trackingFormat value of tracking data with three power rows.
inline constexpr int kThreePowerRows = 100;

// What the connection object holds between operations: the last radio's status and the
// tracking and feature data, from the radio, a file or the editors.
struct RadioData {
    std::int8_t memorySizeCode = 0;  // units of 64 K; 0 unknown
    std::uint8_t radioTypeCode = 0;
    std::int32_t hardwareLevel = 0;
    std::string codeFileName;
    std::string adiDspFileName;
    std::int32_t dspSelect = 0;
    std::array<std::uint32_t, kTrackingWords> trackingArrays{};
    std::int32_t trackingVersion = 0;
    std::int32_t trackingFormat = 0;
    std::array<std::uint8_t, kFeatureBlockSize> featureBlock{};
    std::array<std::uint32_t, 4> featureWords{};
    std::int32_t statusFresh = 0;
    std::array<std::uint8_t, kSerialBytes> serialNumber{};
    std::string statusText;  // lines ended by "\r\n", as the radio reports them
    // Desktop frequency-select board: set on a connection of its own before opening
    // (boardMode 1) and before flashing (flashMode 0, hardwareLevel 2).
    std::int32_t boardMode = 0;
    std::int32_t flashMode = 1;

    std::uint32_t featureLength() const { return featureWords[kFeatureLengthWord]; }
    // Memory in K: code x 64, except a NOVAC 60M's code 8, which means 1024 K.
    int memoryKilobytes() const {
        return radioTypeCode == kTypeNovac60M && memorySizeCode == 8 ? 1024 : memorySizeCode * 64;
    }
    std::uint32_t& word(std::size_t array, std::size_t index) {
        return trackingArrays[arrayStart(array) + index];
    }
};

// The record the status read fills; the page uses only the radio type.
struct RadioStatus {
    std::int32_t radioType = 0;
    std::int32_t hardwareLevel = 0;
    std::int32_t memorySizeCode = 0;
};

// The held tracking data a write must keep while connecting reads the radio's over it.
struct TrackingCopy {
    std::array<std::uint32_t, kTrackingWords> arrays{};
    std::int32_t version = 0;
    std::int32_t format = 0;
};

struct FeatureCopy {
    std::array<std::uint8_t, kFeatureBlockSize> block{};
    std::array<std::uint32_t, 4> words{};
};

inline TrackingCopy copyTracking(const RadioData& d) {
    return {d.trackingArrays, d.trackingVersion, d.trackingFormat};
}
inline void restoreTracking(RadioData& d, const TrackingCopy& c) {
    d.trackingArrays = c.arrays;
    d.trackingVersion = c.version;
    d.trackingFormat = c.format;
}
inline FeatureCopy copyFeatures(const RadioData& d) {
    return {d.featureBlock, d.featureWords};
}
inline void restoreFeatures(RadioData& d, const FeatureCopy& c) {
    d.featureBlock = c.block;
    d.featureWords = c.words;
}

}  // namespace tw::blt
