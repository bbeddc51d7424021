#include "families/hln/radio_identity.h"

#include <algorithm>

#include "util/hex.h"

namespace tw::hln {
namespace {

// letter, model, other model, image size, large, variant,
//   tracking, features, power-cycle hint, image chunks, locked fields
constexpr HlnRadioType kTypes[] = {
    {'A', "HLN", nullptr, 2048, 0, 0, true, true, false, 16, false},
    {'B', "TRW", nullptr, 8192, 1, 8, true, true, false, 32, false},
    {'C', "TRV", nullptr, 8192, 1, 8, true, true, true, 32, false},
    {'H', "UKT 10", nullptr, 3072, 0, 8, false, true, false, 16, false},
    {'I', "UKT 20", nullptr, 3072, 0, 8, false, true, false, 16, false},
    {'J', "UKT/OKT", nullptr, 3072, 0, 8, false, true, false, 16, false},
    {'K', "OKT", nullptr, 3072, 0, 8, false, true, false, 16, false},
    {'M', "NOVAC 30P", nullptr, 2048, 0, 0, true, false, false, 16, false},
    {'T', "Taiwan KVR", nullptr, 8192, 1, 8, true, true, true, 32, false},
    {'U', "ZKT", "VNL", 4096, 1, 8, true, true, false, 32, true},
    {'V', "ZLT", "QLX", 4096, 1, 8, true, true, true, 32, true},
};

const HlnRadioType* rowOfModel(const std::string& model) {
    for (const auto& t : kTypes)
        if (model == t.modelName) return &t;
    return nullptr;
}

}  // namespace

bool hasNoTrackingData(char letter) {
    const auto t = hlnRadioType(letter);
    return t && !t->keepsTracking;
}

bool hasNoFeatureData(char letter) {
    const auto t = hlnRadioType(letter);
    return t && !t->keepsFeatures;
}

bool needsPowerCycleHint(char letter) {
    const auto t = hlnRadioType(letter);
    return t && t->powerCycleHint;
}

int hlnImageChunks(char letter) {
    const auto t = hlnRadioType(letter);
    return t ? t->imageChunks : 32;
}

bool modelKeepsNoTracking(const std::string& model) {
    const auto* t = rowOfModel(model);
    return t && !t->keepsTracking;
}

bool modelLocksAlignment(const std::string& model) {
    const auto* t = rowOfModel(model);
    return t && t->locksAlignment;
}

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

}  // namespace tw::hln
