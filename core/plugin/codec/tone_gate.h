#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// Tone Gate code of a conventional channel: two bytes in the record, a text in the channel
// object. Bit 6 of the first byte clear: a tone, 12 bits of tenths of Hz ("%3.1f"). Set: a
// digital code whose second byte is the radio's index of the code ("%3d"). A radio index
// that matches no code in the table keeps its number as "#n". In a record's special mode
// the codes are the fixed texts "3052" (second byte 0) and "2919".
std::string decodeToneGate(std::uint8_t first, std::uint8_t second, bool specialMode);

struct ToneGateBytes {
    std::uint8_t first = 0, second = 0;
};
// The two bytes of a text, or nothing (with `why` filled) when the radio cannot hold it.
std::optional<ToneGateBytes> encodeToneGate(const std::string& text, bool specialMode,
                                            std::string& why);

// Radio index of a standard digital code given by its octal digits (23 for 023), or -1.
int digitalCodeIndex(int code);
// The code with that radio index, or -1.
int digitalCodeOfIndex(int index);

}  // namespace tw
