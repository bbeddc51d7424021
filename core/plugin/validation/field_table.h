#pragma once

#include <optional>
#include <vector>

namespace tw {

// A field the radio stores as a count of a fixed unit, with what validation accepts and
// what it says. One row per (dialog, control); the checks, the spin ranges and the value
// conversion of the image all read the same row.
struct DecimalField {
    int dialog, control;
    double min, max, increment;
    const char* rangeMessage;
    const char* incrementMessage;
};

struct IntegerField {
    int dialog, control;
    int min, max;
    const char* rangeMessage;
    int multipleOf;  // 0: any whole number
    const char* multipleMessage;
};

struct FieldRange {
    double min, max, increment;
};

const DecimalField* findDecimalField(int dialog, int control);
const IntegerField* findIntegerField(int dialog, int control);
// What GetRange reports; nothing for a pair without a range.
std::optional<FieldRange> findFieldRange(int dialog, int control);

// Every (dialog, control) pair that reports a range, for table-driven callers.
struct RangeKey {
    int dialog, control;
};
std::vector<RangeKey> rangeKeys();

}  // namespace tw
