#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

// Numbers of the sections the directory points to.
enum Section : int {
    kSecGroupSets = 0,
    kSecAgency = 1,
    kSecTrunkSets = 2,
    kSecConvSets = 3,
    kSecSpCallSets = 4,
    kSecScanMatrix = 5,
    kSecSystems = 6,
    kSecStatusMessages = 7,
    kSecCallback = 8,
    kSecTpgGroupSets = 9,
    kSecTracking = 10,
    kSecFeature = 13,
    kSecScratchIds = 14,
    kSecScratchPhones = 15,
    kSecTpgTones = 16,
    kSecTpgPhones = 17,
    kSecTpgCodes = 18,
    kSecKeypadLock = 19,
    kSecFlexKeys = 20,
    kSecRciSysGroups = 22,
    kSecTpgSpCallSets = 23,
    kSecRciKeypad = 24,
    kSecConvExt25 = 25,
    kSecConvExt26 = 26,
    kSecType61 = 27,
    kSecConvExt28 = 28,
    kSecReserved = 29,
    kSecAuxiliary = 30,
    kSecConvExt31 = 31,
    kSecVoiceSeal = 32,
    kSecDualset = 33,
    kSecCrc = 34,
};
inline constexpr int kHighestSection = 34;

// Header area of the personality block P.
namespace hdr {
inline constexpr std::size_t kSize = 104;
inline constexpr std::size_t kDtmf1816 = 8, kDtmf1818 = 9, kDtmf1810 = 10, kDtmf1812 = 11,
                             kDtmf1808 = 12, kDtmf1814 = 13;
inline constexpr std::size_t kDirectory = 33;      // 2 bytes
inline constexpr std::size_t kVersion = 36;        // major, minor
inline constexpr std::size_t kFleetExponent = 40;  // bits 7-5
inline constexpr std::size_t kLayout = 41;         // bit 6: long conventional records
inline constexpr std::size_t kChecksum = 68;
inline constexpr std::size_t kNavloc = 94;
inline constexpr std::size_t kClearvox = 103;
}  // namespace hdr

inline constexpr std::size_t kPreambleSize = 9;
inline constexpr std::size_t kTrackingSectionSize = 27;
inline constexpr std::size_t kFeatureSectionSize = 50;
inline constexpr std::size_t kAuxiliarySectionSize = 56;
inline constexpr std::size_t kReservedSectionSize = 12;
inline constexpr int kType61RecordSize = 25;
inline constexpr int kStatusRecordSize = 9;
inline constexpr int kFlexKeyRecordSize = 16;
inline constexpr int kPhoneRecordSize = 16;  // 5-bit digit count, then 30 digits
inline constexpr int kMaxPhoneDigits = 30;

// Fixed bytes of a system record by the type in bits 7-5 of its first byte (-1: no such
// type; 4 to 7 are malformed).
int systemFixedSize(int type);

inline std::size_t convRecordSize(bool longForm, std::size_t nameLength) {
    return nameLength + (longForm ? 11 : 9);
}

// Generated names, "%02d"-style from a 1-based number.
std::string numberedName(const char* format, int number);

// CRC-16/USB: polynomial 0x8005 reflected, initial 0xFFFF, final complement.
std::uint16_t crc16Usb(const std::uint8_t* data, std::size_t count);

}  // namespace tw
