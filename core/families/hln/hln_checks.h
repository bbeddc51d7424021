#pragma once

#include <optional>
#include <string>

#include "view/controls.h"

namespace tw {
class Ui;
}  // namespace tw

namespace tw::hln {

// The checks a tracking set must pass before it goes to the radio or a file; the first
// failure is shown and false returned. ZKT and ZLT radios are checked only on the values
// they let the technician change. `failedControl`, when given, gets the box a failure names.
bool ValidateHlnTracking(Ui& ui, const Controls& controls, const std::string& model,
                         int* failedControl = nullptr);

// The mark of tracking box `control` for `text` by its value's range (nothing for other boxes).
std::optional<std::string> hlnFieldProblem(int control, const std::string& text);

// The checks a feature-data text (blanks already removed) must pass.
bool ValidateHlnFeatures(Ui& ui, const std::string& featureText);

// A text of digits only (an empty text is 0) as a whole number, capped far above any
// byte so that long texts cannot overflow; nothing when another character is in it.
bool hlnDigitsValue(const std::string& text, long& value);

}  // namespace tw::hln
