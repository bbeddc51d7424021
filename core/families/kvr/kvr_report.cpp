#include "families/kvr/kvr_report.h"

#include "util/text.h"

namespace tw::kvr {

namespace {

int valueOf(const TrackingTexts& texts, int control) {
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        if (kTrackingValues[i].control == control) return leadingInt(texts[i]);
    return 0;
}

std::string row(const TrackingTexts& t, const char* label, const std::array<int, 3>& ids) {
    return format("%16s %9d %10d %10d", label, valueOf(t, ids[0]), valueOf(t, ids[1]),
                  valueOf(t, ids[2]));
}

}  // namespace

std::vector<std::string> kvrReportLines(const TrackingTexts& t) {
    return {
        "RADIO TYPE:   KVR TYPE",
        "",
        "TRACKING DATA",
        "-------------",
        format("%26s %10s %10s", "LOW", "MID", "HIGH"),
        format("%26s %10s %10s", "---", "---", "----"),
        "",
        row(t, "SQUELCH:", rows::kSquelch),
        "",
        row(t, "HIGH POWER:", rows::kHighPower),
        row(t, "LOW POWER:", rows::kLowPower),
        row(t, "MODULATION:", rows::kModulation),
        "",
        "   TALK AROUND",
        "   -----------",
        "",
        row(t, "HIGH POWER:", rows::kTalkAroundHighPower),
        row(t, "LOW POWER:", rows::kTalkAroundLowPower),
        row(t, "MODULATION:", rows::kTalkAroundModulation),
    };
}

}  // namespace tw::kvr
