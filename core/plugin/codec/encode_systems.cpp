// The system list (section 6), the scan matrix (5) and the RCI tables (22, 24). The
// system records' layouts are in record_layouts.h.
#include <algorithm>

#include "plugin/codec/encode_context.h"
#include "plugin/codec/record_layouts.h"
#include "plugin/validation/value_convert.h"

namespace tw {
namespace {

// 1-based position of a named system (0 when empty or not found); refuses positions that
// do not fit the record's six bits.
bool systemNumber(EncodeContext& c, const std::string& name, const std::string& owner,
                  unsigned& number) {
    const int index = c.p.FindSystemIndex(name);
    number = index < 0 ? 0 : static_cast<unsigned>(index + 1);
    if (number > 63)
        return c.refuse(says("System %s refers to system %s, number %u; at most 63 can be named.",
                             owner.c_str(), name.c_str(), number));
    return true;
}

bool trunked(EncodeContext& c, const CTrunkSystem& s) {
    const std::string& name = s.GetName();
    int trunk = 0, spc = 0, group = 0;
    if (s.trunkSet.empty()) return c.refuse(says("System %s has no trunked set.", name.c_str()));
    if (!c.setNumber(s.trunkSet, kTrunkSetType, "trunked set", "System " + name, trunk) ||
        !c.setNumber(s.spCallSet, kSpCallSetType, "special call set", "System " + name, spc) ||
        !c.setNumber(s.groupSet, kGroupSetType, "group set", "System " + name, group))
        return false;
    const auto* set = c.p.SetAt<CTrunkSet>(trunk - 1);
    CPowerUpOpts powerUp;
    if (const auto* o = c.p.GetOption<CPowerUpOpts>()) powerUp = *o;
    CSystemScanOpts systemScan;
    if (const auto* o = c.p.GetOption<CSystemScanOpts>()) systemScan = *o;
    CScanOpts scan;
    if (const auto* o = c.p.GetOption<CScanOpts>()) scan = *o;
    unsigned b8 = 0, b9 = 0;
    if (s.scanMode == kPairScanMode) {
        if (!systemNumber(c, s.scanPair[0], name, b8) || !systemNumber(c, s.scanPair[1], name, b9))
            return false;
        b9 |= 0x40;
    } else if (!systemNumber(c, s.prioritySystem, name, b8)) {
        return false;
    }
    b8 |= static_cast<unsigned>((set->steps / 5) & 3) << 6;
    const unsigned scanCount =
        static_cast<unsigned>(std::min(fractionToCount(194, 1077, scan.fraction).value_or(0), 31));
    // The record's own members go through the table; the rest are set numbers, system
    // numbers and radio-wide options every trunked record repeats.
    std::array<std::uint8_t, records::kTrunkedFixedSize> b{};
    b[0] = 0x20;
    b[1] = set->items.size() == 1 ? 0x80 : 0;
    b[4] = static_cast<std::uint8_t>(0x40 | (powerUp.flag ? 0x20 : 0));
    b[5] = static_cast<std::uint8_t>(static_cast<unsigned>(spc) << 5 | (trunk & 0x1F));
    b[6] = static_cast<std::uint8_t>(group & 0x1F);
    b[7] = static_cast<std::uint8_t>(static_cast<unsigned>(systemScan.value & 15) << 4);
    b[8] = static_cast<std::uint8_t>(b8);
    b[9] = static_cast<std::uint8_t>(b9);
    b[10] = static_cast<std::uint8_t>(((trunk & 0x20) ? 0x40 : 0) | ((group & 0x20) ? 0x20 : 0) |
                                      scanCount);
    writeFields(records::kTrunkedSystem, s, b.data());
    if (c.request.idOverride != 0) {
        b[2] = static_cast<std::uint8_t>((b[2] & 0xC0) | c.request.idOverride >> 8);
        b[3] = static_cast<std::uint8_t>(c.request.idOverride & 0xFF);
    }
    c.w.bytes(b.data(), b.size());
    return true;
}

bool conventional(EncodeContext& c, const CConvSystem& s) {
    int conv = 0;
    if (s.GetConvSetName().empty())
        return c.refuse(says("System %s has no conventional set.", s.GetName().c_str()));
    if (!c.setNumber(s.GetConvSetName(), kConvSetType, "conventional set", "System " + s.GetName(),
                     conv))
        return false;
    c.w.u8(0x00);
    c.w.u8(0);
    c.w.u8(0);
    c.w.u8(static_cast<unsigned>(conv));
    c.w.u8(0);
    return true;
}

bool telpage(EncodeContext& c, const CTpgSystem& s) {
    const std::string owner = "System " + s.GetName();
    int trunk = 0, group = 0, spc = 0;
    if (!c.setNumber(s.trunkSet, kTrunkSetType, "trunked set", owner, trunk) ||
        !c.setNumber(s.groupSet, kTpgGroupSetType, "TELPAGE group set", owner, group) ||
        !c.setNumber(s.spCallSet, kTpgSpCallSetType, "TELPAGE special call set", owner, spc))
        return false;
    if (group > 63 || spc > 7)
        return c.refuse(says("System %s refers to more TELPAGE sets than the radio can number.",
                             s.GetName().c_str()));
    const auto code = c.codeIndex.find(&s);
    std::array<std::uint8_t, records::kTelpageFixedSize> b{};
    b[0] = 0x60;
    b[2] = static_cast<std::uint8_t>((trunk & 0x3F) | ((group & 0x20) ? 0x80 : 0));
    b[3] = static_cast<std::uint8_t>(static_cast<unsigned>(spc) << 5 | (group & 0x1F));
    b[4] = code == c.codeIndex.end() ? 0 : static_cast<std::uint8_t>(code->second);
    writeFields(records::kTelpageSystem, s, b.data());
    c.w.bytes(b.data(), b.size());
    return true;
}

}  // namespace

bool encodeSystems(EncodeContext& c) {
    c.place(kSecSystems);
    c.w.u8(static_cast<unsigned>(c.p.GetNumSystems()));
    for (const auto& s : c.p.Systems()) {
        bool ok = true;
        if (auto* t = dynamic_cast<const CTrunkSystem*>(s.get()))
            ok = trunked(c, *t);
        else if (auto* v = dynamic_cast<const CConvSystem*>(s.get()))
            ok = conventional(c, *v);
        else if (auto* g = dynamic_cast<const CTpgSystem*>(s.get()))
            ok = telpage(c, *g);
        if (!ok) return false;
        c.w.name(s->GetName(), c.nameLength);
    }
    return true;
}

// Section 5: N x N bits, most significant first; bit i * N + j set when system i scans
// system j.
bool encodeScanMatrix(EncodeContext& c) {
    const std::size_t n = static_cast<std::size_t>(c.p.GetNumSystems());
    if (n == 0) return true;
    std::vector<std::uint8_t> bits((n * n + 7) / 8, 0);
    for (std::size_t i = 0; i < n; ++i) {
        auto* s = dynamic_cast<const CTrunkSystem*>(c.p.GetSystemAt(static_cast<int>(i)));
        if (!s) continue;
        for (const auto& name : s->scannedSystems) {
            const int j = c.p.FindSystemIndex(name);
            if (j < 0) continue;
            const std::size_t bit = i * n + static_cast<std::size_t>(j);
            bits[bit / 8] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
        }
    }
    c.place(kSecScanMatrix);
    c.w.bytes(bits.data(), bits.size());
    return true;
}

// Section 22: byte 0 the number of entries, then (system number, group number) pairs, the
// group counted in that system's group set. Section 24: one byte per key, the value 1
// stored as 1 and a value v of 2 or more as v + 9.
bool encodeRci(EncodeContext& c) {
    if (c.typeIn("CRTVU")) {
        std::vector<CRciSysGrp> entries;
        if (const auto* rci = c.p.GetOption<CRciSystemGroup>()) entries = rci->entries;
        if (entries.size() > 255)
            return c.refuse("Too many RCI system/group entries for this radio (255 max).");
        c.place(kSecRciSysGroups);
        c.w.u8(static_cast<unsigned>(entries.size()));
        for (const auto& e : entries) {
            // One byte each: the RCI list may name any system.
            const int index = c.p.FindSystemIndex(e.system);
            unsigned s = index < 0 ? 0 : static_cast<unsigned>(index + 1), g = 0;
            auto* sys = dynamic_cast<const CTrunkSystem*>(c.p.GetSystemAt(static_cast<int>(s) - 1));
            if (sys && !e.group.empty())
                if (const auto* set = c.p.FindSet<CGroupSet>(sys->groupSet)) {
                    const int found = set->FindIndex(e.group);
                    g = found < 0 ? 0 : static_cast<unsigned>(found + 1);
                }
            if (g > 255) return c.refuse("An RCI group lies past group 255 of its set.");
            c.w.u8(s);
            c.w.u8(g);
        }
    }
    if (c.type == 'C')
        if (const auto* keypad = c.p.GetOption<CRciKeypad>()) {
            c.place(kSecRciKeypad);
            for (int v : keypad->keypad)
                c.w.u8(v <= 0 ? 0 : v == 1 ? 1 : static_cast<unsigned>(std::min(v + 9, 255)));
        }
    return true;
}

}  // namespace tw
