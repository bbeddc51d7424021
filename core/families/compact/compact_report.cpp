#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "util/text.h"

namespace tw::compact {

namespace {

int number(const Controls& c, int id) {
    return leadingInt(c.text(id));
}

std::string headLine(const Controls& c) {
    return format("Band Split    %s      Version     %s", c.text(kBandSplitText).c_str(),
                  c.text(kVersionText).c_str());
}

std::string pairLine(const char* fmt, const Controls& c, int wide, int narrow) {
    return format(fmt, number(c, wide), number(c, narrow));
}

std::string rowLine(const char* fmt, const Controls& c, int low, int mid, int high) {
    return format(fmt, number(c, low), number(c, mid), number(c, high));
}

// The squelch head and the talk-around table both reports share.
void addSquelchHead(std::vector<std::string>& lines) {
    lines.push_back("  Squelch:");
    lines.push_back("              Wide Band  Narrow Band");
}

void addTalkAround(std::vector<std::string>& lines, const Controls& c) {
    lines.push_back("");
    lines.push_back("");
    lines.push_back(" Talk Around:");
    lines.push_back("               Low     Mid     High");
    lines.push_back(rowLine("RF Low Power   %3d     %3d     %3d", c, kRfLowPowerLow, kRfLowPowerMid,
                            kRfLowPowerHigh));
    lines.push_back(rowLine("RF High Power  %3d     %3d     %3d", c, kRfHighPowerLow,
                            kRfHighPowerMid, kRfHighPowerHigh));
    lines.push_back(
        rowLine("Tx Deviation   %3d     %3d     %3d", c, kTxDevLow, kTxDevMid, kTxDevHigh));
    lines.push_back("");
    lines.push_back("");
}

}  // namespace

std::vector<std::string> wlbReportLines(const Controls& c) {
    std::vector<std::string> lines{"Radio Type = WLB", headLine(c), ""};
    addSquelchHead(lines);
    lines.push_back(pairLine("Opening        %3d           %3d", c, kSquelchOpeningWide,
                             kSquelchOpeningNarrow));
    lines.push_back(pairLine("Closing        %3d           %3d", c, kSquelchClosingWide,
                             kSquelchClosingNarrow));
    lines.push_back(pairLine("Offset Low     %3d           %3d", c, kSquelchOffsetLowWide,
                             kSquelchOffsetLowNarrow));
    lines.push_back(pairLine("Offset High    %3d           %3d", c, kSquelchOffsetHighWide,
                             kSquelchOffsetHighNarrow));
    addTalkAround(lines, c);
    lines.push_back(
        format("Ref Oscillator Frequency Adjust   %3d", number(c, kRefOscillatorAdjust)));
    lines.push_back("");
    lines.push_back(format("Low Voltage Cutoff                %3d", number(c, kLowVoltageCutoff)));
    lines.push_back("");
    lines.push_back(
        format("Adjustable Squelch Offset         %3d", number(c, kAdjustableSquelchOffset)));
    return lines;
}

std::vector<std::string> CWlbPage::ReportLines() {
    return wlbReportLines(controls_);
}

void CMarten60PPage::MartenReportLines(std::vector<std::string>& lines) {
    // The values print as the fields last held them whole; a field out of range is named
    // and the report keeps the values from before.
    takeValues();
    failedField_ = 0;  // a report leaves the focus where it is
    Controls values;
    for (const auto& f : model().fields)
        values.add(f.control, std::to_string(record()[f.recordByte]));
    values.add(kBandSplitText, controls_.text(kBandSplitText));
    values.add(kVersionText, controls_.text(kVersionText));

    lines.clear();
    lines.push_back("Radio Type = MARTEN 60P");
    lines.push_back(headLine(values));
    addSquelchHead(lines);
    lines.push_back(pairLine("Opening        %3d           %3d", values, kSquelchOpeningWide,
                             kSquelchOpeningNarrow));
    lines.push_back(pairLine("Closing        %3d           %3d", values, kSquelchClosingWide,
                             kSquelchClosingNarrow));
    addTalkAround(lines, values);
    lines.push_back(
        format("Ref Oscillator Frequency Adjust   %3d", number(values, kRefOscillatorAdjust)));
    lines.push_back(
        format("Low Voltage Cutoff                %3d", number(values, kLowVoltageCutoff)));
    lines.push_back(format("Tx Deviation Offset         %3d", number(values, kTxDevOffset)));
}

std::vector<std::string> CMarten60PPage::ReportLines() {
    std::vector<std::string> lines;
    MartenReportLines(lines);
    return lines;
}

}  // namespace tw::compact
