// Group sets (section 0) and trunked frequency sets (section 2); the group record's layout
// is records::kGroup, the rest is drawn beside the decoder's reading of it.
#include "plugin/codec/encode_context.h"
#include "plugin/codec/record_layouts.h"

namespace tw {
namespace {

// 1-based position of a named group in its set (0: none or not found); six bits of room.
bool groupNumber(EncodeContext& c, const CGroupSet& set, const std::string& name,
                 unsigned& number) {
    const int index = set.FindIndex(name);
    number = index < 0 ? 0 : static_cast<unsigned>(index + 1);
    if (number > 63)
        return c.refuse(says("Group set %s names group %s at position %u; at most 63 can be named.",
                             set.GetName().c_str(), name.c_str(), number));
    return true;
}

bool groupSet(EncodeContext& c, const CGroupSet& set) {
    if (set.items.size() > 255)
        return c.refuse(says("Group set %s holds more than 255 groups.", set.GetName().c_str()));
    unsigned home = 0, p1 = 0, p2 = 0;
    if (!groupNumber(c, set, set.home, home) || !groupNumber(c, set, set.priority1, p1) ||
        !groupNumber(c, set, set.priority2, p2))
        return false;
    c.w.u8(static_cast<unsigned>(set.items.size()));
    c.w.u8(home);
    c.w.u8(p1);
    c.w.u8(p2);
    for (const CGroup& g : set.items) {
        std::array<std::uint8_t, records::kGroupFixedSize> b{};
        if (g.id == 0) {
            // An empty slot: only the marker; its name bytes stay as they are.
            b[2] = records::kGroupEmptyMark;
            c.w.bytes(b.data(), b.size());
            c.w.zeros(c.nameLength);
            continue;
        }
        if (g.id < 0 || g.id > 2047)
            return c.refuse(
                says("Group %s has ID %d; the radio holds IDs up to 2047.", g.name.c_str(), g.id));
        writeFields(records::kGroup, g, b.data());
        c.w.bytes(b.data(), b.size());
        c.w.name(g.name, c.nameLength);
    }
    return true;
}

bool channelNumber(EncodeContext& c, double mhz, bool upper, bool fine, bool first,
                   const std::string& set, std::size_t index, unsigned& number) {
    const auto n = mhzToChannel(c.freq, mhz, upper, fine, first);
    if (!n)
        return c.refuse(
            says("Channel %zu of trunked set %s: %.6f MHz has no channel number in band %d.",
                 index + 1, set.c_str(), mhz, c.freq.band));
    number = static_cast<unsigned>(*n);
    return true;
}

bool trunkSet(EncodeContext& c, const CTrunkSet& set) {
    if (set.items.size() > 31)
        return c.refuse(says("Trunked set %s holds more than 31 channels.", set.GetName().c_str()));
    c.w.u8(static_cast<unsigned>(set.items.size()) | (set.flag ? 0 : 0x40));
    c.w.u8(0);
    c.w.u8(0);
    for (std::size_t i = 0; i < set.items.size(); ++i) {
        const CTrunkChannel& ch = set.items[i];
        unsigned first = 0, second = 0;
        if (!channelNumber(c, ch.first, ch.upper, ch.fine, true, set.GetName(), i, first) ||
            !channelNumber(c, ch.second, true, ch.fine, false, set.GetName(), i, second))
            return false;
        c.w.u8((ch.mode == 1 ? 0x40 : ch.mode == 2 ? 0x20 : 0) | (ch.upper ? 0x04 : 0));
        c.w.u8((ch.fine ? 0x20 : 0) | first >> 8);
        c.w.u8(first & 0xFF);
        c.w.u8(second >> 8);
        c.w.u8(second & 0xFF);
    }
    return true;
}

}  // namespace

bool encodeGroupSets(EncodeContext& c) {
    if (c.p.GetSetCount(kGroupSetType) == 0) return true;
    c.place(kSecGroupSets);
    for (int i = 0; i < c.p.GetSetCount(kGroupSetType); ++i)
        if (!groupSet(c, *c.p.SetAt<CGroupSet>(i))) return false;
    return true;
}

bool encodeTrunkSets(EncodeContext& c) {
    if (c.p.GetSetCount(kTrunkSetType) == 0) return true;
    c.place(kSecTrunkSets);
    for (int i = 0; i < c.p.GetSetCount(kTrunkSetType); ++i)
        if (!trunkSet(c, *c.p.SetAt<CTrunkSet>(i))) return false;
    return true;
}

}  // namespace tw
