#pragma once

// Where the object model's members lie in the fixed bytes of each record. The decoder and
// the encoder both go through these tables; what a table cannot say (set and system
// numbers, frequencies, constant bits, values that belong to other objects) stays in the
// code of each side, next to its use.

#include "plugin/codec/bit_layout.h"
#include "plugin/store/sets.h"
#include "plugin/store/systems.h"

namespace tw::records {

// Group record, 3 + L bytes:
//   byte 0  7 flagA | 6 flagB | 5-3 value3 | 2-0 ID bits 10-8
//   byte 1  ID bits 7-0
//   byte 2  7 empty slot | 6 /f3 | 5 /f2 | 4 /f1 | 3 flagC | 2 /f0 | 1-0 steps / 5
//   name    L bytes
// An empty slot (ID 0 with byte 2 bit 7) carries nothing else.
inline constexpr std::size_t kGroupFixedSize = 3;
inline constexpr std::uint8_t kGroupEmptyMark = 0x80;  // byte 2
inline constexpr std::array kGroup{
    bit<&CGroup::flagA>(0, 7),
    bit<&CGroup::flagB>(0, 6),
    bits<&CGroup::value3>(0, 5, 3),
    wide(bits<&CGroup::id>(0, 2, 0)),
    inverted(bit<&CGroup::inverted, 3>(2, 6)),
    inverted(bit<&CGroup::inverted, 2>(2, 5)),
    inverted(bit<&CGroup::inverted, 1>(2, 4)),
    bit<&CGroup::flagC>(2, 3),
    inverted(bit<&CGroup::inverted, 0>(2, 2)),
    scaled(bits<&CGroup::steps>(2, 1, 0), 5),
};

// Conventional channel, byte 0 in both forms and byte 1 of both:
//   byte 0  7 flag7 | 6 special mode | 5 flag5 | 4-3 flag43 | 2-0 above 3 = upper
//   byte 1  4 flag14
// The long form's fine flags, bits 7-5 non-zero = 6.25 kHz:
//   byte 1  7-5 receive             byte 4  7-5 transmit
// (The rest of the record, drawn in the decoder, is frequencies and tone codes.)
inline constexpr std::array kConvChannel{
    bit<&CConvChannel::flag7>(0, 7), bit<&CConvChannel::specialMode>(0, 6),
    bit<&CConvChannel::flag5>(0, 5), bits<&CConvChannel::flag43>(0, 4, 3),
    bit<&CConvChannel::upper>(0, 2), bit<&CConvChannel::flag14>(1, 4),
};
inline constexpr std::array kConvChannelLongFine{
    bits<&CConvChannel::fineRx>(1, 7, 5),
    bits<&CConvChannel::fineTx>(4, 7, 5),
};

// Trunked system, 11 + L bytes:
//   b0  7-5 type 1 or 2
//   b1  7 its trunked set has one channel | 5-0 value6
//   b2  7 /flagA | 6 /flagB | 5-0 value14 bits 13-8     b3  value14 bits 7-0
//   b4  6 always set | 5 power-up flag | 4-0 value5
//   b5  7-5 special call set | 4-0 trunked set bits 4-0
//   b6  7-5 value3 | 4-0 group set bits 4-0
//   b7  7-4 system scan value
//   b8  7-6 trunked set steps / 5 | 5-0 priority system, or first scanned system
//   b9  6 pair scan mode | 5-0 second scanned system
//   b10 7 flag | 6 trunked set bit 5 | 5 group set bit 5 | 4-0 scan value in 0.5 steps
inline constexpr std::size_t kTrunkedFixedSize = 11;
inline constexpr std::array kTrunkedSystem{
    bits<&CTrunkSystem::value6>(1, 5, 0),      inverted(bit<&CTrunkSystem::flagA>(2, 7)),
    inverted(bit<&CTrunkSystem::flagB>(2, 6)), wide(bits<&CTrunkSystem::value14>(2, 5, 0)),
    bits<&CTrunkSystem::value5>(4, 4, 0),      bits<&CTrunkSystem::value3>(6, 7, 5),
    bit<&CTrunkSystem::flag>(10, 7),
};

// TELPAGE system, 7 + L bytes:
//   b0  7-5 type 3 | 4 flag0
//   b1  7 flag1 | 6 flag2 | 5 flag3 | 4-0 offset + 5
//   b2  7 group set bit 5 | 5-0 trunked set
//   b3  7-5 special call set | 4-0 group set bits 4-0
//   b4  TELPAGE code table index          b5  kept at 0
//   b6  7-6 value2 | 5 flag7 | 4 flag6 | 1 flag5 | 0 flag4
inline constexpr std::size_t kTelpageFixedSize = 7;
inline constexpr std::array kTelpageSystem{
    bit<&CTpgSystem::flags, 0>(0, 4),
    bit<&CTpgSystem::flags, 1>(1, 7),
    bit<&CTpgSystem::flags, 2>(1, 6),
    bit<&CTpgSystem::flags, 3>(1, 5),
    biased(bits<&CTpgSystem::offset>(1, 4, 0), 5),
    bits<&CTpgSystem::value2>(6, 7, 6),
    bit<&CTpgSystem::flags, 7>(6, 5),
    bit<&CTpgSystem::flags, 6>(6, 4),
    bit<&CTpgSystem::flags, 5>(6, 1),
    bit<&CTpgSystem::flags, 4>(6, 0),
};

}  // namespace tw::records
