#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "families/compact/wla_protocol.h"
#include "ui/ui.h"

namespace tw::compact {

// ".tk4": the 21 record bytes exactly as the radio holds them, nothing else.
inline constexpr const char* kTk4Filter = "Wla Track|*.tk4|All Files|*.*||";
inline constexpr const char* kMotFilter = "Wla App Code|*.mot|All Files|*.*||";

std::vector<std::uint8_t> encodeTk4(const WlaRecord& record);
// Needs exactly 21 bytes.
std::optional<WlaRecord> decodeTk4(const std::vector<std::uint8_t>& bytes);

// The file dialog of a program-code file (it starts where the platform likes).
FileChoice motFileChoice(bool save);

namespace messages {
inline constexpr const char* kOpenForReading = "Could not open file for reading.";
inline constexpr const char* kOpenForWriting = "Could not open file for writing.";
inline constexpr const char* kTk4WrongSize = "Tracking data file is not correct size.";
}  // namespace messages

}  // namespace tw::compact
