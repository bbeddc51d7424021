#pragma once

#include <cstddef>
#include <cstdint>

#include "families/hln/radio_identity.h"
#include "plugin/store/personality.h"

namespace tw {

class Ui;

// Turns a memory image into the personality: 1 = done, 0 = failed (the message shown).
// Only the first identity.imageSize bytes of the buffer are ever read (fewer when the
// buffer is shorter). On success the systems, sets, band limits and the option classes the
// image carries are replaced; the name and every other option stay. On failure nothing
// changes.
int decodePersonality(const std::uint8_t* buffer, std::size_t bufferSize, CPersonality& personality,
                      const hln::RadioIdentity& identity, Ui& ui);

// The same without a message: the reason for a failure, or "" on success.
std::string decodePersonalityQuietly(const std::uint8_t* buffer, std::size_t bufferSize,
                                     CPersonality& personality, const hln::RadioIdentity& identity);

}  // namespace tw
