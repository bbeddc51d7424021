#include "families/kvr/kvr_report.h"

#include <cctype>

#include "util/text.h"
#include "view/tracking_report.h"

namespace tw::kvr {

namespace {

int valueOf(const TrackingTexts& texts, int control) {
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        if (kTrackingValues[i].control == control) return leadingInt(texts[i]);
    return 0;
}

std::string row(const TrackingTexts& t, const TrackingRow& r) {
    std::string label = r.name;
    for (char& c : label) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    label += ":";
    const auto& ids = r.controls;
    return trackingRow(label.c_str(), valueOf(t, ids[0]), valueOf(t, ids[1]), valueOf(t, ids[2]));
}

}  // namespace

std::vector<std::string> kvrReportLines(const TrackingTexts& t) {
    std::vector<std::string> lines = {"RADIO TYPE:   KVR TYPE", ""};
    appendTrackingHeading(lines);
    bool talkAround = false;
    for (const auto& r : kTrackingRows) {
        if (r.talkAround && !talkAround) appendTalkAroundHeading(lines);
        talkAround = r.talkAround;
        lines.push_back(row(t, r));
        // The squelch row stands apart from the power rows.
        if (&r == &kTrackingRows.front()) lines.push_back("");
    }
    return lines;
}

}  // namespace tw::kvr
