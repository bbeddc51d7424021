#include "plugin/validation/validate_field.h"

#include <array>
#include <cmath>

#include "plugin/validation/c_number.h"
#include "plugin/validation/field_table.h"
#include "plugin/validation/type61_check.h"
#include "ui/ui.h"

namespace tw {
namespace {

constexpr int kDtmfDialog = 192, kDtmfEnableBox = 1975;
constexpr std::array<int, 14> kDtmfEnabledWithBox{123,  1760, 1808, 299,  1814, 383, 325,
                                                  1810, 365,  1812, 1816, 1818, 395, 406};
// 1819, 1820 and 346 go grey with the box but the host decides when they come back.
constexpr std::array<int, 17> kDtmfDisabledWithBox{
    123, 1760, 1808, 299, 1814, 383, 325, 1810, 1819, 1820, 346, 365, 1812, 1816, 1818, 395, 406};

constexpr int kDigitDialog = 107, kDigitControl = 1866;
constexpr int kConvChannelDialog = 205;

std::string fieldText(const PageControls& controls, int control) {
    std::string text = controls.text(control).value_or(std::string());
    if (text.size() > PageControls::kMaxText) text.resize(PageControls::kMaxText);
    return text;
}

int reject(PageControls& controls, int control, Ui& ui, const char* message) {
    ui.message(message);
    controls.focus(control);
    return kFieldInvalid;
}

int checkDecimal(const DecimalField& f, PageControls& controls, Ui& ui) {
    const double x = cDecimal(fieldText(controls, f.control)) + 0.0001;
    if (x < f.min || x > f.max + 0.01) return reject(controls, f.control, ui, f.rangeMessage);
    if (std::fmod(x, f.increment) > 0.01)
        return reject(controls, f.control, ui, f.incrementMessage);
    return kFieldValid;
}

int checkInteger(const IntegerField& f, PageControls& controls, Ui& ui) {
    const int v = cInteger(fieldText(controls, f.control));
    if (v < f.min || v > f.max) return reject(controls, f.control, ui, f.rangeMessage);
    if (f.multipleOf != 0 && v % f.multipleOf != 0)
        return reject(controls, f.control, ui, f.multipleMessage);
    return kFieldValid;
}

int checkDigits(PageControls& controls, Ui& ui) {
    const std::string text = fieldText(controls, kDigitControl);
    if (text.size() > 15)
        return reject(controls, kDigitControl, ui, "Number must be 15 digits or less ");
    for (char c : text)
        if (c < '1' || c > '9')
            return reject(controls, kDigitControl, ui, "Characters allowed are 1-9");
    return kFieldValid;
}

void applyDtmfEnable(PageControls& controls) {
    if (controls.checked(kDtmfEnableBox).value_or(false)) {
        for (int id : kDtmfEnabledWithBox) controls.enable(id, true);
    } else {
        for (int id : kDtmfDisabledWithBox) controls.enable(id, false);
    }
}

bool isT61Control(int control) {
    return control == kToneSetList || (control >= kT61Box1 && control <= kT61Box4);
}

}  // namespace

int ValidateField(int dialog, int control, PageControls& controls, const CPersonality& personality,
                  Ui& ui) {
    if (dialog < 107 || dialog > 231) return kFieldNotMine;
    if (const DecimalField* f = findDecimalField(dialog, control))
        return checkDecimal(*f, controls, ui);
    if (const IntegerField* f = findIntegerField(dialog, control))
        return checkInteger(*f, controls, ui);
    if (dialog == kDigitDialog && control == kDigitControl) return checkDigits(controls, ui);
    if (dialog == kDtmfDialog && control == kDtmfEnableBox) {
        applyDtmfEnable(controls);
        return kFieldValid;
    }
    if (dialog == kConvChannelDialog && isT61Control(control))
        return t61ValidateField(controls, personality, ui);
    return kFieldNotMine;
}

bool GetRange(int dialog, int control, double* min, double* max, double* increment) {
    if (dialog < 141 || dialog > 231) return false;
    const auto range = findFieldRange(dialog, control);
    if (!range) return false;
    if (min) *min = range->min;
    if (max) *max = range->max;
    if (increment) *increment = range->increment;
    return true;
}

int ValidateConvChannel(const CPersonality& personality, const PageControls& controls) {
    return t61ValidateConvChannel(personality, controls);
}

int InitControl(int dialog, int control, PageControls& controls, const CPersonality& personality,
                Ui& ui) {
    if (dialog < 192 || dialog > 205) return 0;
    if (dialog == kDtmfDialog && control == kDtmfEnableBox) applyDtmfEnable(controls);
    if (dialog == 194 && (control == 1079 || control == 1901)) controls.deleteListItem(control, 1);
    if (dialog == 203 && control == 1170) controls.deleteListItem(control, 2);
    if (dialog == kConvChannelDialog && control == kT61Box1)
        t61InitControl(controls, personality, ui);
    return 0;
}

}  // namespace tw
