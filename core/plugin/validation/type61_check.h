#pragma once

#include "plugin/store/personality.h"
#include "plugin/validation/page_controls.h"

namespace tw {

class Ui;

// Controls of the conventional channel page that take part in the Type 61 check.
inline constexpr int kToneSetList = 1829;
inline constexpr int kT61Box1 = 2143, kT61Box2 = 2144, kT61Box3 = 2145, kT61Box4 = 2146;

int t61ValidateField(PageControls& controls, const CPersonality& personality, Ui& ui);
int t61ValidateConvChannel(const CPersonality& personality, const PageControls& controls);
void t61InitControl(PageControls& controls, const CPersonality& personality, Ui& ui);

}  // namespace tw
