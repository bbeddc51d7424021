#pragma once

#include <cstdint>
#include <string>

namespace tw {

// The memory commands that KVR, MARTEN 30, WLB and MARTEN 60P radios share: "G", the
// operation digit, the byte count and the start address in upper-case hexadecimal, eight
// characters with no terminator. The data of a read or write follow as hexadecimal pairs.
enum class MemoryOp : char { Write = '1', Read = '4' };

std::string memoryCommand(MemoryOp op, std::uint8_t count, std::uint16_t address);

}  // namespace tw
