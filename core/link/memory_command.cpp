#include "link/memory_command.h"

#include "util/text.h"

namespace tw {

std::string memoryCommand(MemoryOp op, std::uint8_t count, std::uint16_t address) {
    return format("G%c%02X%04X", static_cast<char>(op), static_cast<unsigned>(count),
                  static_cast<unsigned>(address));
}

}  // namespace tw
