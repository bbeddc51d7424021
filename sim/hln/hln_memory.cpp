#include "sim/hln/hln_memory.h"

#include <cstdlib>

namespace tw::sim {
namespace {

void putWord(std::vector<std::uint8_t>& m, std::size_t at, std::uint16_t value) {
    if (at + 1 >= m.size()) return;
    m[at] = static_cast<std::uint8_t>(value >> 8);
    m[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

void putBytes(std::vector<std::uint8_t>& m, std::size_t at, const std::vector<std::uint8_t>& b) {
    for (std::size_t i = 0; i < b.size() && at + i < m.size(); ++i) m[at + i] = b[i];
}

// Alignment values as a bench would leave them: powers near the middle, modulation within
// 0-63, squelch within 144-226.
const std::vector<std::uint8_t> kTracking = {0x80, 0x40, 0x20, 0x18, 0x82, 0x42, 0x22, 0x19, 0x84,
                                             0x44, 0x24, 0x1A, 0x70, 0x30, 0x21, 0x17, 0x72, 0x32,
                                             0x23, 0x16, 0x74, 0x34, 0x25, 0x15, 0xA0, 0xB0, 0xC0};

}  // namespace

HlnMemoryLayout HlnMemoryLayout::fromOptions(std::uint16_t imageSize, const ModelOptions& options) {
    HlnMemoryLayout l;
    l.imageSize = imageSize;
    l.bank = optionInt(options, "bank", 1) != 0;
    l.base = static_cast<std::uint16_t>(optionInt(options, "base", l.base));
    const std::string version = optionText(options, "version", "6.70");
    const auto dot = version.find('.');
    l.versionMajor = static_cast<std::uint8_t>(std::atoi(version.substr(0, dot).c_str()));
    l.versionMinor = static_cast<std::uint8_t>(
        dot == std::string::npos ? 0 : std::atoi(version.substr(dot + 1).c_str()));
    l.tracking = static_cast<std::uint16_t>(optionInt(options, "tracking", 1) ? l.tracking : 0);
    l.feature = static_cast<std::uint16_t>(optionInt(options, "features", 1) ? l.feature : 0);
    l.auxiliary = static_cast<std::uint16_t>(optionInt(options, "aux", 1) ? l.auxiliary : 0);
    l.featureCount = static_cast<std::uint8_t>(optionInt(options, "featurecount", 9));
    return l;
}

std::vector<std::uint8_t> buildHlnMemory(const HlnMemoryLayout& l) {
    std::vector<std::uint8_t> m(l.imageSize);
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::size_t b = l.baseUsed();
    m[0] = l.bank ? 1 : 0;
    putWord(m, 3, l.base);
    putWord(m, b + 33, l.table);
    m[b + 36] = l.versionMajor;
    m[b + 37] = l.versionMinor;
    putWord(m, l.table + b + 21, l.tracking);
    putWord(m, l.table + b + 27, l.feature);
    putWord(m, l.table + b + 61, l.auxiliary);
    if (l.tracking) putBytes(m, b + l.tracking, kTracking);
    if (l.feature) {
        std::vector<std::uint8_t> record = {0x01, 0xFF, l.featureCount};
        for (int i = 0; i < l.featureCount + 2; ++i)
            record.push_back(static_cast<std::uint8_t>(0x10 + i));
        putBytes(m, b + l.feature, record);
    }
    if (l.auxiliary) {
        std::vector<std::uint8_t> block(56);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<std::uint8_t>(0xA0 + i);
        putBytes(m, b + l.auxiliary, block);
    }
    return m;
}

}  // namespace tw::sim
