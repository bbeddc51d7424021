#include "plugin/store/store_object.h"

#include <algorithm>
#include <cstdio>

namespace tw {

void FieldList::add(const std::string& name, const std::string& value) {
    lines_.push_back(prefix_ + name + ": " + value);
}

void FieldList::add(const std::string& name, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    // "-0.000000" and "0.000000" are the same value to anyone reading the difference.
    std::string s = text;
    if (s == "-0.000000") s = "0.000000";
    add(name, s);
}

void FieldList::addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::string hex;
    static const char* digits = "0123456789ABCDEF";
    for (std::uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    add(name, hex);
}

void FieldList::append(const FieldList& other) {
    lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end());
}

std::string firstDifference(const FieldList& a, const FieldList& b) {
    const auto& x = a.lines();
    const auto& y = b.lines();
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i)
        if (x[i] != y[i]) return x[i] + "  <>  " + y[i];
    if (x.size() > n) return x[n] + "  <>  (nothing)";
    if (y.size() > n) return "(nothing)  <>  " + y[n];
    return {};
}

}  // namespace tw
