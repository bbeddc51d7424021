#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "families/compact/value_grid.h"

namespace tw::compact {

// Control ids of the WLB and MARTEN 60P pages. Only the WLB page has the squelch offsets and
// the adjustable squelch offset, only the MARTEN 60P page the TX Dev Offset.
inline constexpr int kSquelchOpeningWide = 2040;
inline constexpr int kSquelchOpeningNarrow = 2041;
inline constexpr int kSquelchClosingWide = 2042;
inline constexpr int kSquelchClosingNarrow = 2043;
inline constexpr int kSquelchOffsetLowWide = 2044;
inline constexpr int kSquelchOffsetLowNarrow = 2045;
inline constexpr int kSquelchOffsetHighWide = 2046;
inline constexpr int kSquelchOffsetHighNarrow = 2047;
inline constexpr int kRfLowPowerLow = 2048;
inline constexpr int kRfLowPowerMid = 2049;
inline constexpr int kRfHighPowerLow = 2050;
inline constexpr int kRfHighPowerMid = 2051;
inline constexpr int kRfHighPowerHigh = 2052;
inline constexpr int kTxDevLow = 2053;
inline constexpr int kTxDevMid = 2054;
inline constexpr int kTxDevHigh = 2055;  // the one value the zero question leaves out
inline constexpr int kRfLowPowerHigh = 2056;
inline constexpr int kRefOscillatorAdjust = 2057;
inline constexpr int kLowVoltageCutoff = 2058;
inline constexpr int kAdjustableSquelchOffset = 2059;
inline constexpr int kVersionText = 2060;    // shown, not typed
inline constexpr int kBandSplitText = 2061;  // shown, not typed
inline constexpr int kTxDevOffset = 2063;
inline constexpr int kWlbDefaultsButton = 2066;
inline constexpr int kMarten60pDefaultsButton = 2068;

// One tracking value of a WLB or MARTEN 60P radio: where it sits in the page's record, in the
// tracking file, and the name a range message gives it.
struct TrackingField {
    int control;
    std::size_t recordByte;
    std::size_t fileByte;
    const char* name;
};

// A block of radio memory as the "G4" and "G1" commands address it, and the record bytes it
// holds from `firstByte` on.
struct MemoryBlock {
    std::uint16_t address;
    std::uint8_t count;
    std::size_t firstByte;
};

// A factory value of one field for each of the five bands (signed: negative values go to the
// radio as their 8-bit two's complement).
struct DefaultValues {
    int control;
    std::array<int, 5> byBand;
};

inline constexpr int kBandCount = 5;

// Where the page's window puts its value boxes.
struct CompactLayout {
    ValueGrid squelch;  // a group of its own at the top of the tracking group
    ValueGrid table;    // below it
    ValueGrid singles;  // below the table: no heads, one box a row
    // Band split and version stand above the tracking group, not below it.
    bool textsFirst = false;
    int firstControl = 0;  // 0: the tab sets no focus of its own when it is shown
};

// Everything that tells a WLB from a MARTEN 60P page: their protocol is the same.
struct CompactModel {
    const char* family;      // history folder: "wlb", "marten60p"
    const char* radioName;   // what the history copy is named after (the radios have no serial)
    const char* extension;   // "tk5", "tk6"
    const char* fileFilter;  // file dialog filter
    const char* identity;    // the first two characters of the answer to "G2"
    std::size_t recordSize;  // tracking values plus the band index
    std::vector<TrackingField> fields;  // in record order
    std::vector<MemoryBlock> writtenBlocks;
    // A last write of `count` at `address` whose data are 2 * count zero bytes (not digit
    // characters); nothing reads it back. Count 0: the radio gets none.
    MemoryBlock zeroWrite{0, 0, 0};
    MemoryBlock bandBlock;  // read only
    // Version texts by the two characters of the identification's code; others "undefined".
    std::vector<std::pair<const char*, const char*>> versions;
    std::array<const char*, kBandCount> radioBandNames;
    std::array<const char*, kBandCount> fileBandNames;
    std::array<const char*, kBandCount> defaultBandNames;
    int defaultsButton;
    int dialogTemplate;                              // Choose Frequency Range
    std::array<const char*, kBandCount> rangeLines;  // its list
    std::vector<DefaultValues> defaults;
    // The field Defaults sets for every band (and the value), even an unknown one.
    int everyBandControl;
    int everyBandValue;
    CompactLayout layout;
};

const CompactModel& wlbModel();
const CompactModel& marten60pModel();

// How many characters the version and band split boxes hold.
inline constexpr std::size_t kVersionMaxChars = 15;
inline constexpr std::size_t kBandSplitMaxChars = 20;

// The text of a version code; "undefined" for any code the model does not list.
std::string versionText(const CompactModel& model, const std::string& code);
// A band name, "invalid" outside 0 to 4.
std::string bandName(const std::array<const char*, kBandCount>& names, int band);

// Record bytes in file order and back (a WLB or MARTEN 60P file keeps each squelch pair
// opening first, the radio closing first). Sizes are the caller's to check.
std::vector<std::uint8_t> recordToFile(const CompactModel& model,
                                       const std::vector<std::uint8_t>& record);
std::vector<std::uint8_t> fileToRecord(const CompactModel& model,
                                       const std::vector<std::uint8_t>& file);

}  // namespace tw::compact
