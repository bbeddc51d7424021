#pragma once

#include <cstdint>
#include <string>

namespace tw {

// The UKT/OKT radios keep special-call names in their display code:
//   0x00 no character   0x50 blank   0x51-0x59 "1"-"9"   0x5A "0"
//   0x5B "*"   0x5C "="   0x5D "_"
//   other v: v + 0x30 up to 0x25, else v + 0x2F (a code of 0xD1 or more has no character)
std::string decodeDisplayName(const std::uint8_t* bytes, std::size_t count);
// Characters without a code become blanks.
std::uint8_t displayCodeOf(char c);

}  // namespace tw
