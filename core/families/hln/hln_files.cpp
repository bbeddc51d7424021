#include "families/hln/hln_files.h"

#include <cstdio>
#include <vector>

#include "util/file_io.h"
#include "util/hex.h"

namespace tw::hln {

std::string encodeTk2(const HlnTrackingBytes& values) {
    std::string text(kTk2Size, '0');
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string pair = hexPair(values[i]);
        const auto at = static_cast<std::size_t>(kHlnTrackingFields[i].filePair) * 2;
        text[at] = pair[0];
        text[at + 1] = pair[1];
    }
    return text;
}

std::optional<HlnTrackingBytes> decodeTk2(const std::string& text) {
    if (text.size() < kTk2Size) return std::nullopt;
    HlnTrackingBytes values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto at = static_cast<std::size_t>(kHlnTrackingFields[i].filePair) * 2;
        values[i] = strictHexPair(text[at], text[at + 1]);
    }
    return values;
}

std::string decodeFea(const std::string& bytes) {
    std::string text = bytes.substr(0, kFeaReadLimit);
    const auto zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

std::optional<std::string> readFilePrefix(const std::string& path, std::size_t limit) {
    const auto bytes = loadFileRange(path, 0, limit);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

}  // namespace tw::hln
