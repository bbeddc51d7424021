// Second pass: special call sets (section 4), TELPAGE group sets (9) with their code table
// (18), and TELPAGE special call sets (23).
#include <array>
#include <cstdio>

#include "plugin/codec/decode_context.h"
#include "plugin/codec/display_code.h"

namespace tw {
namespace {

constexpr std::size_t kJNumberBytes = 7;     // room for 14 digits
constexpr std::size_t kMaxNumberBytes = 16;  // other radios: up to the end mark
constexpr std::size_t kJIndividualSize = 16;
constexpr std::size_t kJNameSize = 8;

std::string failure(const char* what, int number) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %d runs past the end of its section.", what, number);
    return text;
}

// Telephone digits, two per byte, high nibble first, ended by the nibble 0xB. A digit
// nibble of 10 is ":" (on UKT/OKT radios "0"). Without an end mark the number fills its
// room.
bool readPhone(SectionReader& r, bool typeJ, std::string& digits) {
    const std::size_t room = typeJ ? kJNumberBytes : kMaxNumberBytes;
    bool ended = false;
    std::size_t used = 0;
    for (; used < room && !(ended && !typeJ); ++used) {
        auto b = r.u8();
        if (!b) return false;
        for (int nib : {*b >> 4, *b & 15}) {
            if (ended) break;
            if (nib == 0xB)
                ended = true;
            else if (nib <= 9)
                digits += static_cast<char>('0' + nib);
            else if (nib == 10)
                digits += typeJ ? '0' : ':';
        }
    }
    return true;
}

// One special call:
//   kind byte  7-5 kind | 4 /flag
//   kind 0 and 6: bytes 1-2 a 16-bit number (3 bytes in all)
//   kind 1: a telephone number (above)
//   other kinds: bytes 1-2 an individual ID (4 bytes in all, 16 on UKT/OKT radios)
//   then the name: 8 display-code bytes on UKT/OKT radios, else L bytes
bool readSpCall(DecodeContext& c, SectionReader& r, int index, CSpCall* out) {
    auto kindByte = r.u8();
    if (!kindByte) return false;
    const int kind = *kindByte >> 5;
    const bool typeJ = c.type == 'J';
    CSpCall call;
    call.kindCode = kind;
    call.flag = !(*kindByte & 0x10);
    if (kind == 0 || kind == 6) {
        auto n = r.u16();
        if (!n) return false;
        call.type = kind == 0 ? kSpCallKind0 : kSpCallKind6;
        call.number = std::to_string(*n);
    } else if (kind == 1) {
        call.type = kSpCallPhone;
        if (!readPhone(r, typeJ, call.number)) return false;
    } else {
        auto id = r.u16();
        if (!id || !r.skip(typeJ ? kJIndividualSize - 3 : 1)) return false;
        call.type = kSpCallIndividual;
        call.number = std::to_string(*id);
    }
    if (typeJ) {
        auto raw = r.text(kJNameSize);
        if (!raw) return false;
        call.name =
            decodeDisplayName(reinterpret_cast<const std::uint8_t*>(raw->data()), raw->size());
    } else {
        auto name = c.name(r, "SPCAL_%02d", index);
        if (!name) return false;
        call.name = *name;
    }
    if (out) *out = std::move(call);
    return true;
}

// Special call set: a 7-byte header
//   byte 0  number of calls | bytes 1-2 kept at 0 | bytes 3-4, 5-6 two 14-bit values
// then the calls.
bool readSpCallSet(DecodeContext& c, SectionReader& r, CSpCallSet* out) {
    auto n = r.u8();
    std::optional<std::uint16_t> v1, v2;
    if (!n || !r.skip(2) || !(v1 = r.u16()) || !(v2 = r.u16())) return false;
    if (out) {
        out->value1 = *v1 & 0x3FFF;
        out->value2 = *v2 & 0x3FFF;
    }
    for (int i = 0; i < *n; ++i) {
        CSpCall call;
        if (!readSpCall(c, r, i + 1, out ? &call : nullptr)) return false;
        if (out) out->Add(std::move(call));
    }
    return true;
}

// TELPAGE code table: byte 0 the number of entries, then 4 bytes per entry. Each non-zero
// byte of an entry goes into the matching slot; an index past the table changes nothing.
void applyCodeEntry(DecodeContext& c, int index, std::array<std::uint16_t, 4>& codeSlots) {
    if (!c.map.has(kSecTpgCodes)) return;
    SectionReader r = c.reader(kSecTpgCodes);
    auto n = r.u8();
    if (!n || index >= *n || !r.skip(4 * static_cast<std::size_t>(index))) return;
    for (auto& slot : codeSlots) {
        auto b = r.u8();
        if (!b) return;
        if (*b != 0) slot = *b;
    }
}

// TELPAGE group set: byte 0 the number of groups, then records of 2 + L bytes:
//   byte 0  code table index | byte 1  bits 3-7 five flags | name
bool decodeTpgGroupSet(DecodeContext& c, DecodeTarget& t, int number, std::size_t at) {
    SectionReader r(c.view, at, c.map.sections[kSecTpgGroupSets]->end);
    auto n = r.u8();
    if (!n) return c.fail(failure("TELPAGE group set", number));
    auto set = std::make_unique<CTpgGroupSet>();
    set->SetName(numberedName("TPGGRP%02d", number));
    for (int i = 0; i < *n; ++i) {
        auto code = r.u8(), flags = r.u8();
        auto name = flags ? c.name(r, "GROUP%3d", i + 1) : std::nullopt;
        if (!name) return c.fail(failure("TELPAGE group set", number));
        CTpgGroup g(*name, kTpgGroupSetType);
        for (int b = 0; b < 5; ++b) g.flags[b] = (*flags >> (3 + b)) & 1;
        applyCodeEntry(c, *code, g.codeSlots);
        set->Add(std::move(g));
    }
    t.fresh.AddSet(std::move(set), kTpgGroupSetType);
    return true;
}

// TELPAGE special call set (our layout): byte 0 the number of calls, then records of
// 2 + L bytes: a 16-bit number, then the name.
bool decodeTpgSpCallSet(DecodeContext& c, DecodeTarget& t, int number, std::size_t at) {
    SectionReader r(c.view, at, c.map.sections[kSecTpgSpCallSets]->end);
    auto n = r.u8();
    if (!n) return c.fail(failure("TELPAGE special call set", number));
    auto set = std::make_unique<CTpgSpCallSet>();
    set->SetName(numberedName("TPGSPC%02d", number));
    for (int i = 0; i < *n; ++i) {
        auto value = r.u16();
        auto name = value ? c.name(r, "SPCAL_%02d", i + 1) : std::nullopt;
        if (!name) return c.fail(failure("TELPAGE special call set", number));
        set->Add(CTpgSpCall{*name, std::to_string(*value)});
    }
    t.fresh.AddSet(std::move(set), kTpgSpCallSetType);
    return true;
}

}  // namespace

bool skipSpCallSet(DecodeContext& c, SectionReader& r) {
    return readSpCallSet(c, r, nullptr);
}

void applyTpgCodeEntry(DecodeContext& c, int index, std::array<std::uint16_t, 4>& codeSlots) {
    applyCodeEntry(c, index, codeSlots);
}

bool decodeCallSets(DecodeContext& c, DecodeTarget& t) {
    for (std::size_t i = 0; i < c.map.spCallSets.size(); ++i) {
        SectionReader r(c.view, c.map.spCallSets[i], c.map.sections[kSecSpCallSets]->end);
        auto set = std::make_unique<CSpCallSet>();
        set->SetName(numberedName("SPCSET%02d", static_cast<int>(i + 1)));
        if (!readSpCallSet(c, r, set.get()))
            return c.fail(failure("Special call set", static_cast<int>(i + 1)));
        t.fresh.AddSet(std::move(set), kSpCallSetType);
    }
    for (std::size_t i = 0; i < c.map.tpgGroupSets.size(); ++i)
        if (!decodeTpgGroupSet(c, t, static_cast<int>(i + 1), c.map.tpgGroupSets[i])) return false;
    for (std::size_t i = 0; i < c.map.tpgSpCallSets.size(); ++i)
        if (!decodeTpgSpCallSet(c, t, static_cast<int>(i + 1), c.map.tpgSpCallSets[i]))
            return false;
    return true;
}

}  // namespace tw
