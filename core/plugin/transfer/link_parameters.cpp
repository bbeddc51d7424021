#include "plugin/transfer/link_parameters.h"

namespace tw {

char linkLetter(std::uint16_t typeCode) {
    switch (typeCode) {
        case 'A':
        case 'M':
        case 'B':
        case 'T':
        case 'H':
        case 'I':
        case 'J':
        case 'K':
        case 'U':
        case 'V':
            return static_cast<char>(typeCode);
        default:
            return 'C';
    }
}

void applyLinkParameters(const CPersonality& personality, hln::RadioIdentity& identity) {
    identity.name = personality.GetName();
    const char letter = linkLetter(personality.radioType);
    identity.radioId[0] = static_cast<std::uint8_t>(letter);
    switch (letter) {
        case 'A':
        case 'M':
            break;  // the small image the identity starts with
        case 'B':
        case 'T':
        case 'C':
            identity.imageSize = 8192;
            identity.largeImage = 1;
            identity.imageVariant = 8;
            break;
        case 'H':
        case 'I':
        case 'J':
        case 'K':
            identity.imageSize = 3072;
            identity.optionByte = 1;
            identity.imageVariant = 8;
            break;
        default:  // U, V
            identity.imageSize = 4096;
            identity.largeImage = 1;
            identity.imageVariant = 8;
            break;
    }
}

int bandCodeOf(double mhz) {
    struct Step {
        double from;
        int band;
    };
    static constexpr Step kSteps[] = {{136, 13}, {150, 1},  {403, 2}, {440, 5},
                                      {470, 7},  {806, 11}, {895, 12}};
    int band = 11;  // below the lowest band the radios cover
    for (const Step& s : kSteps)
        if (mhz >= s.from) band = s.band;
    return band;
}

bool hasBandLimits(const CPersonality& personality) {
    for (double limit : personality.bandLimits)
        if (limit != 0.0) return true;
    return false;
}

bool isFileLetter(std::uint8_t letter) {
    switch (letter) {
        case 'A':
        case 'B':
        case 'C':
        case 'H':
        case 'I':
        case 'J':
        case 'K':
        case 'M':
        case 'R':
        case 'T':
        case 'U':
        case 'V':
            return true;
        default:
            return false;
    }
}

void setFileRadioId(hln::RadioIdentity& identity, const RadioDescription& d, int band) {
    const bool small = d[0] == 'A' || d[0] == 'M';
    const std::uint8_t id[6] = {d[0], static_cast<std::uint8_t>(band),         d[3], 0,
                                d[4], static_cast<std::uint8_t>(small ? 0 : 8)};
    identity.setRadioId(id);
}

}  // namespace tw
