#include "view/compare.h"

#include <unordered_map>

#include "util/text.h"

namespace tw {

std::vector<FieldDiff> alignValues(const std::vector<ComparedValue>& left,
                                   const std::vector<ComparedValue>& right) {
    std::unordered_map<std::string, const ComparedValue*> rightByLabel;
    for (const auto& r : right) rightByLabel.emplace(r.label, &r);
    std::vector<FieldDiff> rows;
    for (const auto& l : left) {
        const auto it = rightByLabel.find(l.label);
        if (it == rightByLabel.end()) {
            rows.push_back({l.label, l.value, kNoValue});
            continue;
        }
        rows.push_back({l.label, l.value, it->second->value});
        rightByLabel.erase(it);
    }
    // Data of two layouts (a BLT tracking version, a shorter feature record) has fields on one
    // side only.
    for (const auto& r : right)
        if (rightByLabel.count(r.label) != 0) rows.push_back({r.label, kNoValue, r.value});
    return rows;
}

std::vector<FieldDiff> diffValues(const std::vector<ComparedValue>& left,
                                  const std::vector<ComparedValue>& right) {
    std::vector<FieldDiff> diffs;
    for (auto& row : alignValues(left, right))
        if (row.left != row.right) diffs.push_back(std::move(row));
    return diffs;
}

std::vector<ComparedValue> byteValues(const std::vector<std::uint8_t>& bytes) {
    std::vector<ComparedValue> values;
    values.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        values.push_back({format("byte 0x%02zX", i), format("%02X", bytes[i])});
    return values;
}

std::string diffLine(const FieldDiff& diff) {
    return diff.label + ": " + diff.left + " -> " + diff.right;
}

std::string diffSummary(std::size_t count) {
    if (count == 0) return "Same";
    return std::to_string(count) + (count == 1 ? " field differs" : " fields differ");
}

}  // namespace tw
