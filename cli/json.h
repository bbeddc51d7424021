#pragma once

#include <string>

namespace tw::cli {

// A JSON string literal, quotes included.
std::string jsonString(const std::string& text);

}  // namespace tw::cli
