#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw {

// How a personality transfer ended. The exported functions always return 1 to the host;
// this is what really happened.
enum class TransferOutcome : int { Done = 0, Failed = 1, Refused = 2, Cancelled = 3 };

// The 5-byte radio description a host passes with a file transfer: byte 0 the radio type
// letter, bytes 3 and 4 copied into the radio ID.
using RadioDescription = std::array<std::uint8_t, 5>;

// What a host may choose for the transfers besides the personality.
struct TransferSettings {
    // Folder of the "read.hex" and "write.hex" dumps; empty: defaultDumpFolder().
    std::string dumpFolder;
};

}  // namespace tw
