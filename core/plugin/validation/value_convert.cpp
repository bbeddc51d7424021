#include "plugin/validation/value_convert.h"

#include <cmath>

#include "plugin/validation/field_table.h"

namespace tw {
namespace {

double stepOf(const FieldRange& r) {
    return r.increment == 0.0 ? 1.0 : r.increment;
}

double snap(double value, double step) {
    return std::floor(value / step + 0.5) * step;
}

}  // namespace

std::optional<double> countToFraction(int dialog, int control, int count) {
    const auto range = findFieldRange(dialog, control);
    if (!range || range->max == range->min) return std::nullopt;
    const double value = count * stepOf(*range);
    return (snap(value, stepOf(*range)) - range->min) / (range->max - range->min);
}

std::optional<int> fractionToCount(int dialog, int control, double fraction) {
    const auto range = findFieldRange(dialog, control);
    if (!range || !std::isfinite(fraction)) return std::nullopt;
    const double value = snap(range->min + fraction * (range->max - range->min), stepOf(*range));
    const double count = std::floor(value / stepOf(*range) + 0.5);
    if (count <= 0) return 0;
    if (count > 1e9) return 1000000000;
    return static_cast<int>(count);
}

}  // namespace tw
