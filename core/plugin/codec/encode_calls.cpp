// Special call sets (section 4), the TELPAGE code table (18), TELPAGE group sets (9) and
// TELPAGE special call sets (23); layouts beside the decoder's reading of them.
#include "plugin/codec/display_code.h"
#include "plugin/codec/encode_context.h"
#include "plugin/validation/c_number.h"

namespace tw {
namespace {

bool sixteenBits(EncodeContext& c, const std::string& text, const std::string& what,
                 unsigned& value) {
    bool digits = !text.empty() && text.size() <= 5;
    for (char ch : text) digits = digits && ch >= '0' && ch <= '9';
    const int v = digits ? cInteger(text) : -1;
    if (v < 0 || v > 0xFFFF)
        return c.refuse(
            says("%s: \"%s\" is not a number from 0 to 65535.", what.c_str(), text.c_str()));
    value = static_cast<unsigned>(v);
    return true;
}

// Digits two per byte, high nibble first, then the end mark 0xB. UKT/OKT radios keep a
// fixed room of 14 digits (7 bytes) and show the nibble 10 as "0"; the others show it as
// ":".
bool phone(EncodeContext& c, const std::string& number, const std::string& what) {
    const bool typeJ = c.type == 'J';
    std::vector<unsigned> nibbles;
    for (char ch : number) {
        if (typeJ && ch == '0')
            nibbles.push_back(10);
        else if (ch >= '0' && ch <= '9')
            nibbles.push_back(static_cast<unsigned>(ch - '0'));
        else if (!typeJ && ch == ':')
            nibbles.push_back(10);
        else
            return c.refuse(
                says("%s: \"%s\" is not a telephone number.", what.c_str(), number.c_str()));
    }
    const std::size_t room = typeJ ? 14 : 31;
    if (nibbles.size() > room)
        return c.refuse(says("%s: the number holds more than %zu digits.", what.c_str(), room));
    if (nibbles.size() < room || !typeJ) nibbles.push_back(0xB);
    const std::size_t bytes = typeJ ? 7 : (nibbles.size() + 1) / 2;
    nibbles.resize(2 * bytes, 0);
    for (std::size_t i = 0; i < bytes; ++i) c.w.u8(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
    return true;
}

bool spCall(EncodeContext& c, const CSpCallSet& set, std::size_t index) {
    const CSpCall& call = set.items[index];
    const std::string what =
        says("Special call %s of set %s", call.name.c_str(), set.GetName().c_str());
    int kind = 2;
    switch (call.type) {
        case kSpCallKind0:
            kind = 0;
            break;
        case kSpCallKind6:
            kind = 6;
            break;
        case kSpCallPhone:
            kind = 1;
            break;
        default:
            kind =
                call.kindCode >= 2 && call.kindCode != 6 && call.kindCode <= 7 ? call.kindCode : 2;
    }
    c.w.u8(static_cast<unsigned>(kind) << 5 | (call.flag ? 0 : 0x10));
    unsigned value = 0;
    if (kind == 1) {
        if (!phone(c, call.number, what)) return false;
    } else {
        if (!sixteenBits(c, call.number, what, value)) return false;
        c.w.u16(value);
        if (kind != 0 && kind != 6) c.w.zeros(c.type == 'J' ? 13 : 1);
    }
    if (c.type == 'J') {
        for (std::size_t i = 0; i < 8; ++i)
            c.w.u8(i < call.name.size() ? displayCodeOf(call.name[i]) : 0);
    } else {
        c.w.name(call.name, c.nameLength);
    }
    return true;
}

}  // namespace

bool encodeSpCallSets(EncodeContext& c) {
    const int sets = c.p.GetSetCount(kSpCallSetType);
    if (sets == 0) return true;
    c.place(kSecSpCallSets);
    for (int i = 0; i < sets; ++i) {
        const CSpCallSet& set = *c.p.SetAt<CSpCallSet>(i);
        if (set.items.size() > 255)
            return c.refuse(
                says("Special call set %s holds more than 255 calls.", set.GetName().c_str()));
        c.w.u8(static_cast<unsigned>(set.items.size()));
        c.w.u16(0);
        c.w.u16(static_cast<unsigned>(set.value1) & 0x3FFF);
        c.w.u16(static_cast<unsigned>(set.value2) & 0x3FFF);
        for (std::size_t k = 0; k < set.items.size(); ++k)
            if (!spCall(c, set, k)) return false;
    }
    return true;
}

// Section 18: byte 0 the number of entries, then 4 bytes per entry (entry 0 all zeros).
bool encodeTpgCodeTable(EncodeContext& c) {
    if (c.codeEntries.size() <= 1) return true;
    c.place(kSecTpgCodes);
    c.w.u8(static_cast<unsigned>(c.codeEntries.size()));
    for (const auto& entry : c.codeEntries)
        for (auto slot : entry) c.w.u8(slot);
    return true;
}

bool encodeTpgGroupSets(EncodeContext& c) {
    const int sets = c.p.GetSetCount(kTpgGroupSetType);
    if (sets == 0) return true;
    c.place(kSecTpgGroupSets);
    for (int i = 0; i < sets; ++i) {
        const CTpgGroupSet& set = *c.p.SetAt<CTpgGroupSet>(i);
        if (set.items.size() > 255)
            return c.refuse(
                says("TELPAGE group set %s holds more than 255 groups.", set.GetName().c_str()));
        c.w.u8(static_cast<unsigned>(set.items.size()));
        for (const CTpgGroup& g : set.items) {
            const auto code = c.codeIndex.find(&g);
            c.w.u8(code == c.codeIndex.end() ? 0 : static_cast<unsigned>(code->second));
            unsigned flags = 0;
            for (int b = 0; b < 5; ++b) flags |= g.flags[b] ? 1u << (3 + b) : 0;
            c.w.u8(flags);
            c.w.name(g.name, c.nameLength);
        }
    }
    return true;
}

bool encodeTpgSpCallSets(EncodeContext& c) {
    const int sets = c.p.GetSetCount(kTpgSpCallSetType);
    if (sets == 0) return true;
    c.place(kSecTpgSpCallSets);
    for (int i = 0; i < sets; ++i) {
        const CTpgSpCallSet& set = *c.p.SetAt<CTpgSpCallSet>(i);
        if (set.items.size() > 255)
            return c.refuse(says("TELPAGE special call set %s holds more than 255 calls.",
                                 set.GetName().c_str()));
        c.w.u8(static_cast<unsigned>(set.items.size()));
        for (const CTpgSpCall& call : set.items) {
            unsigned value = 0;
            if (!sixteenBits(c, call.number, "TELPAGE special call " + call.name, value))
                return false;
            c.w.u16(value);
            c.w.name(call.name, c.nameLength);
        }
    }
    return true;
}

}  // namespace tw
