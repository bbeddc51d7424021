#pragma once

#include <optional>

namespace tw {

// Option values the image stores as counts of a unit are held by the option objects as a
// fraction of their field's spin range: v = count * unit, snapped to the range's step
// (halves up), then (v - min) / (max - min). The unit is the field's increment. Values
// outside the range are kept as they are (a fraction below 0 or above 1), so that the
// host's validation can flag them. Nothing for a pair without a range.
std::optional<double> countToFraction(int dialog, int control, int count);

// The inverse: min + fraction * (max - min), snapped to the step (halves up), divided by
// the unit and rounded to the nearest count (a plain truncation would turn 4.3 into 42
// tenths), never below 0.
std::optional<int> fractionToCount(int dialog, int control, double fraction);

}  // namespace tw
