#pragma once

#include "families/hln/hln_link.h"
#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"

namespace tw::hln {

// Reads ("GI") or writes ("GD") the feature-data record, as identity.writeMode says.
bool HlnTransferFeatureData(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity);

// Reads or writes the tracking-data record: 27 bytes, 25 on radios whose data layout is
// older than 6.70 (the record then repeats byte 24 in bytes 25 and 26).
bool HlnTransferTrackingData(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity);

// Reads the 56-byte auxiliary block. A radio without one fails without a message.
bool HlnReadAuxiliaryBlock(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity);

// Bytes of tracking data a radio with this data-layout version keeps.
int hlnTrackingLength(std::uint8_t major, std::uint8_t minor);

}  // namespace tw::hln
