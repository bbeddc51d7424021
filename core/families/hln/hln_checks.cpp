#include "families/hln/hln_checks.h"

#include <initializer_list>

#include "families/hln/radio_identity.h"
#include "families/hln/tracking_layout.h"
#include "ui/ui.h"
#include "util/hex.h"

namespace tw {
namespace {

using namespace hln_ids;

constexpr long kValueCap = 1'000'000;

struct Field {
    int control;
    const char* invalidCharacter;
};

class TrackingCheck {
  public:
    TrackingCheck(Ui& ui, const Controls& controls) : ui_(ui), controls_(controls) {}

    bool digits(std::initializer_list<Field> fields) {
        for (const auto& f : fields) {
            long v = 0;
            if (!hlnDigitsValue(controls_.text(f.control), v)) return fail(f.invalidCharacter);
        }
        return true;
    }

    bool range(std::initializer_list<int> controls, long low, long high, const char* text) {
        for (int id : controls) {
            long v = 0;
            hlnDigitsValue(controls_.text(id), v);
            if (v < low || v > high) return fail(text);
        }
        return true;
    }

  private:
    bool fail(const char* text) {
        ui_.message(text);
        return false;
    }
    Ui& ui_;
    const Controls& controls_;
};

constexpr const char* kModRange = "Valid range for modulation setting is 0-63.";
constexpr const char* kDataModRange = "Valid range for data modulation setting is 0-63.";
constexpr const char* kSquelchRange = "Valid range for squelch setting is 144-226.";
constexpr const char* kHighPowerRange = "Valid range for high power setting is 0-255.";
constexpr const char* kLowPowerRange = "Valid range for low power setting is 0-255.";

}  // namespace

bool hlnDigitsValue(const std::string& text, long& value) {
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        if (value < kValueCap) value = value * 10 + (c - '0');
    }
    return true;
}

bool ValidateHlnTracking(Ui& ui, const Controls& controls, const std::string& model) {
    TrackingCheck c(ui, controls);
    const bool firstPart =
        c.digits({{kModHigh, "Invalid character in high range modulation."},
                  {kModMid, "Invalid character in mid range modulation."},
                  {kModLow, "Invalid character in low range modulation."},
                  {kDataModHigh, "Invalid character in high range data modulation."},
                  {kDataModMid, "Invalid character in mid range data modulation."},
                  {kDataModLow, "Invalid character in low range data modulation."},
                  {kSquelchLow, "Invalid character in low range squelch."}}) &&
        c.range({kModHigh, kModMid, kModLow}, 0, 63, kModRange) &&
        c.range({kDataModHigh, kDataModMid, kDataModLow}, 0, 63, kDataModRange) &&
        c.range({kSquelchLow}, 144, 226, kSquelchRange);
    if (!firstPart) return false;
    // The other values of these radios are locked on the page.
    if (modelLocksAlignment(model)) return true;
    return c.digits(
               {{kHighPowerHigh, "Invalid character in high range high power."},
                {kHighPowerMid, "Invalid character in mid range high power."},
                {kHighPowerLow, "Invalid character in low range high power."},
                {kLowPowerHigh, "Invalid character in high range low power."},
                {kLowPowerMid, "Invalid character in mid range low power."},
                {kLowPowerLow, "Invalid character in low range low power."},
                {kTaHighPowerHigh, "Invalid character in talkaround high range high power."},
                {kTaHighPowerMid, "Invalid character in talkaround mid range high power."},
                {kTaHighPowerLow, "Invalid character in talkaround low range high power."},
                {kTaLowPowerHigh, "Invalid character in talkaround high range low power."},
                {kTaLowPowerMid, "Invalid character in talkaround mid range low power."},
                {kTaLowPowerLow, "Invalid character in talkaround low range low power."},
                {kTaModHigh, "Invalid character in talkaround high range modulation."},
                {kTaModMid, "Invalid character in talkaround mid range modulation."},
                {kTaModLow, "Invalid character in talkaround low range modulation."},
                {kTaDataModHigh, "Invalid character in talkaround high range data modulation."},
                {kTaDataModMid, "Invalid character in talkaround mid range data modulation."},
                {kTaDataModLow, "Invalid character in talkaround low range data modulation."},
                {kSquelchMid, "Invalid character in mid range squelch."},
                {kSquelchHigh, "Invalid character in high range squelch."}}) &&
           c.range({kHighPowerHigh, kHighPowerMid, kHighPowerLow}, 0, 255, kHighPowerRange) &&
           c.range({kLowPowerHigh, kLowPowerMid, kLowPowerLow}, 0, 255, kLowPowerRange) &&
           c.range({kTaHighPowerHigh, kTaHighPowerMid, kTaHighPowerLow}, 0, 255, kHighPowerRange) &&
           c.range({kTaLowPowerHigh, kTaLowPowerMid, kTaLowPowerLow}, 0, 255, kLowPowerRange) &&
           c.range({kTaModHigh, kTaModMid, kTaModLow}, 0, 63, kModRange) &&
           c.range({kTaDataModHigh, kTaDataModMid, kTaDataModLow}, 0, 63, kDataModRange) &&
           c.range({kSquelchHigh, kSquelchMid}, 144, 226, kSquelchRange);
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

}  // namespace tw
