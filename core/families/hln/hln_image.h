#pragma once

#include "families/hln/hln_link.h"
#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"

namespace tw::hln {

// Reads the whole memory image ("GA") into image.buffer and reads it a second time to
// verify it. The caller shows the busy cursor.
bool HlnReadImage(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity);

// Writes the first imageSize bytes of image.buffer ("GB") in chunks and reads the image
// back to verify it. The caller shows the busy cursor.
bool HlnWriteImage(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity);

// How often a byte the line refused is sent again at once before the write is given up.
inline constexpr int kHlnByteRetries = 3;

}  // namespace tw::hln
