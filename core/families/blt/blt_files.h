#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "families/blt/radio_data.h"

namespace tw::blt {

// The .Trk (tracking data) and .Enc (feature data) files. Both are little-endian:
//
//   .Trk  offset  size  content
//         0       4     "BTRK"
//         4       2     file version, 1
//         6       2     count of tracking words, 237
//         8       4     tracking version, 1..7
//         12      4     tracking format (100: three power rows)
//         16      948   the 237 tracking words, array 0 first
//         964     4     CRC-32 of bytes 0..963
//
//   .Enc  offset  size  content
//         0       4     "BENC"
//         4       2     file version, 1
//         6       2     n, the feature length (1..256)
//         8       16    the four feature words; the fourth equals n
//         24      n     the feature bytes
//         24+n    4     CRC-32 of bytes 0..23+n
//
// A file that breaks any of these rules is refused as a whole; the held data stays as it was.

std::vector<std::uint8_t> encodeTrackingFile(const RadioData& data);
// The tracking part of `data` (arrays, version, format) replaced; false leaves it untouched.
bool decodeTrackingFile(const std::vector<std::uint8_t>& bytes, RadioData& data);

std::vector<std::uint8_t> encodeFeatureFile(const RadioData& data);
// The feature block and words replaced (bytes past the length cleared); false leaves them.
bool decodeFeatureFile(const std::vector<std::uint8_t>& bytes, RadioData& data);

inline constexpr std::size_t kTrackingFileSize = 968;
inline constexpr std::size_t kMaxFeatureFileSize = 24 + kFeatureBlockSize + 4;

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t count);

}  // namespace tw::blt
