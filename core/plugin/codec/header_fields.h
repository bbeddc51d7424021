#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

// Header byte of each DTMF value, in the order of CDTMFOpts::kControls.
std::size_t dtmfHeaderByte(std::size_t index);

// Zeroes the header bytes the encoder owns (structure, checks and the values the option
// objects hold), so that kept bytes never carry them from one radio into another.
void clearOwnedHeaderBytes(std::vector<std::uint8_t>& header);

// Sections whose contents belong to objects (or to the encoder); the others are kept raw.
bool sectionHeldByObjects(int section);

}  // namespace tw
