#include "families/kvr/kvr_report.h"

#include "util/text.h"
#include "view/tracking_report.h"

namespace tw::kvr {

namespace {

int valueOf(const TrackingTexts& texts, int control) {
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        if (kTrackingValues[i].control == control) return leadingInt(texts[i]);
    return 0;
}

std::string row(const TrackingTexts& t, const char* label, const std::array<int, 3>& ids) {
    return trackingRow(label, valueOf(t, ids[0]), valueOf(t, ids[1]), valueOf(t, ids[2]));
}

}  // namespace

std::vector<std::string> kvrReportLines(const TrackingTexts& t) {
    std::vector<std::string> lines = {"RADIO TYPE:   KVR TYPE", ""};
    appendTrackingHeading(lines);
    lines.push_back(row(t, "SQUELCH:", rows::kSquelch));
    lines.push_back("");
    lines.push_back(row(t, "HIGH POWER:", rows::kHighPower));
    lines.push_back(row(t, "LOW POWER:", rows::kLowPower));
    lines.push_back(row(t, "MODULATION:", rows::kModulation));
    appendTalkAroundHeading(lines);
    lines.push_back(row(t, "HIGH POWER:", rows::kTalkAroundHighPower));
    lines.push_back(row(t, "LOW POWER:", rows::kTalkAroundLowPower));
    lines.push_back(row(t, "MODULATION:", rows::kTalkAroundModulation));
    return lines;
}

}  // namespace tw::kvr
