#include "families/kvr/marten30_image.h"

#include "util/hex.h"
#include "util/text.h"

namespace tw::kvr {

bool isPortable(const Marten30Image& image) {
    return (image[m30::kIdentityByte] & 0x80) != 0;
}
int countryOf(std::uint8_t identity) {
    return (identity >> 5) & 0x03;
}
int bandSplitOf(std::uint8_t identity) {
    return identity & 0x07;
}
bool isEurope(const Marten30Image& image) {
    return countryOf(image[m30::kIdentityByte]) == 3;
}

std::string marten30ByteName(std::size_t at) {
    static const char* const kSquelch[] = {
        "Wide Band Local Closing",     "Wide Band Local Opening",     "Narrow Band Local Closing",
        "Narrow Band Local Opening",   "Wide Band Distant Closing",   "Wide Band Distant Opening",
        "Narrow Band Distant Closing", "Narrow Band Distant Opening",
    };
    if (at >= m30::kSquelchFirst && at < m30::kSquelchFirst + 8)
        return std::string("Squelch ") + kSquelch[at - m30::kSquelchFirst];
    if (at == m30::kRefOscControl) return "Ref Osc Control";
    if (at == m30::kReferenceOsc) return "Reference Osc";
    if (at == m30::kToneTg) return "Tone TG";
    if (at == m30::kDigitalTg) return "Digital TG";
    if (at >= m30::kFlatnessFirst && at < m30::kFlatnessFirst + 6)
        return format("Modulation Flatness F%zu", at - m30::kFlatnessFirst + 1);
    for (int row = 1; row <= 5; ++row) {
        const std::size_t start = m30::powerRowStart(row);
        if (at >= start && at < start + 6)
            return format("Tx Power Row %d F%zu", row, at - start + 1);
    }
    return format("byte 0x%02zX", at);
}

const char* radioTypeText(bool portable) {
    return portable ? "Marten 30 Portable" : "Marten 30 Mobile";
}

const char* countryText(int country) {
    switch (country) {
        case 1:
            return "USA";
        case 2:
            return "Canada";
        case 3:
            return "Europe";
        default:
            return "Unknown";
    }
}

const char* bandSplitText(int bandSplit) {
    switch (bandSplit) {
        case 0:
            return "136 - 155";
        case 1:
            return "150.76 - 174.0";
        case 3:
            return "450 - 488";
        case 4:
            return "470 - 512";
        default:
            return "Unknown";
    }
}

std::string serialNumberText(const Marten30Image& image) {
    std::string s = format("%01X", image[m30::kSerialFirst] & 0x0F);
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::uint8_t b = image[m30::kSerialFirst + i];
        s += format("%01X%01X", b >> 4, b & 0x0F);
    }
    return s;
}

const char* cloningText(const Marten30Image& image) {
    return (image[m30::kCloningByte] & 0x03) >= 2 ? "Master Radio" : "Slave Radio";
}

void fixChecksums(Marten30Image& image) {
    image[m30::kFirstChecksum] = byteChecksum(image.data(), m30::kFirstChecksum);
    image[m30::kSecondChecksum] = byteChecksum(image.data() + m30::kSecondRangeStart,
                                               m30::kSecondChecksum - m30::kSecondRangeStart);
}

}  // namespace tw::kvr
