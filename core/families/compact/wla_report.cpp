#include "families/compact/wla_report.h"

#include <array>
#include <cstdint>

#include "families/compact/wla_record.h"
#include "util/text.h"

namespace tw::compact {

namespace {

std::string row(const char* fmt, const Controls& controls, const std::array<int, 3>& ids,
                bool isSigned) {
    int v[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const int n = leadingInt(controls.text(ids[i]));
        // Squelch boxes hold signed 16-bit page values.
        v[i] = isSigned ? static_cast<std::int16_t>(n) : n;
    }
    return format(fmt, v[0], v[1], v[2]);
}

}  // namespace

std::vector<std::string> wlaReportLines(const Controls& controls, const std::string& bandText,
                                        const std::string& powerText) {
    using namespace wla_rows;
    std::vector<std::string> lines = {
        "Radio Type = WLA", bandText, powerText, "", "", "                    Low    Mid    High"};
    lines.push_back(row("TX Low Power        %3d    %3d     %3d", controls, kTxLowPower, false));
    lines.push_back(row("TX High Power       %3d    %3d     %3d", controls, kTxHighPower, false));
    lines.push_back(
        row("TX Deviation SP1    %3d    %3d     %3d", controls, kTxDeviationSp1, false));
    lines.push_back(
        row("TX Deviation SP2    %3d    %3d     %3d", controls, kTxDeviationSp2, false));
    lines.push_back("");
    lines.push_back("");
    lines.push_back(row("Squelch 12.5        %3d    %3d     %3d", controls, kSquelch125, true));
    lines.push_back(row("Squelch 20.0        %3d    %3d     %3d", controls, kSquelch20, true));
    lines.push_back(row("Squelch 25.0        %3d    %3d     %3d", controls, kSquelch25, true));
    return lines;
}

}  // namespace tw::compact
