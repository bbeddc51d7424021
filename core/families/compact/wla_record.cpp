#include "families/compact/wla_record.h"

#include <cstdlib>

#include "util/text.h"

namespace tw::compact {

namespace {

constexpr int kByteMax = 255;
constexpr int kDeviationMax = 31;
constexpr int kSquelchMin = -9;
constexpr int kSquelchMax = 8;

// The value of a box as the dialog data exchange reads it: optional blanks and a sign, then
// digits only. An empty box is 0.
std::optional<long> wholeNumber(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty()) return 0;
    std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size() || t.size() - i > 6) return std::nullopt;
    for (std::size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9') return std::nullopt;
    return std::strtol(t.c_str(), nullptr, 10);
}

}  // namespace

using namespace wla_ids;

const std::array<WlaField, kWlaRecordSize> kWlaFields = {{
    {kTxLowPowerLow, "TX Low Power", "Low", 0, kByteMax, false},
    {kTxLowPowerMid, "TX Low Power", "Mid", 0, kByteMax, false},
    {kTxLowPowerHigh, "TX Low Power", "High", 0, kByteMax, false},
    {kTxHighPowerLow, "TX High Power", "Low", 0, kByteMax, false},
    {kTxHighPowerMid, "TX High Power", "Mid", 0, kByteMax, false},
    {kTxHighPowerHigh, "TX High Power", "High", 0, kByteMax, false},
    {kDeviationSp1Low, "TX Deviation SP1", "Low", 0, kDeviationMax, false},
    {kDeviationSp1Mid, "TX Deviation SP1", "Mid", 0, kDeviationMax, false},
    {kDeviationSp1High, "TX Deviation SP1", "High", 0, kDeviationMax, false},
    {kDeviationSp2Low, "TX Deviation SP2", "Low", 0, kDeviationMax, false},
    {kDeviationSp2Mid, "TX Deviation SP2", "Mid", 0, kDeviationMax, false},
    {kDeviationSp2High, "TX Deviation SP2", "High", 0, kDeviationMax, false},
    {kSquelch20Low, "Squelch 20", "Low", kSquelchMin, kSquelchMax, true},
    {kSquelch25Low, "Squelch 25/30", "Low", kSquelchMin, kSquelchMax, true},
    {kSquelch125Low, "Squelch 12.5", "Low", kSquelchMin, kSquelchMax, true},
    {kSquelch20Mid, "Squelch 20", "Mid", kSquelchMin, kSquelchMax, true},
    {kSquelch25Mid, "Squelch 25/30", "Mid", kSquelchMin, kSquelchMax, true},
    {kSquelch125Mid, "Squelch 12.5", "Mid", kSquelchMin, kSquelchMax, true},
    {kSquelch20High, "Squelch 20", "High", kSquelchMin, kSquelchMax, true},
    {kSquelch25High, "Squelch 25/30", "High", kSquelchMin, kSquelchMax, true},
    {kSquelch125High, "Squelch 12.5", "High", kSquelchMin, kSquelchMax, true},
}};

const WlaLayout& wlaLayout() {
    using namespace wla_rows;
    auto row = [](const char* label, const std::array<int, 3>& ids) {
        return GridRow{label, {ids.begin(), ids.end()}};
    };
    static const WlaLayout layout{
        {{{{"Low", "Mid", "High"},
           {row("TX Low Power:", kTxLowPower), row("TX High Power:", kTxHighPower),
            row("TX Deviation SP1:", kTxDeviationSp1), row("TX Deviation SP2:", kTxDeviationSp2)}},
          {{"Low", "Mid", "High"},
           {row("Squelch 12.5:", kSquelch125), row("Squelch 20:", kSquelch20),
            row("Squelch 25/30:", kSquelch25)}}}},
        kTxLowPowerLow};
    return layout;
}

void showRecord(const WlaRecord& record, Controls& controls) {
    for (std::size_t i = 0; i < kWlaRecordSize; ++i) {
        const int value = kWlaFields[i].isSigned ? static_cast<std::int8_t>(record[i]) : record[i];
        controls.setText(kWlaFields[i].control, std::to_string(value));
    }
}

std::optional<WlaRecord> takeRecord(const Controls& controls, std::string& problem,
                                    int* failedControl) {
    WlaRecord record{};
    for (std::size_t i = 0; i < kWlaRecordSize; ++i) {
        const WlaField& f = kWlaFields[i];
        const auto value = wholeNumber(controls.text(f.control));
        if (!value || !f.rule().admits(*value)) {
            problem = format("%s %s must be a whole number from %d to %d.", f.row, f.column,
                             f.minimum, f.maximum);
            if (failedControl) *failedControl = f.control;
            return std::nullopt;
        }
        // Squelch values go to the radio as the low 8 bits of the signed number.
        record[i] = static_cast<std::uint8_t>(*value & 0xFF);
    }
    problem.clear();
    return record;
}

std::optional<std::string> wlaFieldProblem(int control, const std::string& text) {
    for (const auto& f : kWlaFields)
        if (f.control == control) return fieldMark(f.rule(), wholeNumber(text));
    return std::nullopt;
}

bool allFieldsZero(const Controls& controls) {
    for (const auto& f : kWlaFields)
        if (controls.text(f.control) != "0") return false;
    return true;
}

}  // namespace tw::compact
