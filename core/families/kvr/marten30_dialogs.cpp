#include "families/kvr/marten30_dialogs.h"

#include "util/text.h"

namespace tw::kvr {

namespace {

// A decimal number of at most three digits, or -1.
int smallNumber(const std::string& s) {
    if (s.empty() || s.size() > 3) return -1;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

int readBox(const Marten30Image& image, const ValueBox& box) {
    const std::uint8_t b = image[box.byte];
    switch (box.part) {
        case ValueBox::Part::HighNibble:
            return b >> 4;
        case ValueBox::Part::LowNibble:
            return b & 0x0F;
        default:
            return b;
    }
}

void writeBox(Marten30Image& image, const ValueBox& box, int value) {
    std::uint8_t& b = image[box.byte];
    switch (box.part) {
        case ValueBox::Part::HighNibble:
            b = static_cast<std::uint8_t>((b & 0x0F) | (value & 0x0F) << 4);
            break;
        case ValueBox::Part::LowNibble:
            b = static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F));
            break;
        default:
            b = static_cast<std::uint8_t>(value);
            break;
    }
}

using P = ValueBox::Part;

}  // namespace

bool Marten30Dialog::press(const std::string& button, bool& accepted) {
    accepted = button == "OK";
    return button == "OK" || button == "Cancel";
}

Marten30BoxDialog::Marten30BoxDialog(std::string kind, std::string caption,
                                     std::vector<std::string> rowCaptions,
                                     std::vector<ValueBox> boxes, const Marten30Image& image,
                                     std::string captionUnit)
    : kind_(std::move(kind)),
      caption_(std::move(caption)),
      rowCaptions_(std::move(rowCaptions)),
      boxes_(std::move(boxes)),
      captionUnit_(std::move(captionUnit)) {
    for (const auto& b : boxes_) values_[b.id] = readBox(image, b);
}

std::string Marten30BoxDialog::rowUnit(std::size_t row) const {
    if (captionUnit_.empty() || row >= rowCaptions_.size()) return "";
    bool digits = false;
    for (char c : rowCaptions_[row]) {
        if (c == ' ') continue;
        if (c < '0' || c > '9') return "";
        digits = true;
    }
    return digits ? captionUnit_ : "";
}

int Marten30BoxDialog::value(int id) const {
    auto it = values_.find(id);
    return it == values_.end() ? 0 : it->second;
}

bool Marten30BoxDialog::set(const std::string& control, const std::string& value) {
    for (const auto& b : boxes_) {
        if (std::to_string(b.id) != control) continue;
        const int v = smallNumber(value);
        if (v < 0 || v > maximum(b)) return false;
        values_[b.id] = v;
        return true;
    }
    return false;
}

void Marten30BoxDialog::apply(Marten30Image& image) const {
    for (const auto& b : boxes_) writeBox(image, b, value(b.id));
}

std::vector<std::string> Marten30BoxDialog::describe() const {
    std::vector<std::string> out{caption_};
    for (std::size_t r = 0; r < rowCaptions_.size(); ++r) {
        std::string line = rowCaptions_[r].empty() ? "(row)" : rowCaptions_[r];
        if (const std::string unit = rowUnit(r); !unit.empty()) line += " " + unit;
        for (const auto& b : boxes_) {
            if (b.row != static_cast<int>(r)) continue;
            line += format("  %s[%d]=%d", b.label.empty() ? "" : (b.label + " ").c_str(), b.id,
                           value(b.id));
        }
        out.push_back(line);
    }
    return out;
}

Marten30CloningDialog::Marten30CloningDialog(const Marten30Image& image)
    : supervisor_((image[m30::kCloningByte] & 0x02) != 0),
      subordinate_((image[m30::kCloningByte] & 0x01) != 0) {}

bool Marten30CloningDialog::set(const std::string& control, const std::string& value) {
    if (value != "0" && value != "1") return false;
    if (control == std::to_string(kSupervisor))
        supervisor_ = value == "1";
    else if (control == std::to_string(kSubordinate))
        subordinate_ = value == "1";
    else
        return false;
    return true;
}

void Marten30CloningDialog::apply(Marten30Image& image) const {
    std::uint8_t& b = image[m30::kCloningByte];
    b = static_cast<std::uint8_t>((b & ~0x03) | (supervisor_ ? 0x02 : 0) | (subordinate_ ? 1 : 0));
}

std::vector<std::string> Marten30CloningDialog::describe() const {
    return {"Cloning Data",
            format("[%c] %s (%d)", supervisor_ ? 'x' : ' ', kSupervisorLabel, kSupervisor),
            format("[%c] %s (%d)", subordinate_ ? 'x' : ' ', kSubordinateLabel, kSubordinate)};
}

const std::array<const char*, 4> Marten30CountryDialog::kChoices = {"Unknown", "USA", "Canada",
                                                                    "Europe"};

Marten30CountryDialog::Marten30CountryDialog(const Marten30Image& image)
    : country_(countryOf(image[m30::kIdentityByte])) {}

bool Marten30CountryDialog::set(const std::string& control, const std::string& value) {
    if (control != kControl) return false;
    for (int i = 0; i < 4; ++i) {
        if (value == std::to_string(i) ||
            equalsNoCase(value, kChoices[static_cast<std::size_t>(i)])) {
            country_ = i;
            return true;
        }
    }
    return false;
}

void Marten30CountryDialog::apply(Marten30Image& image) const {
    std::uint8_t& b = image[m30::kIdentityByte];
    b = static_cast<std::uint8_t>((b & ~0x60) | (country_ & 0x03) << 5);
}

std::vector<std::string> Marten30CountryDialog::describe() const {
    std::vector<std::string> out{"Country"};
    for (int i = 0; i < 4; ++i)
        out.push_back(format("(%c) %s (%s=%d)", i == country_ ? '*' : ' ',
                             kChoices[static_cast<std::size_t>(i)], kControl, i));
    return out;
}

std::unique_ptr<Marten30BoxDialog> makeSquelchDialog(const Marten30Image& image) {
    // Boxes run local closing, local opening, distant closing, distant opening per row; the
    // image keeps both local pairs first, then both distant pairs.
    namespace sq = squelch_boxes;
    std::vector<ValueBox> boxes = {
        {sq::kWideBand[0], "Local Closing", 16, P::Byte, 0},
        {sq::kWideBand[1], "Local Opening", 17, P::Byte, 0},
        {sq::kWideBand[2], "Distant Closing", 20, P::Byte, 0},
        {sq::kWideBand[3], "Distant Opening", 21, P::Byte, 0},
        {sq::kNarrowBand[0], "Local Closing", 18, P::Byte, 1},
        {sq::kNarrowBand[1], "Local Opening", 19, P::Byte, 1},
        {sq::kNarrowBand[2], "Distant Closing", 22, P::Byte, 1},
        {sq::kNarrowBand[3], "Distant Opening", 23, P::Byte, 1},
    };
    return std::make_unique<Marten30BoxDialog>("Marten30Squelch", "Squelch Settings",
                                               std::vector<std::string>{"Wide Band", "Narrow Band"},
                                               std::move(boxes), image);
}

std::unique_ptr<Marten30BoxDialog> makeDeviationDialog(const Marten30Image& image) {
    namespace dev = deviation_boxes;
    std::vector<ValueBox> boxes;
    for (std::size_t f = 0; f < dev::kFlatness.size(); ++f)
        boxes.push_back({dev::kFlatness[f], format("F%d", static_cast<int>(f) + 1),
                         m30::kFlatnessFirst + f, P::Byte, 0});
    boxes.push_back({dev::kWithoutToneGate, "", m30::kPlainDeviation, P::Byte, 1});
    boxes.push_back({dev::kNarrowToneGate, "", m30::kToneGateDeviation, P::HighNibble, 2});
    boxes.push_back({dev::kWideToneGate, "", m30::kToneGateDeviation, P::LowNibble, 3});
    boxes.push_back({dev::kToneToneGateNarrow, "Narrow", m30::kToneToneGate, P::HighNibble, 4});
    boxes.push_back({dev::kToneToneGateWide, "Wide", m30::kToneToneGate, P::LowNibble, 4});
    boxes.push_back(
        {dev::kDigitalToneGateNarrow, "Narrow", m30::kDigitalToneGate, P::HighNibble, 5});
    boxes.push_back({dev::kDigitalToneGateWide, "Wide", m30::kDigitalToneGate, P::LowNibble, 5});
    return std::make_unique<Marten30BoxDialog>(
        "Marten30Deviation", "Transmitter Deviation",
        std::vector<std::string>{
            "Combined Modulation Flatness", "Channel Without Tone Gate",
            "Narrowband Channel With Tone Gate", "Wideband Channel With Tone Gate",
            "Tone Tone Gate Modulation Setting", "Digital Tone Gate Modulation Setting"},
        std::move(boxes), image);
}

std::unique_ptr<Marten30BoxDialog> makePowerDialog(const Marten30Image& image) {
    std::vector<ValueBox> boxes = {
        {power_boxes::kRefOscControl, "", m30::kRefOscControl, P::Byte, 0}};
    for (int row = 1; row <= 5; ++row) {
        const auto& level = power_boxes::kLevels[static_cast<std::size_t>(row - 1)];
        for (std::size_t f = 0; f < level.size(); ++f)
            boxes.push_back({level[f], format("F%d", static_cast<int>(f) + 1),
                             m30::powerRowStart(row) + f, P::Byte, row});
    }
    const bool europe = isEurope(image);
    std::vector<std::string> rows = {"Ref Osc Control:"};
    if (europe)
        rows.insert(rows.end(), {"20", "17", "13", " 9", " 6"});
    else
        rows.insert(rows.end(), {"40", "", "30", "", "20"});
    // The row captions are the power levels in watts, as the printed report heads them.
    return std::make_unique<Marten30BoxDialog>("Marten30Power", "Transmit Power Tracking Data",
                                               std::move(rows), std::move(boxes), image, "W");
}

std::unique_ptr<Marten30CloningDialog> makeCloningDialog(const Marten30Image& image) {
    return std::make_unique<Marten30CloningDialog>(image);
}

std::unique_ptr<Marten30CountryDialog> makeCountryDialog(const Marten30Image& image) {
    return std::make_unique<Marten30CountryDialog>(image);
}

}  // namespace tw::kvr
