#pragma once

#include <optional>
#include <string>

namespace tw {

// The percentage a status-window line reports, as in "Percent Complete = 42" or "42%",
// clamped to 0..100; nothing when the line carries none.
std::optional<int> statusPercent(const std::string& text);

}  // namespace tw
