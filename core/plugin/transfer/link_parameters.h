#pragma once

#include <cstdint>

#include "families/hln/radio_identity.h"
#include "plugin/store/personality.h"
#include "plugin/transfer/transfer_outcome.h"

namespace tw {

// The letter the link stores in the radio ID for a personality's type code: the HLN
// family's letters stand for themselves, any other code is treated as a "C" radio.
char linkLetter(std::uint16_t typeCode);

// Sizes and radio ID letter from the personality's type code, and its name.
void applyLinkParameters(const CPersonality& personality, hln::RadioIdentity& identity);

// Band code of a file image from the first lower band limit (MHz).
int bandCodeOf(double lowerMhz);

// True when the personality holds band limits at all (a fresh one holds zeros).
bool hasBandLimits(const CPersonality& personality);

// Description letters a file transfer accepts.
bool isFileLetter(std::uint8_t letter);

// The radio ID of a file image: the description's letter, the band code, description
// bytes 3 and 4, and the variant byte.
void setFileRadioId(hln::RadioIdentity& identity, const RadioDescription& description, int band);

}  // namespace tw
