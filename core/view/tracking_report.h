#pragma once

#include <array>
#include <string>
#include <vector>

namespace tw {

// The tracking-data table that the KVR and HLN maintenance reports share: a heading with the
// LOW/MID/HIGH column heads, rows of a right-aligned label and three values, and the heading
// of the talk-around part.
// The columns' names on the pages: "Squelch, Low" names one value.
inline constexpr std::array<const char*, 3> kTrackingColumns = {"Low", "Mid", "High"};

void appendTrackingHeading(std::vector<std::string>& lines);
void appendTalkAroundHeading(std::vector<std::string>& lines);
std::string trackingRow(const char* label, int low, int mid, int high);

}  // namespace tw
