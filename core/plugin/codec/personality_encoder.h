#pragma once

#include <cstdint>
#include <optional>

#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "plugin/store/personality.h"

namespace tw {

class Ui;

// What the transfer knows besides the personality.
struct EncodeRequest {
    std::uint16_t idOverride = 0;  // replaces every trunked system's 14-bit value; 0 = none
    bool toRadio = false;          // a file never gets the preamble
    // The data version read from the radio (base + 36), when the transfer read one.
    std::optional<std::pair<std::uint8_t, std::uint8_t>> radioVersion;
};

// Results of the encoder.
enum EncodeResult : int { kEncodeDone = 1, kEncodeNoBuffer = -1, kEncodeRefused = -2 };

// Builds the memory image in image.buffer (which must hold identity.imageSize bytes,
// already zeroed). Never writes past identity.imageSize bytes. On kEncodeDone,
// image.endOfData marks the end and `bandUsed` (when given) the band code the channels
// were converted with. Every refusal has shown its message.
int encodePersonality(hln::PersonalityImage& image, const CPersonality& personality,
                      const EncodeRequest& request, const hln::RadioIdentity& identity, Ui& ui,
                      int* bandUsed = nullptr);

// The data version written when neither the radio nor the personality gives one: 6.90
// (27-byte tracking data, current channel bases).
inline constexpr std::uint8_t kDefaultVersionMajor = 6, kDefaultVersionMinor = 90;

}  // namespace tw
