#include "families/hln/hln_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "util/hex.h"

namespace tw {

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
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<char> buffer(limit);
    in.read(buffer.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) return std::nullopt;
    return std::string(buffer.data(), static_cast<std::size_t>(in.gcount()));
}

bool writeFileReplacing(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path temp = target;
    temp += ".tmp~";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace tw
