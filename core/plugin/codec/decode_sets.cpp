// Second pass: group sets (section 0) and trunked frequency sets (section 2).
#include <cstdio>

#include "plugin/codec/decode_context.h"
#include "plugin/codec/record_layouts.h"
#include "util/text.h"

namespace tw {
namespace {

std::string setFailure(const char* what, int number) {
    char text[80];
    std::snprintf(text, sizeof text, "%s %d runs past the end of its section.", what, number);
    return text;
}

// Name of the 1-based group `index` in the set, empty for 0 or an index past the set.
std::string groupAt(const CGroupSet& set, int index) {
    const CGroup* g = set.GetAt(index - 1);
    return g ? g->name : std::string();
}

// Group set:
//   byte 0  G, the number of groups
//   byte 1  bits 5-0 home group       (1-based, 0 = none)
//   byte 2  bits 5-0 priority-1 group
//   byte 3  bits 5-0 priority-2 group
// then G group records (records::kGroup).
bool decodeGroupSet(DecodeContext& c, DecodeTarget& t, int number, std::size_t at) {
    SectionReader r(c.view, at, c.map.sections[kSecGroupSets]->end);
    auto g = r.u8(), home = r.u8(), p1 = r.u8(), p2 = r.u8();
    if (!p2) return c.fail(setFailure("Group set", number));
    auto set = std::make_unique<CGroupSet>();
    set->SetName(numberedName("GRPSET%02d", number));
    for (int i = 0; i < *g; ++i) {
        std::array<std::uint8_t, records::kGroupFixedSize> b{};
        if (!r.fits(b.size())) return c.fail(setFailure("Group set", number));
        for (auto& x : b) x = *r.u8();
        auto name = c.name(r, "GROUP%3d", i + 1);
        if (!name) return c.fail(setFailure("Group set", number));
        CGroup group(*name, kGroupSetType);
        const bool empty = (b[0] & 7) == 0 && b[1] == 0 && (b[2] & records::kGroupEmptyMark);
        if (!empty) readFields(records::kGroup, b.data(), group);
        set->Add(std::move(group));
    }
    const std::pair<int, const char*> refs[] = {{*home & 0x3F, "home group"},
                                                {*p1 & 0x3F, "priority 1 group"},
                                                {*p2 & 0x3F, "priority 2 group"}};
    for (const auto& [index, what] : refs)
        if (const std::string shared = sharedGroupName(*set, index, c.nameLength); !shared.empty())
            return c.fail(format("The %s of group set %s is group %d%s", what,
                                 set->GetName().c_str(), index, shared.c_str()));
    set->home = groupAt(*set, *home & 0x3F);
    set->priority1 = groupAt(*set, *p1 & 0x3F);
    set->priority2 = groupAt(*set, *p2 & 0x3F);
    t.fresh.AddSet(std::move(set), kGroupSetType);
    return true;
}

// Trunked set:
//   byte 0  6 /flag | 4-0 C, the number of channels
//   bytes 1, 2 kept at 0
// then C records of 5 bytes:
//   byte 0  6 mode 1 | 5 mode 2 | 2-0 above 3 = upper
//   byte 1  7-5 equal to 1 = fine | 3-0 first number bits 11-8
//   byte 2  first number bits 7-0
//   byte 3  3-0 second number bits 11-8
//   byte 4  second number bits 7-0
// A set without channels still gives one channel, made from channel number 1.
bool decodeTrunkSet(DecodeContext& c, DecodeTarget& t, int number, std::size_t at) {
    SectionReader r(c.view, at, c.map.sections[kSecTrunkSets]->end);
    auto b0 = r.u8();
    if (!b0 || !r.skip(2)) return c.fail(setFailure("Trunked set", number));
    auto set = std::make_unique<CTrunkSet>();
    set->SetName(numberedName("TRKSET%02d", number));
    set->flag = !(*b0 & 0x40);
    set->bandLimits = t.fresh.bandLimits;
    const int count = *b0 & 0x1F;
    for (int i = 0; i < count; ++i) {
        auto x0 = r.u8(), x1 = r.u8(), x2 = r.u8(), x3 = r.u8(), x4 = r.u8();
        if (!x4) return c.fail(setFailure("Trunked set", number));
        CTrunkChannel ch;
        ch.mode = (*x0 & 0x40) ? 1 : (*x0 & 0x20) ? 2 : 0;
        ch.upper = (*x0 & 7) > 3;
        ch.fine = (*x1 >> 5) == 1;
        ch.first = channelToMHz(c.freq, (*x1 & 15) << 8 | *x2, ch.upper, ch.fine, true);
        ch.second = channelToMHz(c.freq, (*x3 & 15) << 8 | *x4, true, ch.fine, false);
        set->Add(ch);
    }
    if (count == 0) {
        CTrunkChannel ch;
        ch.first = channelToMHz(c.freq, 1, false, false, true);
        ch.second = channelToMHz(c.freq, 1, true, false, false);
        set->Add(ch);
    }
    t.fresh.AddSet(std::move(set), kTrunkSetType);
    return true;
}

}  // namespace

std::string sharedGroupName(const CGroupSet& set, int number, std::size_t nameLength) {
    const CGroup* named = set.GetAt(number - 1);
    if (!named) return {};
    const auto written = [&](const CGroup& g) {
        return g.id == 0 && nameLength > 0 ? std::string(nameLength, '\0') : g.name;
    };
    for (std::size_t k = 0; k < set.items.size(); ++k) {
        const CGroup& other = set.items[k];
        if (static_cast<int>(k) == number - 1) continue;
        const char* when = other.name == named->name ? ""
                           : written(other) == written(*named)
                               ? " once empty slots are written blank"
                               : nullptr;
        if (when)
            return format(
                ", whose name group %zu of the set shares%s; a personality could not "
                "tell them apart.",
                k + 1, when);
    }
    return {};
}

bool decodeGroupAndTrunkSets(DecodeContext& c, DecodeTarget& t) {
    for (std::size_t i = 0; i < c.map.groupSets.size(); ++i)
        if (!decodeGroupSet(c, t, static_cast<int>(i + 1), c.map.groupSets[i])) return false;
    for (std::size_t i = 0; i < c.map.trunkSets.size(); ++i)
        if (!decodeTrunkSet(c, t, static_cast<int>(i + 1), c.map.trunkSets[i])) return false;
    return true;
}

}  // namespace tw
