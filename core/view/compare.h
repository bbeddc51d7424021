#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// One value of a page's data as the page labels it ("Squelch, Low", "byte 0x0C") and its
// text as the page shows it.
struct ComparedValue {
    std::string label;
    std::string value;
};

// A field whose values differ; `left` is the page or the first file, `right` the other.
// A field that only one side has shows "(none)" on the other.
struct FieldDiff {
    std::string label;
    std::string left;
    std::string right;
};

// Every field of either side with both values, in the order of `left` and then the fields
// only `right` has.
std::vector<FieldDiff> alignValues(const std::vector<ComparedValue>& left,
                                   const std::vector<ComparedValue>& right);
// The fields that differ, in the same order.
std::vector<FieldDiff> diffValues(const std::vector<ComparedValue>& left,
                                  const std::vector<ComparedValue>& right);

// Every byte as a field "byte 0x0C" with the value in two hexadecimal digits: data whose
// fields the page does not know is compared byte by byte.
std::vector<ComparedValue> byteValues(const std::vector<std::uint8_t>& bytes);

// "Squelch, Low: 200 -> 198".
std::string diffLine(const FieldDiff& diff);
// "3 fields differ", "1 field differs" or "Same".
std::string diffSummary(std::size_t count);

inline constexpr const char* kNoValue = "(none)";

}  // namespace tw
