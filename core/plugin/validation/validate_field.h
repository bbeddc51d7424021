#pragma once

#include "plugin/store/personality.h"
#include "plugin/validation/page_controls.h"

namespace tw {

class Ui;

// Results of the host's field checks.
enum FieldResult : int { kFieldNotMine = 0, kFieldValid = 1, kFieldInvalid = 2 };

// Checks one control of a host page. On kFieldInvalid the message has been shown and, for
// number and digit fields, the focus moved to the control.
int ValidateField(int dialog, int control, PageControls& controls, const CPersonality& personality,
                  Ui& ui);

// The spin range of a field: true and the three values, or false and nothing written.
bool GetRange(int dialog, int control, double* min, double* max, double* increment);

// The Type 61 check of a conventional channel page, without messages.
int ValidateConvChannel(const CPersonality& personality, const PageControls& controls);

// Prepares a control when the host opens its page; always 0.
int InitControl(int dialog, int control, PageControls& controls, const CPersonality& personality,
                Ui& ui);

}  // namespace tw
