// Second pass, last step: the system list (section 6), which refers to sets by number,
// then what refers to systems: the scan matrix (5) and the RCI system/group list (22).
#include <array>

#include "plugin/codec/decode_context.h"
#include "plugin/codec/record_layouts.h"
#include "plugin/validation/value_convert.h"
#include "util/text.h"

namespace tw {
namespace {

std::string setName(const char* format, int number) {
    return number == 0 ? std::string() : numberedName(format, number);
}

// Raw bytes of one system record.
struct Record {
    std::array<std::uint8_t, records::kTrunkedFixedSize> b{};  // the longest record
    int type = 0;
    std::string name;
};

std::string systemName(const std::vector<Record>& records, int number) {
    return number >= 1 && number <= static_cast<int>(records.size()) ? records[number - 1].name
                                                                     : std::string();
}

// Another system that bears the name of system `number` (1-based), 0 when none does. A
// personality refers to systems by name: a reference to a shared name could not find its
// system again, so it is refused rather than kept.
int systemNamesake(const std::vector<Record>& records, int number) {
    if (number < 1 || number > static_cast<int>(records.size())) return 0;
    for (std::size_t k = 0; k < records.size(); ++k)
        if (static_cast<int>(k) != number - 1 && records[k].name == records[number - 1].name)
            return static_cast<int>(k) + 1;
    return 0;
}

constexpr const char* kNamesakeTail = "; a personality could not tell them apart.";

// The systems a trunked record refers to: its scan pair, else its priority system.
bool checkSystemRefs(DecodeContext& c, const std::vector<Record>& records, int number) {
    const auto& b = records[number - 1].b;
    const int pair[] = {b[8] & 0x3F, (b[9] & 0x40) ? (b[9] & 0x3F) : 0};
    for (int target : pair)
        if (const int other = systemNamesake(records, target))
            return c.fail(format("System %d refers to system %d, whose name system %d shares%s",
                                 number, target, other, kNamesakeTail));
    return true;
}

// Every set a system names must be one the image holds. A system can point at a set whose
// section is absent; kept, that reference would name nothing.
bool checkSetRefs(DecodeContext& c, const CPersonality& fresh, const CSystem& s, int number) {
    static constexpr const char* kWhat[kSetTypeCount] = {
        "trunked set",      "conventional set",  "group set",
        "special call set", "TELPAGE group set", "TELPAGE special call set"};
    std::vector<std::pair<std::string, int>> refs;
    if (const auto* conv = dynamic_cast<const CConvSystem*>(&s)) {
        refs = {{conv->GetConvSetName(), kConvSetType}};
    } else if (const auto* trunk = dynamic_cast<const CTrunkSystem*>(&s)) {
        refs = {{trunk->trunkSet, kTrunkSetType},
                {trunk->groupSet, kGroupSetType},
                {trunk->spCallSet, kSpCallSetType}};
    } else if (const auto* tpg = dynamic_cast<const CTpgSystem*>(&s)) {
        refs = {{tpg->trunkSet, kTrunkSetType},
                {tpg->groupSet, kTpgGroupSetType},
                {tpg->spCallSet, kTpgSpCallSetType}};
    }
    for (const auto& [name, type] : refs)
        if (!name.empty() && fresh.FindSetIndex(name, type) < 0)
            return c.fail(format("System %d refers to %s %s, which the image does not hold.",
                                 number, kWhat[type], name.c_str()));
    return true;
}

// Conventional system, 5 + L bytes:
//   b0  7-5 type 0 | b3  4-0 conventional set number | the rest kept at 0
std::unique_ptr<CSystem> conventional(const Record& r) {
    auto s = std::make_unique<CConvSystem>(r.name);
    s->SetConvSetName(setName("CNVSET%02d", r.b[3] & 0x1F));
    return s;
}

// Trunked system: records::kTrunkedSystem.
std::unique_ptr<CSystem> trunked(const Record& r, const std::vector<Record>& all,
                                 CPersonality& fresh) {
    const auto& b = r.b;
    auto s = std::make_unique<CTrunkSystem>(r.name);
    const int trunkSet = (b[5] & 0x1F) + ((b[10] & 0x40) ? 32 : 0);
    s->trunkSet = setName("TRKSET%02d", trunkSet);
    s->spCallSet = setName("SPCSET%02d", b[5] >> 5);
    s->groupSet = setName("GRPSET%02d", (b[6] & 0x1F) + ((b[10] & 0x20) ? 32 : 0));
    readFields(records::kTrunkedSystem, b.data(), *s);
    if (b[9] & 0x40) {
        s->scanMode = kPairScanMode;
        s->scanPair = {systemName(all, b[8] & 0x3F), systemName(all, b[9] & 0x3F)};
    } else {
        s->prioritySystem = systemName(all, b[8] & 0x3F);
    }
    // The set's step value travels in the records of the systems that use it.
    if (auto* set = static_cast<CTrunkSet*>(fresh.GetSetAt(trunkSet - 1, kTrunkSetType)))
        set->steps = (b[8] >> 6) * 5;
    return s;
}

// TELPAGE system: records::kTelpageSystem.
std::unique_ptr<CSystem> telpage(DecodeContext& c, const Record& r) {
    const auto& b = r.b;
    auto s = std::make_unique<CTpgSystem>(r.name);
    s->trunkSet = setName("TRKSET%02d", b[2] & 0x3F);
    s->groupSet = setName("TPGGRP%02d", (b[3] & 0x1F) + ((b[2] & 0x80) ? 32 : 0));
    s->spCallSet = setName("TPGSPC%02d", b[3] >> 5);
    readFields(records::kTelpageSystem, b.data(), *s);
    applyTpgCodeEntry(c, b[4], s->codeSlots);
    return s;
}

// Section 5: N x N bits, most significant first, row i = the systems system i scans.
bool decodeScanMatrix(DecodeContext& c, CPersonality& fresh, const std::vector<Record>& all) {
    if (!c.map.has(kSecScanMatrix)) return true;
    const SectionSpan s = *c.map.sections[kSecScanMatrix];
    const std::size_t n = all.size();
    if (n * n > 8 * (s.end - s.start))
        return c.fail("The system scan matrix runs past its section.");
    for (std::size_t i = 0; i < n; ++i) {
        auto* sys = dynamic_cast<CTrunkSystem*>(fresh.GetSystemAt(static_cast<int>(i)));
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t bit = i * n + j;
            if (!*c.view.bit(s.start + bit / 8, 7 - static_cast<int>(bit % 8)) || !sys) continue;
            const int target = static_cast<int>(j + 1);
            if (const int other = systemNamesake(all, target))
                return c.fail(format("System %zu scans system %d, whose name system %d shares%s",
                                     i + 1, target, other, kNamesakeTail));
            sys->scannedSystems.push_back(all[j].name);
        }
    }
    return true;
}

// Section 22: byte 0 the number of entries, then (system number, group number) pairs;
// the group is counted within the group set of that system.
bool decodeRciSystemGroups(DecodeContext& c, DecodeTarget& t, const std::vector<Record>& all) {
    if (!c.map.has(kSecRciSysGroups)) return true;
    SectionReader r = c.reader(kSecRciSysGroups);
    auto n = r.u8();
    if (!n) return c.fail("The RCI system/group list runs past its section.");
    CRciSystemGroup& rci = t.option<CRciSystemGroup>();
    rci.entries.clear();
    for (int i = 0; i < *n; ++i) {
        auto s = r.u8(), g = r.u8();
        if (!g) return c.fail("The RCI system/group list runs past its section.");
        CRciSysGrp entry;
        entry.system = systemName(all, *s);
        if (const int other = systemNamesake(all, *s))
            return c.fail(format("RCI entry %d names system %d, whose name system %d shares%s",
                                 i + 1, *s, other, kNamesakeTail));
        auto* sys = dynamic_cast<CTrunkSystem*>(t.fresh.GetSystemAt(*s - 1));
        if (sys && *g != 0)
            if (auto* set = t.fresh.FindSet<CGroupSet>(sys->groupSet))
                if (const CGroup* group = set->GetAt(*g - 1)) {
                    const std::string shared = sharedGroupName(*set, *g, c.nameLength);
                    if (!shared.empty())
                        return c.fail(format("RCI entry %d names group %d of group set %s%s", i + 1,
                                             *g, set->GetName().c_str(), shared.c_str()));
                    entry.group = group->name;
                }
        rci.entries.push_back(entry);
    }
    return true;
}

}  // namespace

bool decodeSystems(DecodeContext& c, DecodeTarget& t) {
    std::vector<Record> records;
    for (std::size_t i = 0; i < c.map.systems.size(); ++i) {
        Record r;
        r.type = c.map.systemTypes[i];
        const std::size_t fixed = static_cast<std::size_t>(systemFixedSize(r.type));
        for (std::size_t k = 0; k < fixed; ++k) r.b[k] = *c.view.u8(c.map.systems[i] + k);
        r.name = c.nameLength == 0 ? numberedName("SYSTEM%02d", static_cast<int>(i + 1))
                                   : *c.view.text(c.map.systems[i] + fixed, c.nameLength);
        records.push_back(r);
    }
    bool firstTrunked = true;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const int number = static_cast<int>(i + 1);
        std::unique_ptr<CSystem> made = r.type == 0   ? conventional(r)
                                        : r.type == 3 ? telpage(c, r)
                                                      : trunked(r, records, t.fresh);
        if (!checkSetRefs(c, t.fresh, *made, number)) return false;
        if (r.type == 1 || r.type == 2) {
            if (!checkSystemRefs(c, records, number)) return false;
            // Radio-wide options repeated in every trunked record: the first one speaks.
            if (firstTrunked) {
                firstTrunked = false;
                t.option<CPowerUpOpts>().flag = r.b[4] & 0x20;
                t.option<CSystemScanOpts>().value = r.b[7] >> 4;
                t.option<CScanOpts>().fraction =
                    countToFraction(194, 1077, r.b[10] & 0x1F).value_or(0);
            }
        }
        t.fresh.AddSystem(std::move(made));
    }
    return decodeScanMatrix(c, t.fresh, records) && decodeRciSystemGroups(c, t, records);
}

}  // namespace tw
