#include "view/field_rule.h"

#include "util/text.h"

namespace tw {

std::string FieldRule::allowed() const {
    std::string text = format("Allowed: %ld to %ld", minimum, maximum);
    if (step > 1) text += format(" in steps of %ld", step);
    return text;
}

std::optional<std::string> fieldMark(const FieldRule& rule, std::optional<long> value) {
    if (!value) return "Not a whole number. " + rule.allowed();
    if (!rule.admits(*value)) return "Out of range. " + rule.allowed();
    return std::nullopt;
}

}  // namespace tw
