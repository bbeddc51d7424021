// Second pass: the option tables of sections 7, 14-17, 19, 20, 24, 27, 32 and 33.
#include <array>

#include "plugin/codec/decode_context.h"

namespace tw {
namespace {

// Section 7: byte 0 S, byte 1 M, then S status and M message records of 9 bytes:
//   byte 0 the entry's number | bytes 1-8 its text
bool decodeStatusMessages(DecodeContext& c, DecodeTarget& t) {
    if (!c.map.has(kSecStatusMessages)) return true;
    SectionReader r = c.reader(kSecStatusMessages);
    auto s = r.u8(), m = r.u8();
    if (!m) return c.fail("The status and message lists run past their section.");
    auto& status = t.option<CStatus>().items;
    auto& messages = t.option<CMessage>().items;
    status.clear();
    messages.clear();
    for (int i = 0; i < *s + *m; ++i) {
        auto number = r.u8();
        auto text = number ? r.text(8) : std::nullopt;
        if (!text) return c.fail("The status and message lists run past their section.");
        (i < *s ? status : messages).push_back(CStatusMessage{*number, *text});
    }
    return true;
}

// Section 19 (TRW): byte 0 bits 7-4 = n, then n digit nibbles from byte 0 bits 3-0 on,
// high nibble first: 0x3 1 | 2 3 | 4 5 ... for the sequence "012345".
bool decodeKeypadLock(DecodeContext& c, DecodeTarget& t) {
    if (c.type != 'B' || !c.map.has(kSecKeypadLock)) return true;
    const SectionSpan s = *c.map.sections[kSecKeypadLock];
    auto head = c.view.u8(s.start);
    if (!head) return c.fail("The keypad lock sequence runs past its section.");
    const int n = *head >> 4;
    std::string digits;
    for (int k = 0; k < n; ++k) {
        const std::size_t index = 1 + static_cast<std::size_t>(k);
        if (s.start + index / 2 >= s.end)
            return c.fail("The keypad lock sequence runs past its section.");
        digits += static_cast<char>(0x30 + *c.view.nibble(s.start, index));
    }
    t.option<CKeypadCtrlOpts_N2>().lockSequence = digits;
    return true;
}

const char* functionKeyName(int code) {
    static constexpr const char* kNames[] = {"EMERGNCY", "  HOME  ", "PUB ADDR", "EXT SPKR",
                                             "SCN TOGL", " SPCALL ", "PVT/CLR "};
    return code >= 1 && code <= 7 ? kNames[code - 1] : kNames[0];
}

// Section 20 (TRW): three 16-byte key records.
//   byte 0  7-4 kind | 3-0 digit count (number keys, at most 14)
//   kind 1: byte 1 function code (the name follows from it)
//   kinds 2, 3: bytes 1-7 fourteen digit nibbles, high first; bytes 8-15 the name
bool decodeFlexKeys(DecodeContext& c, DecodeTarget& t) {
    if (c.type != 'B' || !c.map.has(kSecFlexKeys)) return true;
    SectionReader r = c.reader(kSecFlexKeys);
    auto& keys = t.option<CTrwFlexKeys>().keys;
    for (auto& key : keys) {
        const std::size_t at = r.pos();
        if (!r.skip(kFlexKeyRecordSize)) return c.fail("The flex keys run past their section.");
        const int b0 = *c.view.u8(at), kind = b0 >> 4;
        key = CFlexKeys{};
        if (kind == 1) {
            key.kind = 1;
            key.function = *c.view.u8(at + 1);
            key.name = functionKeyName(key.function);
        } else if (kind == 2 || kind == 3) {
            key.kind = kind;
            const int count = std::min(b0 & 15, 14);
            for (int d = 0; d < count; ++d)
                key.digits += static_cast<char>(0x30 + *c.view.nibble(at + 1, d));
            key.value = *c.view.u8(at + 1);
            key.name = *c.view.text(at + 8, 8);
        }
    }
    return true;
}

// Section 27: byte 0 the number of tone sets, then 25-byte records:
//   bytes 0-1  7 /mode flag | 13-0 t1 in tenths of Hz
//   bytes 2-3, 4-5, 6-7  t2, t3, t4 (low 14 bits) | bytes 8-24 not used here
// Sets past the third have no room in the option and are passed over.
bool decodeType61(DecodeContext& c, DecodeTarget& t) {
    if (!c.map.has(kSecType61)) return true;
    SectionReader r = c.reader(kSecType61);
    auto n = r.u8();
    if (!n) return c.fail("The Type 61 tone sets run past their section.");
    CType61Opts& opts = t.option<CType61Opts>();
    opts.sets = {};
    for (int i = 0; i < *n && i < 3; ++i) {
        const std::size_t at = r.pos();
        if (!r.skip(kType61RecordSize))
            return c.fail("The Type 61 tone sets run past their section.");
        opts.sets[i].flag = (*c.view.u8(at) & 0x80) ? 0 : 1;
        for (int k = 0; k < 4; ++k)
            opts.sets[i].tones[k] = (*c.view.u16(at + 2 * k) & 0x3FFF) / 10.0;
    }
    return true;
}

// Ten telephone numbers of 16 bytes: byte 0 bits 4-0 the digit count (at most 30), then
// the digits from byte 1, high nibble first.
bool readPhones(DecodeContext& c, int section, std::array<std::string, 10>& phones) {
    SectionReader r = c.reader(section);
    for (auto& phone : phones) {
        const std::size_t at = r.pos();
        if (!r.skip(kPhoneRecordSize))
            return c.fail("A telephone number table runs past its section.");
        const int count = std::min(*c.view.u8(at) & 0x1F, kMaxPhoneDigits);
        phone.clear();
        for (int d = 0; d < count; ++d)
            phone += static_cast<char>(0x30 + *c.view.nibble(at + 1, d));
    }
    return true;
}

bool decodeScratchTables(DecodeContext& c, DecodeTarget& t) {
    if (c.map.has(kSecScratchIds) || c.map.has(kSecScratchPhones)) {
        CScratchPadOpts& pad = t.option<CScratchPadOpts>();
        pad.idsPresent = c.map.has(kSecScratchIds);
        pad.phonesPresent = c.map.has(kSecScratchPhones);
        if (pad.idsPresent) {
            SectionReader r = c.reader(kSecScratchIds);
            std::vector<std::uint16_t> words;
            for (std::size_t i = 0; i < pad.ids.size(); ++i) {
                auto w = r.u16();
                if (!w) return c.fail("The scratch-pad IDs run past their section.");
                words.push_back(*w);
            }
            pad.SetIds(words);
        }
        if (pad.phonesPresent && !readPhones(c, kSecScratchPhones, pad.phones)) return false;
    }
    if (c.map.has(kSecTpgTones) || c.map.has(kSecTpgPhones)) {
        CTelpageOpts& tpg = t.option<CTelpageOpts>();
        tpg.tonesPresent = c.map.has(kSecTpgTones);
        tpg.phonesPresent = c.map.has(kSecTpgPhones);
        if (tpg.tonesPresent) {
            SectionReader r = c.reader(kSecTpgTones);
            for (auto& tone : tpg.tones)
                for (auto& b : tone.bytes) {
                    auto v = r.u8();
                    if (!v) return c.fail("The TELPAGE scratch tones run past their section.");
                    b = *v;
                }
        }
        if (tpg.phonesPresent && !readPhones(c, kSecTpgPhones, tpg.phones)) return false;
    }
    return true;
}

// Section 24: one byte per key; 0 gives 0, 1 to 10 give 1, 11 and above the byte minus 9.
bool decodeRciKeypad(DecodeContext& c, DecodeTarget& t) {
    if (!c.map.has(kSecRciKeypad)) return true;
    SectionReader r = c.reader(kSecRciKeypad);
    std::array<int, 10> keys{};
    for (int& k : keys) {
        auto b = r.u8();
        if (!b) return c.fail("The RCI keypad runs past its section.");
        k = *b == 0 ? 0 : *b <= 10 ? 1 : *b - 9;
    }
    t.option<CRciKeypad>().SetKeypad(keys);
    return true;
}

// Section 32 (our layout): byte 0 the length n, then n bytes of voice-encryption data.
// Section 33: 00 01, the 16-bit Dualset value, 00 01.
bool decodeVoiceSealAndDualset(DecodeContext& c, DecodeTarget& t) {
    if (c.map.has(kSecVoiceSeal)) {
        SectionReader r = c.reader(kSecVoiceSeal);
        auto n = r.u8();
        auto data = n ? r.text(*n) : std::nullopt;
        if (!data) return c.fail("The voice-encryption data runs past its section.");
        t.option<CVsOpts>().data.assign(data->begin(), data->end());
    }
    if (c.map.has(kSecDualset)) {
        SectionReader r = c.reader(kSecDualset);
        std::optional<std::uint16_t> v;
        if (!r.skip(2) || !(v = r.u16())) return c.fail("The Dualset block runs past its section.");
        t.option<CDualsetOpts>().value = *v;
    }
    return true;
}

}  // namespace

bool decodeTables(DecodeContext& c, DecodeTarget& t) {
    return decodeStatusMessages(c, t) && decodeKeypadLock(c, t) && decodeFlexKeys(c, t) &&
           decodeType61(c, t) && decodeScratchTables(c, t) && decodeVoiceSealAndDualset(c, t) &&
           decodeRciKeypad(c, t);
}

}  // namespace tw
