#include "families/hln/hln_table.h"

#include "families/hln/hln_messages.h"

namespace tw::hln {
namespace {

std::uint16_t word(const std::uint8_t* b) {
    return static_cast<std::uint16_t>(b[0] << 8 | b[1]);
}

}  // namespace

bool HlnSendAddressed(HlnLink& link, char command, std::uint8_t count, std::uint16_t address) {
    const std::uint8_t header[5] = {'G', static_cast<std::uint8_t>(command), count,
                                    static_cast<std::uint8_t>(address >> 8),
                                    static_cast<std::uint8_t>(address & 0xFF)};
    return link.write(header, sizeof header);
}

bool HlnReadMemory(HlnLink& link, std::uint8_t count, std::uint16_t address, std::uint8_t* out) {
    if (!HlnSendAddressed(link, 'C', count, address)) {
        link.message(messages::kReadError);
        return false;
    }
    return HlnReceive(link, out, count);
}

bool HlnWriteMemory(HlnLink& link, std::uint8_t count, std::uint16_t address,
                    const std::uint8_t* data) {
    bool sent = false;
    {
        // The radio stores the next `count` bytes after the command, whatever they are.
        SerialLink::WholeCommand whole(link.serial());
        sent = HlnSendAddressed(link, 'D', count, address);
        for (std::uint8_t i = 0; sent && i < count; ++i) sent = link.writeChar(data[i]);
    }
    if (!sent) {
        link.message(messages::kUnableToWrite);
        return false;
    }
    return HlnReceivePrompt(link);
}

bool HlnResolveBase(HlnLink& link, std::uint16_t& base) {
    std::uint8_t flag = 0;
    if (!HlnReadMemory(link, 1, kHlnBankFlagAddress, &flag)) return false;
    base = 0;
    if (flag == 0) return true;
    std::uint8_t b[2] = {};
    if (!HlnReadMemory(link, 2, kHlnBaseAddress, b)) return false;
    base = word(b);
    return true;
}

bool HlnResolveSlot(HlnLink& link, std::uint16_t base, HlnSlot slot, std::uint16_t& offset) {
    std::uint8_t b[2] = {};
    if (!HlnReadMemory(link, 2, static_cast<std::uint16_t>(base + kHlnTableOffsetAt), b))
        return false;
    const std::uint16_t table = word(b);
    const auto entry = static_cast<std::uint16_t>(table + base + static_cast<std::uint16_t>(slot));
    if (!HlnReadMemory(link, 2, entry, b)) return false;
    offset = word(b);
    return true;
}

bool HlnResolveTable(HlnLink& link, HlnSlot slot, HlnTableEntry& entry) {
    return HlnResolveBase(link, entry.base) && HlnResolveSlot(link, entry.base, slot, entry.offset);
}

}  // namespace tw::hln
