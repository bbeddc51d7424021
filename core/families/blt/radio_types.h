#pragma once

// Radio type codes of the BLT family and their display names. The same codes are the radio
// type bytes GVE radios report on the test link, so this header stands alone.

namespace tw::blt {

// Type letters the page checks by name.
inline constexpr char kTypeBltI = 'D';
inline constexpr char kTypeBltII = 'E';
inline constexpr char kTypeBltScn = 'F';
inline constexpr char kTypeLyra = 'P';
inline constexpr char kTypeNovac60M = 'Z';

// The display name of a type code; "Unknown" for a code with no name.
const char* RadioTypeName(int code);

// BLT I, BLT II and BLT SCN: the early hardware that lacks three power rows and reads ADI files.
bool isEarlyBlt(int code);

}  // namespace tw::blt
