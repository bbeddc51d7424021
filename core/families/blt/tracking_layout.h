#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "families/blt/radio_data.h"

namespace tw::blt {

// Consecutive words of one tracking array, each printed with its format: the i-th word with
// formats[i], or with the last format when there are fewer formats than words. A wide word
// (a frequency) takes 32 bits; every other word is 16 bits wide, as the report prints it.
struct Segment {
    std::size_t array;
    std::size_t index;
    std::size_t count;
    std::vector<std::string> formats;
    bool wide = false;
};

// One line of a tracking report block. A text line has no segments; a value row is `text`
// (its label, already padded) followed by its segments, and `name` is what the tracking
// editor calls its words.
struct LayoutItem {
    std::string text;
    std::string name;
    std::vector<Segment> segments;
};

// Every tracking version's report block, declared once: the held word behind every value of
// the report is the word the tracking editor edits.
struct TrackingLayout {
    int version = 0;
    int powerPoints = 0;
    std::vector<LayoutItem> items;
};

// Nothing for version 0 (no tracking data) and for versions above 7.
const TrackingLayout* trackingLayout(int version);

// One value with one printf conversion ("%hu", "%lu", "%u" and widths).
std::string formatWord(const std::string& format, std::uint32_t value);
std::string renderItem(const LayoutItem& item, const RadioData& data);

// A word the tracking editor offers.
struct EditorField {
    int id;  // kFirstFieldId + the word's place among all tracking words
    std::string label;
    std::size_t word;
    std::uint32_t maximum;
};
inline constexpr int kFirstFieldId = 5000;
std::vector<EditorField> editorFields(int version);

// Version Upgrade on the held data: versions 1 and 2 become version-7 data (3); the narrow
// band starts with the wide band's values, a fifth power point with the fourth's. False for
// any other version, and the data stays as it was.
bool upgradeToVersionSeven(RadioData& data);

}  // namespace tw::blt
