#pragma once

#include <array>
#include <optional>
#include <string>

#include "families/compact/value_grid.h"
#include "families/compact/wla_protocol.h"
#include "view/controls.h"
#include "view/field_rule.h"

namespace tw::compact {

// One byte of the tracking record and the edit box that shows it.
struct WlaField {
    int control;
    const char* row;     // "TX Low Power", ...
    const char* column;  // "Low", "Mid", "High"
    int minimum;
    int maximum;
    bool isSigned;  // squelch: the byte is a signed 8-bit number

    constexpr FieldRule rule() const { return {minimum, maximum}; }
};

// In record byte order.
extern const std::array<WlaField, kWlaRecordSize> kWlaFields;

// Control ids of the WLA tracking boxes.
namespace wla_ids {
inline constexpr int kTxLowPowerLow = 1006, kTxLowPowerMid = 1010, kTxLowPowerHigh = 1014;
inline constexpr int kTxHighPowerLow = 1018, kTxHighPowerMid = 2012, kTxHighPowerHigh = 1023;
inline constexpr int kDeviationSp1Low = 1035, kDeviationSp1Mid = 1038, kDeviationSp1High = 1041;
inline constexpr int kDeviationSp2Low = 1044, kDeviationSp2Mid = 1047, kDeviationSp2High = 1050;
inline constexpr int kSquelch20Low = 1072, kSquelch20Mid = 1077, kSquelch20High = 1080;
inline constexpr int kSquelch25Low = 1085, kSquelch25Mid = 1088, kSquelch25High = 1091;
inline constexpr int kSquelch125Low = 1094, kSquelch125Mid = 1097, kSquelch125High = 1100;
}  // namespace wla_ids

// Control ids by row, columns low, mid, high (layout and report order).
namespace wla_rows {
using namespace wla_ids;
inline constexpr std::array<int, 3> kTxLowPower = {kTxLowPowerLow, kTxLowPowerMid, kTxLowPowerHigh};
inline constexpr std::array<int, 3> kTxHighPower = {kTxHighPowerLow, kTxHighPowerMid,
                                                    kTxHighPowerHigh};
inline constexpr std::array<int, 3> kTxDeviationSp1 = {kDeviationSp1Low, kDeviationSp1Mid,
                                                       kDeviationSp1High};
inline constexpr std::array<int, 3> kTxDeviationSp2 = {kDeviationSp2Low, kDeviationSp2Mid,
                                                       kDeviationSp2High};
inline constexpr std::array<int, 3> kSquelch125 = {kSquelch125Low, kSquelch125Mid, kSquelch125High};
inline constexpr std::array<int, 3> kSquelch20 = {kSquelch20Low, kSquelch20Mid, kSquelch20High};
inline constexpr std::array<int, 3> kSquelch25 = {kSquelch25Low, kSquelch25Mid, kSquelch25High};
}  // namespace wla_rows

// Where the window puts the tracking boxes: two blocks side by side, the power and deviation
// rows first, then the squelch rows.
struct WlaLayout {
    std::array<ValueGrid, 2> blocks;
    int firstControl;  // the box that takes the focus when the tab is shown
};
const WlaLayout& wlaLayout();

// Record to edit boxes: decimal, squelch bytes as signed numbers.
void showRecord(const WlaRecord& record, Controls& controls);

// Edit boxes to record, checking each value against its range in record order. Nothing and
// `problem` set at the first box that is no whole number in range (and `failedControl`, when
// given, to that box): the record stays as it was.
std::optional<WlaRecord> takeRecord(const Controls& controls, std::string& problem,
                                    int* failedControl = nullptr);

// The mark of tracking box `control` for `text` by its range (nothing for other boxes).
std::optional<std::string> wlaFieldProblem(int control, const std::string& text);

// True when every tracking box shows exactly "0".
bool allFieldsZero(const Controls& controls);

}  // namespace tw::compact
