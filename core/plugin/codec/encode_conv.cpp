// Conventional frequency sets (section 3) and their extension tables (25, 26, 28, 31);
// the record diagram is beside the decoder's reading of it. The record form follows the
// band the channels are converted with; header byte 41 bit 6 says which form was used.
#include <algorithm>
#include <array>

#include "plugin/codec/encode_context.h"
#include "plugin/codec/record_layouts.h"
#include "plugin/codec/tone_gate.h"

namespace tw {
namespace {

constexpr std::array<int, 4> kExtensionSections{kSecConvExt25, kSecConvExt26, kSecConvExt28,
                                                kSecConvExt31};

std::string where(const CConvSet& set, std::size_t index) {
    return says("Channel %zu (%s) of conventional set %s", index + 1, set.items[index].name.c_str(),
                set.GetName().c_str());
}

// The channel is named only when something is refused: naming costs more than encoding.
bool toneGate(EncodeContext& c, const std::string& text, bool special, const CConvSet& set,
              std::size_t index, ToneGateBytes& out) {
    std::string why;
    auto bytes = encodeToneGate(text, special, why);
    if (!bytes) return c.refuse(where(set, index) + ": " + why + ".");
    out = *bytes;
    return true;
}

bool frequency(EncodeContext& c, double mhz, bool upper, bool fine, bool first, const CConvSet& set,
               std::size_t index, unsigned& value) {
    const auto v = c.longConv ? mhzToCount(c.freq, mhz, fine, !first)
                              : mhzToChannel(c.freq, mhz, upper, fine, first);
    if (!v)
        return c.refuse(says("%s: %.6f MHz has no channel number in band %d.",
                             where(set, index).c_str(), mhz, c.freq.band));
    value = static_cast<unsigned>(*v);
    return true;
}

bool channel(EncodeContext& c, const CConvSet& set, std::size_t index) {
    const CConvChannel& ch = set.items[index];
    unsigned rx = 0, tx = 0;
    ToneGateBytes rxCode, txCode;
    if (!frequency(c, ch.rxFreq, true, ch.fineRx, false, set, index, rx) ||
        (ch.hasTx && !frequency(c, ch.txFreq, ch.upper, ch.fineTx, true, set, index, tx)) ||
        !toneGate(c, ch.rxTg, ch.specialMode, set, index, rxCode) ||
        !toneGate(c, ch.txTg, ch.specialMode, set, index, txCode))
        return false;
    if (!ch.hasTx) txCode.first |= 0x10;
    std::array<std::uint8_t, 7> b{};  // the bytes before the tone codes
    if (c.longConv) {
        b[1] = static_cast<std::uint8_t>(rx >> 16);
        b[2] = static_cast<std::uint8_t>(rx >> 8);
        b[3] = static_cast<std::uint8_t>(rx);
        b[4] = static_cast<std::uint8_t>(tx >> 16);
        b[5] = static_cast<std::uint8_t>(tx >> 8);
        b[6] = static_cast<std::uint8_t>(tx);
        writeFields(records::kConvChannelLongFine, ch, b.data());
    } else {
        b[1] = static_cast<std::uint8_t>((ch.fineRx ? 0x20 : 0) | (rx >> 8));
        b[2] = static_cast<std::uint8_t>(rx);
        b[3] = static_cast<std::uint8_t>((ch.fineTx ? 0x20 : 0) | (tx >> 8));
        b[4] = static_cast<std::uint8_t>(tx);
    }
    writeFields(records::kConvChannel, ch, b.data());
    c.w.bytes(b.data(), c.longConv ? 7 : 5);
    c.w.u8(rxCode.first);
    c.w.u8(rxCode.second);
    c.w.u8(txCode.first);
    c.w.u8(txCode.second);
    c.w.name(ch.name, c.nameLength);
    return true;
}

}  // namespace

bool encodeConvSets(EncodeContext& c) {
    const int sets = c.p.GetSetCount(kConvSetType);
    if (sets == 0) return true;
    c.place(kSecConvSets);
    for (int i = 0; i < sets; ++i) {
        const CConvSet& set = *c.p.SetAt<CConvSet>(i);
        if (set.items.size() > 255)
            return c.refuse(
                says("Conventional set %s holds more than 255 channels.", set.GetName().c_str()));
        c.w.u8(static_cast<unsigned>(set.items.size()));
        for (std::size_t k = 0; k < set.items.size(); ++k)
            if (!channel(c, set, k)) return false;
    }
    // Extension table: bytes 0-1 the number of channels, then one byte per channel in set
    // order. Written only when some channel has a value in it.
    const int total = c.p.GetNumConvChans();
    for (std::size_t e = 0; e < kExtensionSections.size(); ++e) {
        std::vector<std::uint8_t> values;
        for (int i = 0; i < sets; ++i)
            for (const auto& ch : c.p.SetAt<CConvSet>(i)->items) values.push_back(ch.extension[e]);
        if (std::all_of(values.begin(), values.end(), [](auto v) { return v == 0; })) continue;
        c.place(kExtensionSections[e]);
        c.w.u16(static_cast<unsigned>(total));
        c.w.bytes(values.data(), values.size());
    }
    return true;
}

}  // namespace tw
