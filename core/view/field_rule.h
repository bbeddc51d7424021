#pragma once

#include <optional>
#include <string>

namespace tw {

// The whole numbers an edit box takes: `minimum` to `maximum`, counted in `step`s from the
// minimum. A family's check before a write reads the same rule as the mark a box shows while
// it is edited, so the two cannot drift apart.
struct FieldRule {
    long minimum = 0;
    long maximum = 0;
    long step = 1;

    constexpr bool admits(long value) const {
        return value >= minimum && value <= maximum && (step <= 1 || (value - minimum) % step == 0);
    }
    // "Allowed: 0 to 255", with " in steps of 5" when there is a step.
    std::string allowed() const;
};

// The mark of a box whose text reads as `value` (nothing: the text is no whole number);
// nothing when the rule admits the value.
std::optional<std::string> fieldMark(const FieldRule& rule, std::optional<long> value);

}  // namespace tw
