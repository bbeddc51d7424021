#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "families/kvr/initial_data.h"

namespace tw {
class Profile;
}

namespace tw::kvr {

// One record of "rfdata.bin" (24 bytes, little-endian):
//   +0  u32 present flag (0: not offered)    +4  u32 not used here
//   +8  u32 transmit low, Hz                 +12 u32 transmit high, Hz
//   +16 u32 receive low, Hz                  +20 u32 receive high, Hz
struct BandSplitRecord {
    int number = 0;  // 0..15
    bool present = false;
    BandEdges edges;
};

inline constexpr const char* kBandSplitFileName = "rfdata.bin";
inline constexpr std::size_t kBandSplitOffset = 864;
inline constexpr std::size_t kBandSplitRecordSize = 24;
inline constexpr int kBandSplitRecords = 16;
inline constexpr std::size_t kBandSplitBytes = 432;  // what is read; 16 records use 384

// Path of the file: "rfdata.bin" alone, or inside the "Translators" directory. The directory
// may have been written with either separator; on this platform "/" joins them.
std::string bandSplitFilePath(const std::string& translatorsDirectory);

enum class BandSplitLoad { Ok, NotFound, TooShort };

// The 16 records, from the bytes at the file's band-split offset.
BandSplitLoad loadBandSplitRecords(const std::string& path, std::vector<BandSplitRecord>& out);
// The same from a whole file already in memory.
BandSplitLoad bandSplitRecordsOfFile(const std::vector<std::uint8_t>& file,
                                     std::vector<BandSplitRecord>& out);
std::vector<BandSplitRecord> parseBandSplitRecords(const std::vector<std::uint8_t>& bytes);

// Both ranges run upwards and lie within 1 to 1000 MHz.
bool plausibleBandSplit(const BandEdges& edges);

// The band-split code a record stands for, when it has one.
std::optional<std::uint8_t> bandSplitCodeOfRecord(int record);

// "%08.4f-%08.4f    %08.4f-%08.4f" in MHz: transmit low, high, receive low, high.
std::string bandSplitLine(const BandEdges& edges);

}  // namespace tw::kvr
