#include "plugin/validation/field_table.h"

#include <iterator>

namespace tw {
namespace {

constexpr DecimalField kDecimal[] = {
    {141, 1197, 0, 5000, 20, "Value must be from 0.0 to 5000.0",
     "Value must be in increments of 20.0"},
    {192, 1808, 0, 12750, 50, "Value must be from 0.0 to 12750.0",
     "Value must be in increments of 50.0"},
    {192, 1810, 0, 12750, 50, "Value must be from 0.0 to 12750.0",
     "Value must be in increments of 50.0"},
    {192, 1812, 0, 2550, 10, "Value must be from 0.0 to 2550.0",
     "Value must be in increments of 10.0"},
    {192, 1814, 0, 4.0, 0.5, "Value must be from 0.0 to 4.0", "Value must be in increments of 0.5"},
    {192, 1816, 0, 3187.5, 12.5, "Value must be from 0.0 to 3187.5",
     "Value must be in increments of 12.5"},
    {192, 1818, 0, 3187.5, 12.5, "Value must be from 0.0 to 3187.5",
     "Value must be in increments of 12.5"},
    {194, 1077, 0, 15.5, 0.5, "Value must be from 0.0 to 15.5",
     "Value must be in increments of 0.5"},
    {194, 1893, 0.3, 5.0, 0.1, "Value must be from 0.3 to 5.0",
     "Value must be in increments of 0.1"},
    {195, 1909, 0, 3.0, 1.0, "Value must be from 0.0 to 3.0", "Value must be in increments of 1.0"},
    {195, 1910, 150, 6375, 25, "Value must be from 150.0 to 6375",
     "Value must be in increments of 25"},
    {197, 1930, 0, 4000, 16, "Value must be from 0.0 to 4000.0",
     "Value must be in increments of 16.0"},
    {198, 1932, 0, 75, 5, "Value must be from 0.0 to 75.0", "Value must be in increments of 5.0"},
    {198, 1942, 0, 75, 5, "Value must be from 0.0 to 75.0", "Value must be in increments of 5.0"},
    {198, 1943, 0, 510, 2, "Value must be from 0.0 to 510.0", "Value must be in increments of 2.0"},
    {198, 1944, 0, 310, 10, "Value must be from 0.0 to 310.0",
     "Value must be in increments of 10.0"},
};

constexpr IntegerField kInteger[] = {
    {179, 1690, 0, 15, "Value must be from 0 to 15", 0, nullptr},
    {196, 1916, 0, 15, "Value must be from 0 to 15", 0, nullptr},
    {201, 1922, 0, 15, "Value must be from 0 to 15", 0, nullptr},
    {224, 1189, 5, 20, "Value must be from 5 to 20", 0, nullptr},
    {224, 1192, 90, 360, "Value must be from 90 to 360", 90, "Value must be in increments of 90"},
    {226, 1887, 0, 50, "Value must be from 0 to 50", 0, nullptr},
    {231, 1867, 1, 4, "Value must be from 1 to 4 IN INCREMENTS OF 1", 0, nullptr},
};

struct RangeRow {
    RangeKey key;
    FieldRange range;
};

// The spin ranges differ from validation in two places: 194/1893 reports 0 as its
// minimum (validation wants 0.3) and 198/1936 has a range but no check.
constexpr RangeRow kRanges[] = {
    {{141, 1197}, {0, 5000, 20}},     {{192, 1808}, {0, 12750, 50}},
    {{192, 1810}, {0, 12750, 50}},    {{192, 1812}, {0, 2550, 10}},
    {{192, 1814}, {0, 4, 0.5}},       {{192, 1816}, {0, 3187.5, 12.5}},
    {{192, 1818}, {0, 3187.5, 12.5}}, {{194, 1077}, {0, 15.5, 0.5}},
    {{194, 1893}, {0, 5, 0.1}},       {{195, 1909}, {0, 3, 1}},
    {{195, 1910}, {150, 6375, 25}},   {{197, 1930}, {0, 4000, 16}},
    {{198, 1932}, {0, 75, 5}},        {{198, 1942}, {0, 75, 5}},
    {{198, 1936}, {0, 15.5, 0.5}},    {{198, 1943}, {0, 510, 2}},
    {{198, 1944}, {0, 310, 10}},      {{231, 1867}, {1, 4, 1}},
};

}  // namespace

const DecimalField* findDecimalField(int dialog, int control) {
    for (const auto& f : kDecimal)
        if (f.dialog == dialog && f.control == control) return &f;
    return nullptr;
}

const IntegerField* findIntegerField(int dialog, int control) {
    for (const auto& f : kInteger)
        if (f.dialog == dialog && f.control == control) return &f;
    return nullptr;
}

std::optional<FieldRange> findFieldRange(int dialog, int control) {
    for (const auto& r : kRanges)
        if (r.key.dialog == dialog && r.key.control == control) return r.range;
    return std::nullopt;
}

std::vector<RangeKey> rangeKeys() {
    std::vector<RangeKey> keys;
    for (const auto& r : kRanges) keys.push_back(r.key);
    return keys;
}

}  // namespace tw
