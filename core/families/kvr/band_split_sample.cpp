#include "families/kvr/band_split_sample.h"

#include "families/kvr/band_split_file.h"
#include "families/kvr/initial_data.h"

namespace tw::kvr {

namespace {

void putLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> sampleBandSplitFile() {
    std::vector<std::uint8_t> file(kBandSplitOffset + kBandSplitBytes, 0);
    for (int record = 0; record < kBandSplitRecords; ++record) {
        const auto code = bandSplitCodeOfRecord(record);
        if (!code) continue;
        const BandEdges e = edgesOfBandSplit(*code);
        const std::size_t at =
            kBandSplitOffset + static_cast<std::size_t>(record) * kBandSplitRecordSize;
        putLe32(file, at, 1);
        // The band table's edges are whole kilohertz, so they fit the file's whole hertz.
        putLe32(file, at + 8, static_cast<std::uint32_t>(e.txLow));
        putLe32(file, at + 12, static_cast<std::uint32_t>(e.txHigh));
        putLe32(file, at + 16, static_cast<std::uint32_t>(e.rxLow));
        putLe32(file, at + 20, static_cast<std::uint32_t>(e.rxHigh));
    }
    return file;
}

}  // namespace tw::kvr
