// First pass of the decoder: where every section, set and record lies. Nothing is built
// here, and every position is checked against its section and the image.
#include <algorithm>
#include <cstdio>

#include "plugin/codec/decode_context.h"

namespace tw {
namespace {

std::string sectionText(const char* format, int n) {
    char text[96];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

bool findSections(DecodeContext& c) {
    ImageMap& m = c.map;
    auto flag = c.view.u8(0);
    if (!flag) return c.fail("The image is empty.");
    if (*flag != 0) {
        auto p = c.view.u16(3);
        if (!p) return c.fail("The preamble is cut short.");
        m.p = *p;
    }
    if (!c.view.has(m.p, hdr::kSize))
        return c.fail("The header area runs past the end of the image.");
    c.versionMajor = *c.view.u8(m.p + hdr::kVersion);
    c.versionMinor = *c.view.u8(m.p + hdr::kVersion + 1);
    c.freq.version690 = c.versionMajor > 6 || (c.versionMajor == 6 && c.versionMinor >= 90);
    // The record form follows the image's own layout bit, for the walk and the decode alike.
    c.longConv = *c.view.bit(m.p + hdr::kLayout, 6);
    const std::size_t dir = m.p + *c.view.u16(m.p + hdr::kDirectory);
    auto highest = c.view.u8(dir);
    if (!highest) return c.fail("The section directory lies past the end of the image.");
    m.highestSection = *highest;
    if (!c.view.has(dir + 1, 2 * (static_cast<std::size_t>(*highest) + 1)))
        return c.fail("The section directory runs past the end of the image.");
    std::vector<std::size_t> starts;
    for (int n = 0; n <= *highest; ++n) {
        const std::uint16_t off = *c.view.u16(dir + 1 + 2 * n);
        if (off == 0) continue;
        const std::size_t start = m.p + off;
        if (start >= c.view.limit())
            return c.fail(sectionText("Section %d lies past the end of the image.", n));
        m.sections[n] = SectionSpan{start, c.view.limit()};
        starts.push_back(start);
    }
    std::sort(starts.begin(), starts.end());
    for (auto& s : m.sections) {
        if (!s) continue;
        auto next = std::upper_bound(starts.begin(), starts.end(), s->start);
        if (next != starts.end()) s->end = *next;
    }
    return true;
}

void countSet(int& count, int number) {
    count = std::max(count, number);
}

bool walkSystems(DecodeContext& c) {
    ImageMap& m = c.map;
    SectionReader r = c.reader(kSecSystems);
    auto n = r.u8();
    if (!n) return c.fail("The system list is empty.");
    for (int i = 0; i < *n; ++i) {
        const std::size_t at = r.pos();
        auto b0 = r.u8();
        if (!b0)
            return c.fail(sectionText("System %d lies past the end of the system list.", i + 1));
        const int type = *b0 >> 5;
        const int fixed = systemFixedSize(type);
        if (fixed < 0) return c.fail(sectionText("System %d has a type no radio uses.", i + 1));
        if (!r.skip(fixed - 1 + c.nameLength))
            return c.fail(sectionText("System %d runs past the end of the system list.", i + 1));
        const ByteView& v = c.view;
        if (type == 0) {
            countSet(m.convSetCount, *v.u8(at + 3) & 0x1F);
        } else if (type <= 2) {
            const std::uint8_t b5 = *v.u8(at + 5), b6 = *v.u8(at + 6), b10 = *v.u8(at + 10);
            countSet(m.trunkSetCount, (b5 & 0x1F) + ((b10 & 0x40) ? 32 : 0));
            countSet(m.spCallSetCount, b5 >> 5);
            countSet(m.groupSetCount, (b6 & 0x1F) + ((b10 & 0x20) ? 32 : 0));
        } else {
            const std::uint8_t b2 = *v.u8(at + 2), b3 = *v.u8(at + 3);
            countSet(m.trunkSetCount, b2 & 0x3F);
            countSet(m.tpgGroupSetCount, (b3 & 0x1F) + ((b2 & 0x80) ? 32 : 0));
            countSet(m.tpgSpCallSetCount, b3 >> 5);
        }
        m.systems.push_back(at);
        m.systemTypes.push_back(type);
    }
    return true;
}

// Walks `count` sets of one section; `skip` moves over one set.
template <class Skip>
bool walkSets(DecodeContext& c, int section, int count, std::vector<std::size_t>& starts,
              const char* what, Skip skip) {
    if (count == 0 || !c.map.has(section)) return true;
    SectionReader r = c.reader(section);
    for (int i = 0; i < count; ++i) {
        starts.push_back(r.pos());
        if (!skip(r)) {
            char text[96];
            std::snprintf(text, sizeof text, "%s %d runs past the end of its section.", what,
                          i + 1);
            return c.fail(text);
        }
    }
    return true;
}

}  // namespace

bool walkImage(DecodeContext& c) {
    if (!findSections(c)) return false;
    if (!c.map.has(kSecSystems)) return c.fail("The image holds no system list.");
    if (!walkSystems(c)) return false;
    const std::size_t L = c.nameLength;
    ImageMap& m = c.map;
    return walkSets(c, kSecGroupSets, m.groupSetCount, m.groupSets, "Group set",
                    [&](SectionReader& r) {
                        auto g = r.u8();
                        return g && r.skip(3 + *g * (3 + L));
                    }) &&
           walkSets(c, kSecTrunkSets, m.trunkSetCount, m.trunkSets, "Trunked set",
                    [&](SectionReader& r) {
                        auto b0 = r.u8();
                        return b0 && r.skip(2 + 5 * (*b0 & 0x1F));
                    }) &&
           walkSets(c, kSecConvSets, m.convSetCount, m.convSets, "Conventional set",
                    [&](SectionReader& r) {
                        auto n = r.u8();
                        return n && r.skip(*n * convRecordSize(c.longConv, L));
                    }) &&
           walkSets(c, kSecSpCallSets, m.spCallSetCount, m.spCallSets, "Special call set",
                    [&](SectionReader& r) { return skipSpCallSet(c, r); }) &&
           walkSets(c, kSecTpgGroupSets, m.tpgGroupSetCount, m.tpgGroupSets, "TELPAGE group set",
                    [&](SectionReader& r) {
                        auto n = r.u8();
                        return n && r.skip(*n * (2 + L));
                    }) &&
           walkSets(c, kSecTpgSpCallSets, m.tpgSpCallSetCount, m.tpgSpCallSets,
                    "TELPAGE special call set", [&](SectionReader& r) {
                        auto n = r.u8();
                        return n && r.skip(*n * (2 + L));
                    });
}

std::optional<std::string> DecodeContext::name(SectionReader& r, const char* format,
                                               int number) const {
    if (nameLength == 0) return numberedName(format, number);
    return r.text(nameLength);
}

}  // namespace tw
