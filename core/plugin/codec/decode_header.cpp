// Second pass: the radio-wide options of the header area, the band limits, the callback
// message, the agency fleet table and the bytes no object holds.
#include <cmath>

#include "plugin/codec/decode_context.h"
#include "plugin/codec/header_fields.h"
#include "plugin/validation/value_convert.h"

namespace tw {
namespace {

void setBandLimits(int band, std::array<double, 4>& limits) {
    switch (band) {
        case 1:
            limits = {150, 150, 174, 174};
            break;
        case 2:
            limits = {403, 403, 440, 440};
            break;
        case 5:
            limits = {440, 440, 470, 470};
            break;
        case 7:
            limits = {470, 470, 512, 512};
            break;
        case 11:
            limits = {806.0, 851.0, 824.9876, 869.0};
            break;
        case 12:
            limits = {895, 895, 902, 902};
            break;
        case 13:
            limits = {136, 136, 153, 153};
            break;
        default:
            break;
    }
}

double fraction(int dialog, int control, int count) {
    return countToFraction(dialog, control, count).value_or(0.0);
}

// Section 1: 2^E / 2 bytes, each two fleet sizes 2^(low nibble) and 2^(high nibble).
//   byte:  7 6 5 4 | 3 2 1 0
//          high    | low      -> fleets 2k (low) and 2k + 1 (high)
bool decodeAgency(DecodeContext& c, DecodeTarget& t) {
    const int e = *c.view.bits(c.map.p + hdr::kFleetExponent, 7, 5);
    CAgencyData& agency = t.option<CAgencyData>();
    agency.fleets.clear();
    if (e == 0 || !c.map.has(kSecAgency)) return true;
    SectionReader r = c.reader(kSecAgency);
    std::vector<int> sizes;
    for (int i = 0; i < (1 << e) / 2; ++i) {
        auto b = r.u8();
        if (!b) return c.fail("The agency fleet table runs past its section.");
        sizes.push_back(1 << (*b & 15));
        sizes.push_back(1 << (*b >> 4));
    }
    agency.SetFleets(std::move(sizes));
    return true;
}

// Section 8: 0x80, one byte the radio keeps, then 8 characters.
bool decodeCallback(DecodeContext& c, DecodeTarget& t) {
    CGenRadioOpts& gen = t.option<CGenRadioOpts>();
    gen.SetCallbackMessage({});
    if (!c.map.has(kSecCallback)) return true;
    SectionReader r = c.reader(kSecCallback);
    std::optional<std::string> text;
    if (!r.skip(2) || !(text = r.text(8)))
        return c.fail("The callback message runs past its section.");
    gen.SetCallbackMessage(*text);
    return true;
}

void keepUnheldBytes(DecodeContext& c, DecodeTarget& t) {
    CImageExtras& extras = t.option<CImageExtras>();
    extras.hasVersion = true;
    extras.versionMajor = c.versionMajor;
    extras.versionMinor = c.versionMinor;
    extras.header.assign(c.view.data() + c.map.p, c.view.data() + c.map.p + hdr::kSize);
    clearOwnedHeaderBytes(extras.header);
    extras.sections.clear();
    for (int n = 0; n < 256; ++n) {
        if (!c.map.has(n) || sectionHeldByObjects(n)) continue;
        const SectionSpan s = *c.map.sections[n];
        extras.sections[n].assign(c.view.data() + s.start, c.view.data() + s.end);
    }
}

}  // namespace

bool decodeHeader(DecodeContext& c, DecodeTarget& t) {
    setBandLimits(c.freq.band, t.fresh.bandLimits);
    const ByteView& v = c.view;
    const std::size_t p = c.map.p;
    CDTMFOpts& dtmf = t.option<CDTMFOpts>();
    for (std::size_t i = 0; i < dtmf.fractions.size(); ++i)
        dtmf.fractions[i] = fraction(192, CDTMFOpts::kControls[i], *v.u8(p + dtmfHeaderByte(i)));
    t.option<CNavlocOpts>().fraction = fraction(141, 1197, *v.u8(p + hdr::kNavloc));
    t.option<CClearvoxOpts>().fraction = fraction(195, 1910, *v.u8(p + hdr::kClearvox));
    keepUnheldBytes(c, t);
    return decodeAgency(c, t) && decodeCallback(c, t);
}

}  // namespace tw
