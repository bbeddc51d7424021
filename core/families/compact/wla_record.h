#pragma once

#include <array>
#include <optional>
#include <string>

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

// Control ids by row, columns low, mid, high (layout and report order).
namespace wla_rows {
inline constexpr std::array<int, 3> kTxLowPower = {1006, 1010, 1014};
inline constexpr std::array<int, 3> kTxHighPower = {1018, 2012, 1023};
inline constexpr std::array<int, 3> kTxDeviationSp1 = {1035, 1038, 1041};
inline constexpr std::array<int, 3> kTxDeviationSp2 = {1044, 1047, 1050};
inline constexpr std::array<int, 3> kSquelch125 = {1094, 1097, 1100};
inline constexpr std::array<int, 3> kSquelch20 = {1072, 1077, 1080};
inline constexpr std::array<int, 3> kSquelch25 = {1085, 1088, 1091};
}  // namespace wla_rows

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
