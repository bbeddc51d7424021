#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw::kvr {

// The MARTEN 30 tracking area, radio addresses 0x0200 to 0x03FF, as one image.
//   0        bit 7 portable (else mobile), bits 6..5 country, bits 2..0 band split
//   1        bit 0 subordinate allowed, bit 1 supervisor allowed (cloning)
//   16-23    squelch: wide local closing/opening, narrow local closing/opening,
//            wide distant closing/opening, narrow distant closing/opening
//   24       reference oscillator control
//   47-50    deviations (47, 49, 50 as high/low nibbles: narrowband/wideband)
//   53-58    combined modulation flatness F1..F6
//   71-73    reference oscillator, Tone TG, Digital TG
//   103-106  serial number: low nibble of 103, then 104..106 (7 digits)
//   127      checksum of 0..126
//   137..175 transmit power rows 5..1, 8 bytes apart, F1..F6 and a seventh byte
//   191      checksum of 128..190
// Every other byte is carried through untouched.
using Marten30Image = std::array<std::uint8_t, 512>;

namespace m30 {
inline constexpr std::uint16_t kAreaStart = 0x0200;
inline constexpr std::size_t kBlockSize = 16;
inline constexpr std::size_t kBlockCount = 32;
inline constexpr std::size_t kIdentityByte = 0;
inline constexpr std::size_t kCloningByte = 1;
inline constexpr std::size_t kSquelchFirst = 16;
inline constexpr std::size_t kRefOscControl = 24;
inline constexpr std::size_t kToneGateDeviation = 47;
inline constexpr std::size_t kPlainDeviation = 48;
inline constexpr std::size_t kToneToneGate = 49;
inline constexpr std::size_t kDigitalToneGate = 50;
inline constexpr std::size_t kFlatnessFirst = 53;
inline constexpr std::size_t kReferenceOsc = 71;
inline constexpr std::size_t kToneTg = 72;
inline constexpr std::size_t kDigitalTg = 73;
inline constexpr std::size_t kSerialFirst = 103;
inline constexpr std::size_t kFirstChecksum = 127;
inline constexpr std::size_t kSecondRangeStart = 128;
inline constexpr std::size_t kSecondChecksum = 191;

// First byte of transmit power row 1..5 (row 1 is the highest power).
constexpr std::size_t powerRowStart(int row) {
    return 137 + static_cast<std::size_t>(5 - row) * 8;
}
}  // namespace m30

inline constexpr int kPortableRadioId = 27;
inline constexpr int kMobileRadioId = 28;

bool isPortable(const Marten30Image& image);
int countryOf(std::uint8_t identity);    // bits 6..5
int bandSplitOf(std::uint8_t identity);  // bits 2..0
bool isEurope(const Marten30Image& image);

const char* radioTypeText(bool portable);  // "Marten 30 Portable" / "Marten 30 Mobile"
const char* countryText(int country);
const char* bandSplitText(int bandSplit);
// Seven upper-case digits.
std::string serialNumberText(const Marten30Image& image);
// "Master Radio" or "Slave Radio" from the cloning bits.
const char* cloningText(const Marten30Image& image);

// What a byte of the image holds, as the page's dialogs and report name it ("Squelch Wide
// Band Local Closing", "Tx Power Row 2 F3"); "byte 0x2F" for a byte the page does not show
// by itself (identity, cloning, deviation nibbles, serial number, checksums, the rest).
std::string marten30ByteName(std::size_t at);

// Bytes 127 and 191 made right for the rest of the image.
void fixChecksums(Marten30Image& image);

}  // namespace tw::kvr
