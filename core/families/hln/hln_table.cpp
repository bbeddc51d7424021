#include "families/hln/hln_table.h"

#include "families/hln/hln_messages.h"

namespace tw::hln {
namespace {

std::uint16_t word(const std::uint8_t* b) {
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

}  // namespace

bool hlnSendAddressed(HlnLink& link, char command, std::uint8_t count, std::uint16_t address) {
    const std::uint8_t header[5] = {'G', static_cast<std::uint8_t>(command), count,
                                    static_cast<std::uint8_t>(address >> 8),
                                    static_cast<std::uint8_t>(address & 0xFF)};
    return link.write(header, sizeof header);
}

bool hlnReadMemory(HlnLink& link, std::uint8_t count, std::uint16_t address, std::uint8_t* out) {
    if (!hlnSendAddressed(link, 'C', count, address)) {
        link.message(messages::kReadError);
        return false;
    }
    return hlnReceive(link, out, count);
}

bool hlnWriteMemory(HlnLink& link, std::uint8_t count, std::uint16_t address,
                    const std::uint8_t* data) {
    bool sent = false;
    {
        // The radio stores the next `count` bytes after the command, whatever they are.
        SerialLink::WholeCommand whole(link.serial());
        sent = hlnSendAddressed(link, 'D', count, address);
        for (std::uint8_t i = 0; sent && i < count; ++i) sent = link.writeChar(data[i]);
    }
    if (!sent) {
        link.message(messages::kUnableToWrite);
        return false;
    }
    return hlnReceivePrompt(link);
}

bool hlnResolveBase(HlnLink& link, std::uint16_t& base) {
    std::uint8_t flag = 0;
    if (!hlnReadMemory(link, 1, kHlnBankFlagAddress, &flag)) return false;
    base = 0;
    if (flag == 0) return true;
    std::uint8_t b[2] = {};
    if (!hlnReadMemory(link, 2, kHlnBaseAddress, b)) return false;
    base = word(b);
    return true;
}

bool hlnResolveSlot(HlnLink& link, std::uint16_t base, HlnSlot slot, std::uint16_t& offset) {
    std::uint8_t b[2] = {};
    if (!hlnReadMemory(link, 2, static_cast<std::uint16_t>(base + kHlnTableOffsetAt), b))
        return false;
    const std::uint16_t table = word(b);
    const auto entry = static_cast<std::uint16_t>(table + base + static_cast<std::uint16_t>(slot));
    if (!hlnReadMemory(link, 2, entry, b)) return false;
    offset = word(b);
    return true;
}

bool HlnResolveTable(HlnLink& link, HlnSlot slot, HlnTableEntry& entry) {
    return hlnResolveBase(link, entry.base) && hlnResolveSlot(link, entry.base, slot, entry.offset);
}

}  // namespace tw::hln
