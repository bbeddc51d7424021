#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw::compact {

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
};

const CompactModel& wlbModel();
const CompactModel& marten60pModel();

// Display fields and the field the zero question leaves out, shared by both pages.
inline constexpr int kVersionText = 2060;
inline constexpr int kBandSplitText = 2061;
inline constexpr int kTxDevHigh = 2055;
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
