#include "view/tracking_report.h"

#include "util/text.h"

namespace tw {

void appendTrackingHeading(std::vector<std::string>& lines) {
    lines.push_back("TRACKING DATA");
    lines.push_back("-------------");
    lines.push_back(format("%26s %10s %10s", "LOW", "MID", "HIGH"));
    lines.push_back(format("%26s %10s %10s", "---", "---", "----"));
    lines.push_back("");
}

void appendTalkAroundHeading(std::vector<std::string>& lines) {
    for (const char* l : {"", "   TALK AROUND", "   -----------", ""}) lines.emplace_back(l);
}

std::string trackingRow(const char* label, int low, int mid, int high) {
    return format("%16s %9d %10d %10d", label, low, mid, high);
}

}  // namespace tw
