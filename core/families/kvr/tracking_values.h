#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view/field_rule.h"

namespace tw::kvr {

// One of the 21 alignment values of the tracking block at radio address 0x17E0.
struct TrackingValue {
    int control;          // edit box id
    int radioByte;        // position in the 32-byte block
    int maximum;          // 255, or 31 for modulation
    const char* where;    // "low range squelch": invalid-character messages
    const char* setting;  // "low squelch": range messages

    constexpr FieldRule rule() const { return {0, maximum}; }
};

inline constexpr std::size_t kTrackingValueCount = 21;
inline constexpr std::size_t kTrackingBlockSize = 32;
inline constexpr std::uint16_t kTrackingAddress = 0x17E0;

// In the order of the radio block (and of the ".tk1" file).
extern const std::array<TrackingValue, kTrackingValueCount> kTrackingValues;

// Control ids of the 21 edit boxes, by row and column.
namespace ids {
inline constexpr int kSquelchLow = 1005, kSquelchMid = 1009, kSquelchHigh = 1013;
inline constexpr int kHighPowerLow = 1017, kHighPowerMid = 1020, kHighPowerHigh = 1022;
inline constexpr int kLowPowerLow = 1034, kLowPowerMid = 1037, kLowPowerHigh = 1040;
inline constexpr int kModLow = 1043, kModMid = 1046, kModHigh = 1049;
inline constexpr int kTaHighPowerLow = 1071, kTaHighPowerMid = 1076, kTaHighPowerHigh = 1079;
inline constexpr int kTaLowPowerLow = 1084, kTaLowPowerMid = 1087, kTaLowPowerHigh = 1090;
inline constexpr int kTaModLow = 1093, kTaModMid = 1096, kTaModHigh = 1099;
}  // namespace ids

// Control ids by row, columns low, mid, high (report and layout order).
namespace rows {
inline constexpr std::array<int, 3> kSquelch = {ids::kSquelchLow, ids::kSquelchMid,
                                                ids::kSquelchHigh};
inline constexpr std::array<int, 3> kHighPower = {ids::kHighPowerLow, ids::kHighPowerMid,
                                                  ids::kHighPowerHigh};
inline constexpr std::array<int, 3> kLowPower = {ids::kLowPowerLow, ids::kLowPowerMid,
                                                 ids::kLowPowerHigh};
inline constexpr std::array<int, 3> kModulation = {ids::kModLow, ids::kModMid, ids::kModHigh};
inline constexpr std::array<int, 3> kTalkAroundHighPower = {
    ids::kTaHighPowerLow, ids::kTaHighPowerMid, ids::kTaHighPowerHigh};
inline constexpr std::array<int, 3> kTalkAroundLowPower = {ids::kTaLowPowerLow, ids::kTaLowPowerMid,
                                                           ids::kTaLowPowerHigh};
inline constexpr std::array<int, 3> kTalkAroundModulation = {ids::kTaModLow, ids::kTaModMid,
                                                             ids::kTaModHigh};
}  // namespace rows

// The rows of the page, the window and the report: the plain rows, then the talk-around ones.
// The window builds its two groups of boxes from this table.
struct TrackingRow {
    const char* name;  // "High Power"; the window adds a colon, the report prints it in capitals
    std::array<int, 3> controls;
    bool talkAround;
};
extern const std::array<TrackingRow, 7> kTrackingRows;

// The texts of the 21 edit boxes, in kTrackingValues order.
using TrackingTexts = std::array<std::string, kTrackingValueCount>;

// The first failing check's message, in the order the technician has always seen them, or
// nothing when every value may leave the page; `failedControl`, when given, gets the box the
// message names.
std::optional<std::string> checkTrackingTexts(const TrackingTexts& texts,
                                              int* failedControl = nullptr);

// The mark of edit box `control` for `text` by its value's rule (nothing for other boxes).
std::optional<std::string> trackingFieldProblem(int control, const std::string& text);

// True when every box shows exactly "0" (an empty box does not count as zero here).
bool allTrackingZero(const TrackingTexts& texts);

// Decimal texts of the values in the 64 characters the radio sent. Modulation bytes are
// limited to 0..31 by capping their first character at "1".
TrackingTexts decodeTrackingBlock(const std::string& chars64);

// The 64 characters to write: checked values where the block has a value, the radio's own
// characters (as just read) everywhere else.
std::string encodeTrackingBlock(const TrackingTexts& texts, const std::string& radioChars64);

// ".tk1": the 21 values as two upper-case hexadecimal digits each, 42 bytes, nothing else.
inline constexpr std::size_t kTk1Size = 2 * kTrackingValueCount;
std::vector<std::uint8_t> encodeTk1(const TrackingTexts& texts);
// Needs exactly kTk1Size bytes.
std::optional<TrackingTexts> decodeTk1(const std::vector<std::uint8_t>& bytes);

// The decimal value of a checked text (empty is 0).
int trackingNumber(const std::string& text);

}  // namespace tw::kvr
