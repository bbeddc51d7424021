// The option tables and fixed blocks that follow the sets; layouts beside the decoder's
// reading of them.
#include <algorithm>
#include <cmath>

#include "plugin/codec/encode_context.h"
#include "plugin/codec/header_fields.h"

namespace tw {
namespace {

bool type61(EncodeContext& c) {
    const auto* opts = c.p.GetOption<CType61Opts>();
    if (!opts) return true;
    bool any = false;
    for (const auto& s : opts->sets)
        for (double t : s.tones) any = any || t != 0.0;
    if (!any) return true;
    std::vector<unsigned> words;
    for (const auto& s : opts->sets)
        for (int k = 0; k < 4; ++k) {
            const double tenths = std::round(s.tones[k] * 10.0);
            if (!(tenths >= 0 && tenths <= 0x3FFF))
                return c.refuse(
                    says("Type 61 tone %.1f Hz does not fit (1638.3 Hz max).", s.tones[k]));
            words.push_back(static_cast<unsigned>(tenths) | (k == 0 && s.flag == 0 ? 0x8000 : 0));
        }
    c.place(kSecType61);
    c.w.u8(3);
    for (std::size_t i = 0; i < 3; ++i) {
        for (int k = 0; k < 4; ++k) c.w.u16(words[4 * i + k]);
        c.w.zeros(kType61RecordSize - 8);
    }
    return true;
}

// Ten numbers of 16 bytes: the digit count, then the digits high nibble first.
bool phones(EncodeContext& c, int section, const std::array<std::string, 10>& numbers) {
    for (const auto& n : numbers) {
        if (n.size() > kMaxPhoneDigits)
            return c.refuse(says("Telephone number %s holds more than 30 digits.", n.c_str()));
        for (char ch : n)
            if (ch < '0' || ch > '0' + 15)
                return c.refuse(says("\"%s\" is not a telephone number.", n.c_str()));
    }
    c.place(section);
    for (const auto& n : numbers) {
        std::vector<std::uint8_t> record(kPhoneRecordSize, 0);
        record[0] = static_cast<std::uint8_t>(n.size());
        for (std::size_t d = 0; d < n.size(); ++d)
            record[1 + d / 2] |= static_cast<std::uint8_t>((n[d] - '0') << (d % 2 == 0 ? 4 : 0));
        c.w.bytes(record.data(), record.size());
    }
    return true;
}

bool keypadLock(EncodeContext& c) {
    const auto* opts = c.p.GetOption<CKeypadCtrlOpts_N2>();
    if (!opts) return true;
    const std::string& seq = opts->lockSequence;
    if (seq.size() > 15) return c.refuse("The keypad lock sequence holds more than 15 digits.");
    std::vector<unsigned> nibbles{static_cast<unsigned>(seq.size())};
    for (char ch : seq) {
        if (ch < '0' || ch > '0' + 15)
            return c.refuse("The keypad lock sequence holds a character that is not a digit.");
        nibbles.push_back(static_cast<unsigned>(ch - '0'));
    }
    if (nibbles.size() % 2) nibbles.push_back(0);
    c.place(kSecKeypadLock);
    for (std::size_t i = 0; i < nibbles.size(); i += 2) c.w.u8(nibbles[i] << 4 | nibbles[i + 1]);
    return true;
}

bool flexKeys(EncodeContext& c) {
    const auto* opts = c.p.GetOption<CTrwFlexKeys>();
    if (!opts) return true;
    std::vector<std::uint8_t> bytes;
    for (const CFlexKeys& k : opts->keys) {
        std::vector<std::uint8_t> r(kFlexKeyRecordSize, 0);
        if (k.kind == 1) {
            r[0] = 0x10;
            r[1] = static_cast<std::uint8_t>(k.function);
        } else if (k.kind == 2 || k.kind == 3) {
            if (k.digits.size() > 14) return c.refuse("A flex key holds more than 14 digits.");
            r[0] = static_cast<std::uint8_t>(k.kind << 4 | static_cast<int>(k.digits.size()));
            for (std::size_t d = 0; d < k.digits.size(); ++d) {
                const int v = k.digits[d] - '0';
                if (v < 0 || v > 15)
                    return c.refuse("A flex key number holds a character that is not a digit.");
                r[1 + d / 2] |= static_cast<std::uint8_t>(v << (d % 2 == 0 ? 4 : 0));
            }
            for (std::size_t i = 0; i < 8; ++i)
                r[8 + i] = i < k.name.size() ? static_cast<std::uint8_t>(k.name[i]) : ' ';
        }
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    c.place(kSecFlexKeys);
    c.w.bytes(bytes.data(), bytes.size());
    return true;
}

// Fleets: 2^E / 2 bytes, low nibble the even fleet's exponent, high nibble the odd one's.
bool agency(EncodeContext& c) {
    const auto* a = c.p.GetOption<CAgencyData>();
    if (!a || a->fleets.empty()) return true;
    const std::size_t n = a->fleets.size();
    if (n < 2 || n > 128 || (n & (n - 1)) != 0)
        return c.refuse(says("Agency data holds %zu fleets; the radio takes 2, 4, 8 ... 128.", n));
    std::vector<std::uint8_t> bytes(n / 2, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const int size = a->fleets[i];
        int e = 0;
        while (e < 16 && (1 << e) != size) ++e;
        if (e == 16)
            return c.refuse(says(
                "Fleet %zu has size %d; the radio takes powers of two up to 32768.", i + 1, size));
        bytes[i / 2] |= static_cast<std::uint8_t>(e << (i % 2 ? 4 : 0));
    }
    c.place(kSecAgency);
    c.w.bytes(bytes.data(), bytes.size());
    return true;
}

bool statusMessages(EncodeContext& c) {
    std::vector<CStatusMessage> status, messages;
    if (const auto* s = c.p.GetOption<CStatus>()) status = s->items;
    if (const auto* m = c.p.GetOption<CMessage>()) messages = m->items;
    if (status.size() > 255 || messages.size() > 255)
        return c.refuse("Too many status or message entries for this radio (255 max).");
    c.place(kSecStatusMessages);
    c.w.u8(static_cast<unsigned>(status.size()));
    c.w.u8(static_cast<unsigned>(messages.size()));
    for (const auto* list : {&status, &messages})
        for (const auto& e : *list) {
            c.w.u8(static_cast<unsigned>(e.number & 0xFF));
            c.w.name(e.name, 8);
        }
    return true;
}

}  // namespace

bool encodeOptionTables(EncodeContext& c) {
    if (!type61(c)) return false;
    if (!c.typeIn("CR"))
        if (const auto* pad = c.p.GetOption<CScratchPadOpts>()) {
            if (pad->idsPresent) {
                c.place(kSecScratchIds);
                for (auto id : pad->ids) c.w.u16(id);
            }
            if (pad->phonesPresent && !phones(c, kSecScratchPhones, pad->phones)) return false;
        }
    if (c.type == 'B' && !(keypadLock(c) && flexKeys(c))) return false;
    // Sections no object holds, as they were read.
    if (const auto* extras = c.p.GetOption<CImageExtras>())
        for (const auto& [n, bytes] : extras->sections) {
            if (bytes.empty() || n < 0 || n > 255 || sectionHeldByObjects(n)) continue;
            c.place(n);
            c.w.bytes(bytes.data(), bytes.size());
        }
    if (const auto* tpg = c.p.GetOption<CTelpageOpts>()) {
        if (tpg->tonesPresent) {
            c.place(kSecTpgTones);
            for (const auto& t : tpg->tones) c.w.bytes(t.bytes.data(), t.bytes.size());
        }
        if (tpg->phonesPresent && !phones(c, kSecTpgPhones, tpg->phones)) return false;
    }
    return true;
}

bool encodeFixedBlocks(EncodeContext& c) {
    if (!agency(c)) return false;
    if (c.typeIn("CRVUT") && !statusMessages(c)) return false;
    c.place(kSecReserved);
    c.w.zeros(kReservedSectionSize);
    if (c.typeIn("CBVUT")) {
        // The auxiliary block read from this radio goes back where it was (zeros when none
        // was read), so that a personality write does not erase it.
        c.place(kSecAuxiliary);
        c.w.bytes(c.image.auxiliary.data(), c.image.auxiliary.size());
    }
    c.place(kSecTracking);
    c.w.bytes(c.image.tracking.data(), c.image.tracking.size());
    if (!encodeScanMatrix(c)) return false;
    if (c.type != 'J') {
        const auto* vs = c.p.GetOption<CVsOpts>();
        const std::size_t n = vs ? vs->data.size() : 0;
        if (n > 255) return c.refuse("The voice-encryption data holds more than 255 bytes.");
        c.place(kSecVoiceSeal);
        c.w.u8(static_cast<unsigned>(n));
        if (vs) c.w.bytes(vs->data.data(), n);
    }
    c.place(kSecFeature);
    c.w.bytes(c.image.feature.data(), c.image.feature.size());
    const auto* dual = c.p.GetOption<CDualsetOpts>();
    c.place(kSecDualset);
    c.w.u16(0x0001);
    c.w.u16(dual ? dual->value : 0);
    c.w.u16(0x0001);
    return true;
}

// Section 8: 0x80, one byte left as it is, then the 8-character callback text.
bool encodeCallback(EncodeContext& c) {
    const auto* gen = c.p.GetOption<CGenRadioOpts>();
    if (!gen || gen->GetCallbackMessage().empty()) return true;
    c.place(kSecCallback);
    c.w.u8(0x80);
    c.w.u8(c.w.at(c.w.pos()));
    c.w.name(gen->GetCallbackMessage().substr(0, 8), 8);
    return true;
}

}  // namespace tw
