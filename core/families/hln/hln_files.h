#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "families/hln/tracking_layout.h"

namespace tw::hln {

// Tracking values in record order.
using HlnTrackingBytes = std::array<std::uint8_t, kHlnTrackingCount>;

// The .tk2 file: 27 pairs of upper-case hex digits in file order, no header, no line end.
inline constexpr std::size_t kTk2Size = 2 * kHlnTrackingCount;
std::string encodeTk2(const HlnTrackingBytes& values);
// Nothing when the text is shorter than 54 characters; characters past 54 are not used.
std::optional<HlnTrackingBytes> decodeTk2(const std::string& text);

// The .fea file holds at most this much of a feature text.
inline constexpr std::size_t kFeaReadLimit = 51;
// The feature text of a .fea file's bytes: the first 51 characters, up to a zero byte.
std::string decodeFea(const std::string& bytes);

// Reads at most `limit` bytes of a file (read-only access); nothing when it cannot be opened.
std::optional<std::string> readFilePrefix(const std::string& path, std::size_t limit);

inline constexpr const char* kTk2Filter = "Tracking Data|*.tk2|All Files|*.*||";
inline constexpr const char* kFeaFilter = "Feature Data|*.fea|All Files|*.*||";

}  // namespace tw::hln
