#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::sim {

// A radio of the named family ("kvr", "hln", ..., or "loopback"), or nullptr when no model of
// that family exists. Unknown options are ignored by the model.
std::unique_ptr<RadioModel> createModel(const std::string& family, const ModelOptions& options);

// The baud rate the family's radios speak (9600 unless the family says otherwise), so a
// simulator paces the line as a cable to that radio would.
int modelBaud(const std::string& family);

// Families that have a model, for help texts.
std::vector<std::string> modelFamilies();

// The baud rate the family's radios talk at on their programming cable.
int modelBaud(const std::string& family);

}  // namespace tw::sim
