#include "families/blt/blt_dialogs.h"

#include <algorithm>
#include <cctype>

#include "families/blt/radio_types.h"
#include "util/text.h"

namespace tw::blt {

namespace {

// Whole decimal number (digits only) up to `maximum`.
bool parseDecimal(const std::string& text, std::uint64_t maximum, std::uint64_t& out) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > maximum) return false;
    out = v;
    return true;
}

}  // namespace

RadioStatusDialog::RadioStatusDialog(const RadioData& d) {
    lines_.push_back(format("Radio Type: %s", RadioTypeName(d.radioTypeCode)));
    const auto& s = d.serialNumber;
    lines_.push_back(
        format("Serial Number: %02X%02X%02X%02X%02X%02X", s[0], s[1], s[2], s[3], s[4], s[5]));
    lines_.push_back(format("Memory: %d K", d.memoryKilobytes()));
    lines_.push_back(format("Tracking Version: %d", d.trackingVersion));
    std::size_t from = 0;
    while (from < d.statusText.size()) {
        auto end = d.statusText.find("\r\n", from);
        if (end == std::string::npos) end = d.statusText.size();
        lines_.push_back(d.statusText.substr(from, end - from));
        from = end + 2;
    }
}

TrackingEditDialog::TrackingEditDialog(const RadioData& data)
    : fields_(editorFields(data.trackingVersion)) {
    for (const auto& f : fields_)
        values_.push_back(std::min(data.trackingArrays[f.word], f.maximum));
}

std::vector<std::string> TrackingEditDialog::describe() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        out.push_back(format("%d %s = %u", fields_[i].id, fields_[i].label.c_str(), values_[i]));
    return out;
}

bool TrackingEditDialog::set(const std::string& control, const std::string& value) {
    std::uint64_t id = 0, v = 0;
    if (!parseDecimal(control, 0xFFFFFFFFu, id)) return false;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (static_cast<std::uint64_t>(fields_[i].id) != id) continue;
        if (!parseDecimal(value, fields_[i].maximum, v)) return false;
        values_[i] = static_cast<std::uint32_t>(v);
        return true;
    }
    return false;
}

std::uint32_t TrackingEditDialog::value(int id) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].id == id) return values_[i];
    return 0;
}

void TrackingEditDialog::apply(RadioData& data) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        data.trackingArrays[fields_[i].word] = values_[i];
}

FeatureEditDialog::FeatureEditDialog(const RadioData& data)
    : bytes_(data.featureBlock.begin(),
             data.featureBlock.begin() + static_cast<long>(std::min<std::size_t>(
                                             data.featureLength(), kFeatureBlockSize))) {}

std::vector<std::string> FeatureEditDialog::describe() const {
    std::vector<std::string> out;
    for (std::size_t row = 0; row < bytes_.size(); row += 16) {
        std::string line = format("%3zu:", row);
        for (std::size_t i = row; i < std::min(bytes_.size(), row + 16); ++i)
            line += format(" %02X", bytes_[i]);
        out.push_back(line);
    }
    return out;
}

bool FeatureEditDialog::set(const std::string& control, const std::string& value) {
    std::uint64_t offset = 0;
    if (!parseDecimal(control, bytes_.empty() ? 0 : bytes_.size() - 1, offset) || bytes_.empty())
        return false;
    if (value.empty() || value.size() > 2) return false;
    unsigned v = 0;
    for (char c : value) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        v = v * 16 +
            static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                      ? c - '0'
                                      : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
    }
    bytes_[offset] = static_cast<std::uint8_t>(v);
    return true;
}

void FeatureEditDialog::apply(RadioData& data) const {
    std::copy(bytes_.begin(), bytes_.end(), data.featureBlock.begin());
}

}  // namespace tw::blt
