#include "families/blt/blt_files.h"

#include <cstring>

namespace tw::blt {

namespace {

constexpr char kTrackingMagic[4] = {'B', 'T', 'R', 'K'};
constexpr char kFeatureMagic[4] = {'B', 'E', 'N', 'C'};
constexpr std::uint16_t kFileVersion = 1;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

std::uint32_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at] | in[at + 1] << 8);
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return get16(in, at) | get16(in, at + 2) << 16;
}

void putCrc(std::vector<std::uint8_t>& out) {
    put32(out, crc32(out.data(), out.size()));
}

bool crcHolds(const std::vector<std::uint8_t>& in) {
    const std::size_t body = in.size() - 4;
    return crc32(in.data(), body) == get32(in, body);
}

bool magicIs(const std::vector<std::uint8_t>& in, const char (&magic)[4]) {
    return std::memcmp(in.data(), magic, 4) == 0;
}

}  // namespace

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int b = 0; b < 8; ++b) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<std::uint8_t> encodeTrackingFile(const RadioData& data) {
    std::vector<std::uint8_t> out(kTrackingMagic, kTrackingMagic + 4);
    put16(out, kFileVersion);
    put16(out, kTrackingWords);
    put32(out, static_cast<std::uint32_t>(data.trackingVersion));
    put32(out, static_cast<std::uint32_t>(data.trackingFormat));
    for (auto w : data.trackingArrays) put32(out, w);
    putCrc(out);
    return out;
}

bool decodeTrackingFile(const std::vector<std::uint8_t>& in, RadioData& data) {
    if (in.size() != kTrackingFileSize || !magicIs(in, kTrackingMagic) || !crcHolds(in))
        return false;
    if (get16(in, 4) != kFileVersion || get16(in, 6) != kTrackingWords) return false;
    const std::uint32_t version = get32(in, 8);
    if (version < 1 || version > kMaxTrackingVersion) return false;
    data.trackingVersion = static_cast<std::int32_t>(version);
    data.trackingFormat = static_cast<std::int32_t>(get32(in, 12));
    for (std::size_t i = 0; i < kTrackingWords; ++i) data.trackingArrays[i] = get32(in, 16 + 4 * i);
    return true;
}

std::vector<std::uint8_t> encodeFeatureFile(const RadioData& data) {
    const std::size_t n = std::min<std::size_t>(data.featureLength(), kFeatureBlockSize);
    std::vector<std::uint8_t> out(kFeatureMagic, kFeatureMagic + 4);
    put16(out, kFileVersion);
    put16(out, static_cast<std::uint32_t>(n));
    for (std::size_t i = 0; i < 4; ++i)
        put32(out, i == kFeatureLengthWord ? static_cast<std::uint32_t>(n) : data.featureWords[i]);
    out.insert(out.end(), data.featureBlock.begin(),
               data.featureBlock.begin() + static_cast<long>(n));
    putCrc(out);
    return out;
}

bool decodeFeatureFile(const std::vector<std::uint8_t>& in, RadioData& data) {
    if (in.size() < 28 || in.size() > kMaxFeatureFileSize || !magicIs(in, kFeatureMagic))
        return false;
    const std::size_t n = get16(in, 6);
    if (get16(in, 4) != kFileVersion || n == 0 || n > kFeatureBlockSize || in.size() != 28 + n)
        return false;
    if (!crcHolds(in) || get32(in, 8 + 4 * kFeatureLengthWord) != n) return false;
    for (std::size_t i = 0; i < 4; ++i) data.featureWords[i] = get32(in, 8 + 4 * i);
    data.featureBlock.fill(0);
    std::memcpy(data.featureBlock.data(), in.data() + 24, n);
    return true;
}

}  // namespace tw::blt
