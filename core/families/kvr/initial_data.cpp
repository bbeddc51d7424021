#include "families/kvr/initial_data.h"

#include <algorithm>

#include "util/hex.h"

namespace tw::kvr {

const std::array<const char*, 4> kRadioTypeNames = {"PNR", "K-VR Select", "K-VR Scan",
                                                    "K-VR System"};

namespace {

// Edges are given in kHz so that every one is a whole number of Hz: they are compared for
// equality with the whole-Hz edges of the band-split file.
BandEdges khz(long txLow, long txHigh, long rxLow, long rxHigh) {
    return {txLow * 1000.0, txHigh * 1000.0, rxLow * 1000.0, rxHigh * 1000.0};
}

BandEdges same(long low, long high) {
    return khz(low, high, low, high);
}

int lenientDigit(char c) {
    return std::max(0, hexDigitValue(c));
}

// A pair parsed as a base-16 number that stops at its first non-digit.
std::uint8_t lenientPair(char high, char low) {
    const int h = hexDigitValue(high);
    if (h < 0) return 0;
    const int l = hexDigitValue(low);
    if (l < 0) return static_cast<std::uint8_t>(h);
    return static_cast<std::uint8_t>(h * 16 + l);
}

}  // namespace

BandEdges edgesOfBandSplit(std::uint8_t code, std::uint8_t* storedCode) {
    if (storedCode) *storedCode = code;
    switch (code) {
        case 0:
        case 12:
            return same(136000, 150800);
        case 1:
            return same(146000, 162000);
        case 2:
            return same(157000, 174000);
        case 3:
            return same(403000, 423000);
        case 4:
            return same(410000, 430000);
        case 5:
            return same(420000, 440000);
        case 6:
            return same(440000, 460000);
        case 7:
            return same(450000, 470000);
        case 8:
            return same(470000, 492000);
        case 9:
            return same(492000, 512000);
        case 15:
            return khz(896000, 902000, 935000, 941000);
        default:
            if (storedCode) *storedCode = InitialData::kUnknownBandSplit;
            return khz(806000, 825000, 851000, 870000);
    }
}

InitialData decodeInitialData(const std::string& text) {
    InitialData d;
    if (text.size() < 2 * InitialData::kSize) return d;
    d.radioType =
        static_cast<std::uint8_t>(std::min<int>(lenientDigit(text[0]), InitialData::kMaxRadioType));
    d.edges = edgesOfBandSplit(static_cast<std::uint8_t>(lenientDigit(text[1])), &d.bandSplitCode);
    for (std::size_t i = 0; i < InitialData::kSize; ++i)
        d.image[i] = lenientPair(text[2 * i], text[2 * i + 1]);
    return d;
}

std::string encodeInitialData(std::array<std::uint8_t, InitialData::kSize> image,
                              std::uint8_t radioType, std::uint8_t bandSplitCode) {
    image[0] = static_cast<std::uint8_t>(radioType * 16 + (bandSplitCode & 0x0F));
    image[InitialData::kChecksumByte] = byteChecksum(image.data(), InitialData::kChecksumByte);
    return hexEncode(image.data(), image.size());
}

}  // namespace tw::kvr
