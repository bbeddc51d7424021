#pragma once

#include <cstdint>

#include "families/hln/hln_link.h"

namespace tw::hln {

// Slots of the radio's pointer table, counted from the table offset plus the base.
enum class HlnSlot : std::uint16_t { Tracking = 21, Feature = 27, Auxiliary = 61 };

// Memory map positions relative to the base.
inline constexpr std::uint16_t kHlnBankFlagAddress = 0;
inline constexpr std::uint16_t kHlnBaseAddress = 3;
inline constexpr std::uint16_t kHlnTableOffsetAt = 33;
inline constexpr std::uint16_t kHlnVersionAt = 36;

// Sends "GC" n hi lo and receives n bytes with HlnWaitChar. Reports "Error Reading From
// Radio" when the command cannot be written and "Read Timeout" when the answer stops.
bool hlnReadMemory(HlnLink& link, std::uint8_t count, std::uint16_t address, std::uint8_t* out);

// Sends "GD" n hi lo, then the n bytes one by one, then waits for the acknowledge.
// Reports "Unable to write to the radio." when the line refuses a byte.
bool hlnWriteMemory(HlnLink& link, std::uint8_t count, std::uint16_t address,
                    const std::uint8_t* data);

// The base of the radio's data: 0 when the bank flag at address 0 is zero, else the word
// at address 3.
bool hlnResolveBase(HlnLink& link, std::uint16_t& base);

// The offset stored in one slot of the pointer table (0: the data does not exist).
bool hlnResolveSlot(HlnLink& link, std::uint16_t base, HlnSlot slot, std::uint16_t& offset);

// Where a slot's data lies: base and offset; the data is at base + offset unless the
// offset is 0.
struct HlnTableEntry {
    std::uint16_t base = 0;
    std::uint16_t offset = 0;
    bool exists() const { return offset != 0; }
    std::uint16_t address() const { return static_cast<std::uint16_t>(base + offset); }
};

// The whole walk: bank flag, base, table offset, slot.
bool HlnResolveTable(HlnLink& link, HlnSlot slot, HlnTableEntry& entry);

// Sends the 5-byte header of a "GC" or "GD" command.
bool hlnSendAddressed(HlnLink& link, char command, std::uint8_t count, std::uint16_t address);

}  // namespace tw::hln
