// Second pass: conventional frequency sets (section 3) and their per-channel extension
// tables (sections 25, 26, 28, 31).
#include <array>
#include <cstdio>

#include "plugin/codec/decode_context.h"
#include "plugin/codec/record_layouts.h"
#include "plugin/codec/tone_gate.h"

namespace tw {
namespace {

constexpr std::array<int, 4> kExtensionSections{kSecConvExt25, kSecConvExt26, kSecConvExt28,
                                                kSecConvExt31};

std::string setFailure(int number) {
    char text[80];
    std::snprintf(text, sizeof text, "Conventional set %d runs past the end of its section.",
                  number);
    return text;
}

// Conventional channel, both forms: byte 0 and the flags of byte 1 are records::kConvChannel.
// Short form (bands 11 and 12), L + 9 bytes:
//   byte 1  7-5 equal to 1 = fine | 4 flag14 | 3-0 second number bits 11-8
//   byte 2  second number bits 7-0      (receive, always converted as upper)
//   byte 3  7-5 equal to 1 = fine | 3-0 first number bits 11-8
//   byte 4  first number bits 7-0       (transmit, converted with the record's upper)
//   bytes 5-6 receive code, 7-8 transmit code, then the name
// Long form, L + 11 bytes:
//   byte 1  7-5 non-zero = 6.25 kHz | 4 flag14 | 0 second count bit 16
//   bytes 2-3 second count bits 15-0    (receive, +-45 MHz by band)
//   byte 4  7-5 non-zero = 6.25 kHz | 0 first count bit 16
//   bytes 5-6 first count bits 15-0     (transmit)
//   bytes 7-8 receive code, 9-10 transmit code, then the name
// Transmit code byte 0 bit 4 set: the channel has no transmit frequency.
bool decodeChannel(DecodeContext& c, SectionReader& r, int index, CConvChannel& ch) {
    std::array<std::uint8_t, 11> b{};
    const std::size_t fixed = c.longConv ? 11 : 9;
    for (std::size_t i = 0; i < fixed; ++i) {
        auto x = r.u8();
        if (!x) return false;
        b[i] = *x;
    }
    auto name = c.name(r, "CHANL%03d", index);
    if (!name) return false;
    ch.name = *name;
    readFields(records::kConvChannel, b.data(), ch);
    const std::size_t codes = c.longConv ? 7 : 5;
    ch.hasTx = !(b[codes + 2] & 0x10);
    if (c.longConv) {
        readFields(records::kConvChannelLongFine, b.data(), ch);
        ch.rxFreq = countToMHz(c.freq, (b[1] & 1) << 16 | b[2] << 8 | b[3], ch.fineRx, true);
        if (ch.hasTx)
            ch.txFreq = countToMHz(c.freq, (b[4] & 1) << 16 | b[5] << 8 | b[6], ch.fineTx, false);
    } else {
        ch.fineRx = (b[1] >> 5) == 1;
        ch.fineTx = (b[3] >> 5) == 1;
        ch.rxFreq = channelToMHz(c.freq, (b[1] & 15) << 8 | b[2], true, ch.fineRx, false);
        if (ch.hasTx)
            ch.txFreq = channelToMHz(c.freq, (b[3] & 15) << 8 | b[4], ch.upper, ch.fineTx, true);
    }
    ch.rxTg = decodeToneGate(b[codes], b[codes + 1], ch.specialMode);
    ch.txTg = decodeToneGate(b[codes + 2], b[codes + 3], ch.specialMode);
    return true;
}

// Extension table: bytes 0-1 the number of channels it covers, then one byte per
// conventional channel in set order.
void decodeExtensions(DecodeContext& c, CPersonality& fresh) {
    for (std::size_t e = 0; e < kExtensionSections.size(); ++e) {
        if (!c.map.has(kExtensionSections[e])) continue;
        SectionReader r = c.reader(kExtensionSections[e]);
        auto count = r.u16();
        int k = 0;
        for (int s = 0; count && s < fresh.GetSetCount(kConvSetType); ++s) {
            auto* set = static_cast<CConvSet*>(fresh.GetSetAt(s, kConvSetType));
            for (auto& ch : set->items) {
                if (k++ >= *count) return;
                auto v = r.u8();
                if (!v) break;  // a short table leaves the rest at 0
                ch.extension[e] = *v;
            }
        }
    }
}

}  // namespace

bool decodeConvSets(DecodeContext& c, DecodeTarget& t) {
    for (std::size_t i = 0; i < c.map.convSets.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        SectionReader r(c.view, c.map.convSets[i], c.map.sections[kSecConvSets]->end);
        auto n = r.u8();
        if (!n) return c.fail(setFailure(number));
        auto set = std::make_unique<CConvSet>();
        set->SetName(numberedName("CNVSET%02d", number));
        for (int k = 0; k < *n; ++k) {
            CConvChannel ch;
            if (!decodeChannel(c, r, k + 1, ch)) return c.fail(setFailure(number));
            set->Add(std::move(ch));
        }
        t.fresh.AddSet(std::move(set), kConvSetType);
    }
    decodeExtensions(c, t.fresh);
    return true;
}

}  // namespace tw
