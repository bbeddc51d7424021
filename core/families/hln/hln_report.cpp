#include "families/hln/hln_page.h"
#include "families/hln/tracking_layout.h"
#include "util/text.h"
#include "view/tracking_report.h"

namespace tw::hln {
namespace {

using namespace ids;

struct Row {
    const char* label;
    int low, mid, high;
};

}  // namespace

std::vector<std::string> CHlnmaintDlg::ReportLines() {
    takeFeatureText();
    auto value = [&](int id) { return leadingInt(text(id)); };
    auto row = [&](const Row& r) {
        return trackingRow(r.label, value(r.low), value(r.mid), value(r.high));
    };
    std::vector<std::string> lines = {
        format("SERIAL NUMBER:   %s", text(kSerial).c_str()),  "",
        format("FEATURE DATA:   %s", text(kFeatures).c_str()), "",
        format("RADIO TYPE:   %s", text(kModel).c_str()),      "",
    };
    appendTrackingHeading(lines);
    lines.push_back(row({"SQUELCH:", kSquelchLow, kSquelchMid, kSquelchHigh}));
    lines.push_back("");
    for (const Row& r : {Row{"HIGH POWER:", kHighPowerLow, kHighPowerMid, kHighPowerHigh},
                         Row{"LOW POWER:", kLowPowerLow, kLowPowerMid, kLowPowerHigh},
                         Row{"MODULATION:", kModLow, kModMid, kModHigh},
                         Row{"DATA MODULATION:", kDataModLow, kDataModMid, kDataModHigh}})
        lines.push_back(row(r));
    appendTalkAroundHeading(lines);
    for (const Row& r : {Row{"HIGH POWER:", kTaHighPowerLow, kTaHighPowerMid, kTaHighPowerHigh},
                         Row{"LOW POWER:", kTaLowPowerLow, kTaLowPowerMid, kTaLowPowerHigh},
                         Row{"MODULATION:", kTaModLow, kTaModMid, kTaModHigh},
                         Row{"DATA MODULATION:", kTaDataModLow, kTaDataModMid, kTaDataModHigh}})
        lines.push_back(row(r));
    return lines;
}

}  // namespace tw::hln
