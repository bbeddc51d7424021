#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "families/blt/radio_data.h"
#include "families/blt/tracking_layout.h"
#include "ui/dialog.h"

namespace tw::blt {

// The radio status dialog: the last status read, shown until closed.
class RadioStatusDialog : public Dialog {
  public:
    explicit RadioStatusDialog(const RadioData& data);
    std::string kind() const override { return "BltRadioStatus"; }
    std::string caption() const override { return "Radio Status"; }
    std::vector<std::string> describe() const override { return lines_; }

  private:
    std::vector<std::string> lines_;
};

// The tracking editor (eCommand 8): one box per word the report of the held tracking version
// shows, keyed by its field id. The held data changes only through apply() after OK.
class TrackingEditDialog : public Dialog {
  public:
    explicit TrackingEditDialog(const RadioData& data);
    std::string kind() const override { return "BltTrackingEdit"; }
    std::vector<std::string> describe() const override;
    // A field id and a decimal value within the field's range; anything else is refused.
    bool set(const std::string& control, const std::string& value) override;
    void apply(RadioData& data) const;

    const std::vector<EditorField>& fields() const { return fields_; }
    std::uint32_t value(int id) const;

  private:
    std::vector<EditorField> fields_;
    std::vector<std::uint32_t> values_;
};

// The feature editor (eCommand 13): the bytes up to the feature length, keyed by their
// decimal offset, each set as one or two hexadecimal digits.
class FeatureEditDialog : public Dialog {
  public:
    explicit FeatureEditDialog(const RadioData& data);
    std::string kind() const override { return "BltFeatureEdit"; }
    std::vector<std::string> describe() const override;
    bool set(const std::string& control, const std::string& value) override;
    void apply(RadioData& data) const;

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace tw::blt
