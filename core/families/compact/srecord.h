#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tw::compact {

// The WLA radio's program memory as the PC handles it: addresses 0x0000 up to 0xFEFF, 0xFF
// where a file gives nothing. Only 0x2000 to 0xF77F is ever flashed: below lies the boot
// loader, above it the area the radio keeps for itself.
inline constexpr std::size_t kCodeImageSize = 0xFF00;
inline constexpr std::uint32_t kCodeAreaStart = 0x2000;
inline constexpr std::uint32_t kCodeAreaEnd = 0xF780;  // first address not flashed
// The Part of a code read-back that the radio's check byte covers, and what a written file
// holds: 0x0000 to 0xF77F.
inline constexpr std::size_t kCodeFileBytes = kCodeAreaEnd;
// An S1 file of the whole memory is about 200 KiB; anything near this is no program of ours.
inline constexpr std::size_t kMaxMotFileBytes = 4u << 20;
inline constexpr std::size_t kMaxMotLineChars = 520;
// Fewer S1 records than this cannot be a radio program.
inline constexpr int kMinS1Records = 50;

struct MotFile {
    std::vector<std::uint8_t> image;  // kCodeImageSize bytes
    int s1Records = 0;
    std::size_t codeBytes = 0;     // data bytes given in 0x2000..0xF77F
    std::size_t outsideBytes = 0;  // data bytes given elsewhere: kept out of the flash
};

// Why a file was refused: the line (from 1; 0 for the file as a whole) and the reason.
struct MotRefusal {
    std::size_t line = 0;
    std::string reason;
    std::string text() const;
};

// Reads an S-record file strictly: every record must be whole and correct, or the file is
// refused before a radio is touched. S0 headers pass; S1 data lands in the image; S5/S6
// counts must match; nothing but blank lines and a trailing Ctrl-Z may follow S7/S8/S9. The
// 50-record rule is the caller's (it has its own message).
std::variant<MotFile, MotRefusal> readMotFile(const std::vector<std::uint8_t>& bytes);

// The text of a code read-back: one S1 record of 16 bytes per line for 0x0000 up to
// 0xF77F, 43 characters each with its line feed, no header and no end record.
inline constexpr std::size_t kMotLineBytes = 16;
inline constexpr std::size_t kMotLineChars = 43;
std::string writeMotFile(const std::uint8_t* code, std::size_t count);

}  // namespace tw::compact
