#include "families/hln/hln_checks.h"

#include <initializer_list>

#include "families/hln/radio_identity.h"
#include "families/hln/tracking_layout.h"
#include "ui/ui.h"
#include "util/hex.h"
#include "util/text.h"

namespace tw::hln {
namespace {

using namespace ids;

constexpr long kValueCap = 1'000'000;

const HlnTrackingField* fieldOf(int control) {
    for (const auto& f : kHlnTrackingFields)
        if (f.control == control) return &f;
    return nullptr;
}

class TrackingCheck {
  public:
    TrackingCheck(Ui& ui, const Controls& controls, int* failed)
        : ui_(ui), controls_(controls), failed_(failed) {}

    bool digits(std::initializer_list<int> controls) {
        for (int id : controls) {
            long v = 0;
            if (!hlnDigitsValue(controls_.text(id), v))
                return fail(format("Invalid character in %s.", fieldOf(id)->where), id);
        }
        return true;
    }

    bool range(std::initializer_list<int> controls) {
        for (int id : controls) {
            long v = 0;
            hlnDigitsValue(controls_.text(id), v);
            const HlnValueRange& range = *fieldOf(id)->range;
            if (!range.rule.admits(v)) return fail(range.message, id);
        }
        return true;
    }

  private:
    bool fail(const std::string& text, int control) {
        ui_.message(text);
        if (failed_) *failed_ = control;
        return false;
    }
    Ui& ui_;
    const Controls& controls_;
    int* failed_;
};

}  // namespace

bool hlnDigitsValue(const std::string& text, long& value) {
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        if (value < kValueCap) value = value * 10 + (c - '0');
    }
    return true;
}

bool ValidateHlnTracking(Ui& ui, const Controls& controls, const std::string& model,
                         int* failedControl) {
    TrackingCheck c(ui, controls, failedControl);
    const bool firstPart = c.digits({kModHigh, kModMid, kModLow, kDataModHigh, kDataModMid,
                                     kDataModLow, kSquelchLow}) &&
                           c.range({kModHigh, kModMid, kModLow}) &&
                           c.range({kDataModHigh, kDataModMid, kDataModLow}) &&
                           c.range({kSquelchLow});
    if (!firstPart) return false;
    // The other values of these radios are locked on the page.
    if (modelLocksAlignment(model)) return true;
    return c.digits({kHighPowerHigh,  kHighPowerMid,   kHighPowerLow,    kLowPowerHigh,
                     kLowPowerMid,    kLowPowerLow,    kTaHighPowerHigh, kTaHighPowerMid,
                     kTaHighPowerLow, kTaLowPowerHigh, kTaLowPowerMid,   kTaLowPowerLow,
                     kTaModHigh,      kTaModMid,       kTaModLow,        kTaDataModHigh,
                     kTaDataModMid,   kTaDataModLow,   kSquelchMid,      kSquelchHigh}) &&
           c.range({kHighPowerHigh, kHighPowerMid, kHighPowerLow}) &&
           c.range({kLowPowerHigh, kLowPowerMid, kLowPowerLow}) &&
           c.range({kTaHighPowerHigh, kTaHighPowerMid, kTaHighPowerLow}) &&
           c.range({kTaLowPowerHigh, kTaLowPowerMid, kTaLowPowerLow}) &&
           c.range({kTaModHigh, kTaModMid, kTaModLow}) &&
           c.range({kTaDataModHigh, kTaDataModMid, kTaDataModLow}) &&
           c.range({kSquelchHigh, kSquelchMid});
}

std::optional<std::string> hlnFieldProblem(int control, const std::string& text) {
    const HlnTrackingField* field = fieldOf(control);
    if (!field) return std::nullopt;
    long v = 0;
    const bool digits = hlnDigitsValue(text, v);
    return fieldMark(field->range->rule, digits ? std::optional<long>(v) : std::nullopt);
}

bool ValidateHlnFeatures(Ui& ui, const std::string& featureText) {
    for (char ch : featureText) {
        if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'))) {
            ui.message("Invalid character - only Hex characters allowed.");
            ui.message("Invalid character in feature data.");
            return false;
        }
    }
    if (featureText.size() % 2 != 0) {
        ui.message("Feature data must be entered in two digit bytes.");
        return false;
    }
    if (featureText.size() < 10) {
        ui.message("Feature data must contain at least five bytes.");
        return false;
    }
    const int count = strictHexPair(featureText[4], featureText[5]);
    if (count >= 46) {
        ui.message("Feature data invalid");
        return false;
    }
    return true;
}

}  // namespace tw::hln
