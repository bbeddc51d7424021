#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "families/kvr/marten30_image.h"
#include "ui/dialog.h"

namespace tw::kvr {

// An edit dialog of the MARTEN 30 page. It works on values taken from the image when it
// opens; apply() puts them back, and the page calls it only when the dialog closed with OK.
class Marten30Dialog : public Dialog {
  public:
    std::string caption() const override = 0;
    virtual void apply(Marten30Image& image) const = 0;
    bool press(const std::string& button, bool& accepted) override;
};

// A numeric box and the image byte (or nibble) behind it.
struct ValueBox {
    enum class Part { Byte, HighNibble, LowNibble };
    int id;
    std::string label;
    std::size_t byte;
    Part part;
    int row;  // index into the dialog's row captions
};

// The squelch, deviation and power dialogs: rows of numeric boxes. A byte box takes 0..255,
// a nibble box 0..15.
class Marten30BoxDialog : public Marten30Dialog {
  public:
    // `captionUnit` is the unit of the row captions that are numbers (the power levels); it
    // stays out of the captions themselves.
    Marten30BoxDialog(std::string kind, std::string caption, std::vector<std::string> rowCaptions,
                      std::vector<ValueBox> boxes, const Marten30Image& image,
                      std::string captionUnit = "");

    std::string kind() const override { return kind_; }
    std::string caption() const override { return caption_; }
    std::vector<std::string> describe() const override;
    // A box id and a decimal value within the box's range; anything else is refused.
    bool set(const std::string& control, const std::string& value) override;
    void apply(Marten30Image& image) const override;

    const std::vector<std::string>& rowCaptions() const { return rowCaptions_; }
    // The unit shown beside a row's caption; empty where the caption is words or blank.
    std::string rowUnit(std::size_t row) const;
    const std::vector<ValueBox>& boxes() const { return boxes_; }
    int value(int id) const;
    static int maximum(const ValueBox& box) { return box.part == ValueBox::Part::Byte ? 255 : 15; }

  private:
    std::string kind_;
    std::string caption_;
    std::vector<std::string> rowCaptions_;
    std::vector<ValueBox> boxes_;
    std::map<int, int> values_;
    std::string captionUnit_;
};

// "Cloning Data": two check boxes over bits 1 and 0 of byte 1; the other bits stay.
class Marten30CloningDialog : public Marten30Dialog {
  public:
    static constexpr int kSupervisor = 2075;
    static constexpr int kSubordinate = 2076;
    static constexpr const char* kSupervisorLabel = "Allow Supervisor Operation";
    static constexpr const char* kSubordinateLabel = "Allow Subordinate Operation";

    explicit Marten30CloningDialog(const Marten30Image& image);
    std::string kind() const override { return "Marten30Cloning"; }
    std::string caption() const override { return "Cloning Data"; }
    std::vector<std::string> describe() const override;
    // kSupervisor or kSubordinate with "1"/"0".
    bool set(const std::string& control, const std::string& value) override;
    void apply(Marten30Image& image) const override;

    bool supervisor() const { return supervisor_; }
    bool subordinate() const { return subordinate_; }

  private:
    bool supervisor_;
    bool subordinate_;
};

// "Country": four radio buttons over bits 6..5 of byte 0; the other bits stay.
class Marten30CountryDialog : public Marten30Dialog {
  public:
    static constexpr const char* kControl = "country";
    static const std::array<const char*, 4> kChoices;  // "Unknown", "USA", "Canada", "Europe"

    explicit Marten30CountryDialog(const Marten30Image& image);
    std::string kind() const override { return "Marten30Country"; }
    std::string caption() const override { return "Country"; }
    std::vector<std::string> describe() const override;
    // "country" with 0..3 or a button's label.
    bool set(const std::string& control, const std::string& value) override;
    void apply(Marten30Image& image) const override;

    int country() const { return country_; }

  private:
    int country_;
};

// Box ids of the three box dialogs; each dialog numbers its boxes on its own.
namespace squelch_boxes {
// Local closing, local opening, distant closing, distant opening.
inline constexpr std::array<int, 4> kWideBand = {1005, 1006, 1007, 1008};
inline constexpr std::array<int, 4> kNarrowBand = {1009, 1010, 1011, 1012};
}  // namespace squelch_boxes

namespace deviation_boxes {
inline constexpr std::array<int, 6> kFlatness = {1005, 1006, 1007, 1008, 1009, 1010};  // F1..F6
inline constexpr int kWithoutToneGate = 1012;
inline constexpr int kNarrowToneGate = 1013;
inline constexpr int kWideToneGate = 1015;
inline constexpr int kToneToneGateNarrow = 1016, kToneToneGateWide = 1017;
inline constexpr int kDigitalToneGateNarrow = 1020, kDigitalToneGateWide = 1021;
}  // namespace deviation_boxes

namespace power_boxes {
inline constexpr int kRefOscControl = 1039;
// F1..F6 of each power level, highest level first.
inline constexpr std::array<std::array<int, 6>, 5> kLevels = {{
    {1005, 1006, 1007, 1008, 1009, 1010},
    {1012, 1013, 1014, 1015, 1016, 1017},
    {1019, 1020, 1021, 1022, 1023, 1024},
    {1026, 1027, 1028, 1029, 1030, 1031},
    {1033, 1034, 1035, 1036, 1037, 1038},
}};
}  // namespace power_boxes

std::unique_ptr<Marten30BoxDialog> makeSquelchDialog(const Marten30Image& image);
std::unique_ptr<Marten30BoxDialog> makeDeviationDialog(const Marten30Image& image);
// Row captions follow the radio's country: Europe has five power levels, the others three.
std::unique_ptr<Marten30BoxDialog> makePowerDialog(const Marten30Image& image);
std::unique_ptr<Marten30CloningDialog> makeCloningDialog(const Marten30Image& image);
std::unique_ptr<Marten30CountryDialog> makeCountryDialog(const Marten30Image& image);

}  // namespace tw::kvr
