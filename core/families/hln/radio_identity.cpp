#include "families/hln/radio_identity.h"

#include <algorithm>

#include "util/hex.h"

namespace tw {
namespace {

constexpr HlnRadioType kTypes[] = {
    {'A', "HLN", nullptr, 2048, 0, 0},        {'B', "TRW", nullptr, 8192, 1, 8},
    {'C', "TRV", nullptr, 8192, 1, 8},        {'H', "UKT 10", nullptr, 3072, 0, 8},
    {'I', "UKT 20", nullptr, 3072, 0, 8},     {'J', "UKT/OKT", nullptr, 3072, 0, 8},
    {'K', "OKT", nullptr, 3072, 0, 8},        {'M', "NOVAC 30P", nullptr, 2048, 0, 0},
    {'T', "Taiwan KVR", nullptr, 8192, 1, 8}, {'U', "ZKT", "VNL", 4096, 1, 8},
    {'V', "ZLT", "QLX", 4096, 1, 8},
};

}  // namespace

std::optional<HlnRadioType> hlnRadioType(char letter) {
    for (const auto& t : kTypes)
        if (t.letter == letter) return t;
    return std::nullopt;
}

bool classifyRadioId(RadioIdentity& identity) {
    const auto type = hlnRadioType(identity.typeLetter());
    if (!type) return false;
    identity.imageSize = type->imageSize;
    identity.largeImage = type->largeImage;
    identity.imageVariant = type->imageVariant;
    return true;
}

std::string HlnModelName(const RadioIdentity& identity) {
    const auto type = hlnRadioType(identity.typeLetter());
    if (!type) return {};
    // The U and V letters cover two generations; the newer one reports 11 or 12 next.
    const std::uint8_t generation = identity.radioId[1];
    if (type->altModelName && (generation == 11 || generation == 12)) return type->altModelName;
    return type->modelName;
}

std::string historyRadioName(const std::string& serialText, const std::string& model) {
    const bool noSerial = serialText.find_first_not_of('0') == std::string::npos;
    return noSerial ? model : serialText;
}

std::string historyRadioName(const RadioIdentity& identity) {
    return historyRadioName(hexEncode(identity.serialNumber.data(), identity.serialNumber.size()),
                            HlnModelName(identity));
}

}  // namespace tw
