#include "families/kvr/band_split_file.h"

#include <algorithm>

#include "util/file_io.h"
#include "util/text.h"

namespace tw::kvr {

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// `bytes` are what lies at the band-split offset: all that was read, up to kBandSplitBytes.
BandSplitLoad takeRecords(const std::vector<std::uint8_t>& bytes,
                          std::vector<BandSplitRecord>& out) {
    out.clear();
    // Only whole records are trusted; a file cut short offers none rather than half of one.
    if (bytes.size() < kBandSplitRecords * kBandSplitRecordSize) return BandSplitLoad::TooShort;
    out = parseBandSplitRecords(bytes);
    return BandSplitLoad::Ok;
}

}  // namespace

std::string bandSplitFilePath(const std::string& translatorsDirectory) {
    if (translatorsDirectory.empty()) return kBandSplitFileName;
    std::string dir = translatorsDirectory;
    for (char& c : dir)
        if (c == '\\') c = '/';
    if (dir.back() != '/') dir += '/';
    return dir + kBandSplitFileName;
}

std::vector<BandSplitRecord> parseBandSplitRecords(const std::vector<std::uint8_t>& bytes) {
    std::vector<BandSplitRecord> records;
    for (int r = 0; r < kBandSplitRecords; ++r) {
        const std::size_t at = static_cast<std::size_t>(r) * kBandSplitRecordSize;
        if (at + kBandSplitRecordSize > bytes.size()) break;
        BandSplitRecord rec;
        rec.number = r;
        rec.present = le32(bytes, at) != 0;
        rec.edges = {
            static_cast<double>(le32(bytes, at + 8)), static_cast<double>(le32(bytes, at + 12)),
            static_cast<double>(le32(bytes, at + 16)), static_cast<double>(le32(bytes, at + 20))};
        records.push_back(rec);
    }
    return records;
}

BandSplitLoad loadBandSplitRecords(const std::string& path, std::vector<BandSplitRecord>& out) {
    out.clear();
    auto bytes = loadFileRange(path, kBandSplitOffset, kBandSplitBytes);
    if (!bytes) return BandSplitLoad::NotFound;
    return takeRecords(*bytes, out);
}

BandSplitLoad bandSplitRecordsOfFile(const std::vector<std::uint8_t>& file,
                                     std::vector<BandSplitRecord>& out) {
    const std::size_t from = std::min(file.size(), kBandSplitOffset);
    const std::size_t to = std::min(file.size(), kBandSplitOffset + kBandSplitBytes);
    return takeRecords({file.begin() + static_cast<std::ptrdiff_t>(from),
                        file.begin() + static_cast<std::ptrdiff_t>(to)},
                       out);
}

bool plausibleBandSplit(const BandEdges& e) {
    constexpr double kLowestHz = 1e6;
    constexpr double kHighestHz = 1000e6;
    auto inBand = [](double hz) { return hz >= kLowestHz && hz <= kHighestHz; };
    return inBand(e.txLow) && inBand(e.txHigh) && inBand(e.rxLow) && inBand(e.rxHigh) &&
           e.txLow <= e.txHigh && e.rxLow <= e.rxHigh;
}

std::optional<std::uint8_t> bandSplitCodeOfRecord(int record) {
    switch (record) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 3:
            return 2;
        case 5:
            return 3;
        case 6:
            return 4;
        case 7:
            return 5;
        case 8:
            return 6;
        case 9:
            return 7;
        case 10:
            return 8;
        case 11:
            return 9;
        case 13:
            return 11;
        default:
            return std::nullopt;
    }
}

std::string bandSplitLine(const BandEdges& e) {
    return format("%08.4f-%08.4f    %08.4f-%08.4f", e.txLow / 1000000.0, e.txHigh / 1000000.0,
                  e.rxLow / 1000000.0, e.rxHigh / 1000000.0);
}

}  // namespace tw::kvr
