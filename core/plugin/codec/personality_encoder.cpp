#include "plugin/codec/personality_encoder.h"

#include "plugin/codec/encode_context.h"
#include "ui/ui.h"

namespace tw {
namespace {

bool wantsPreamble(const hln::RadioIdentity& identity, const EncodeRequest& request) {
    return identity.typeLetter() == 'C' && identity.radioId[2] > 19 && request.toRadio;
}

// The preamble: 01 00 03 00 09, then the two lengths (finishImage). Byte 0 non-zero tells a
// reader that P starts at the offset in bytes 3-4.
void writePreamble(EncodeContext& c) {
    for (unsigned b : {0x01u, 0x00u, 0x03u, 0x00u, 0x09u, 0x00u, 0x00u, 0x00u, 0x00u}) c.w.u8(b);
}

// The radio's own version when the transfer read one, else the one the personality was
// read with, else the default. It decides the tracking length the radio reads and, on
// the Taiwan KVR, the channel base.
std::pair<std::uint8_t, std::uint8_t> versionToWrite(const CPersonality& p,
                                                     const EncodeRequest& request) {
    if (request.radioVersion) return *request.radioVersion;
    if (const auto* extras = p.GetOption<CImageExtras>(); extras && extras->hasVersion)
        return {extras->versionMajor, extras->versionMinor};
    return {kDefaultVersionMajor, kDefaultVersionMinor};
}

}  // namespace

int encodePersonality(hln::PersonalityImage& image, const CPersonality& personality,
                      const EncodeRequest& request, const hln::RadioIdentity& identity, Ui& ui,
                      int* bandUsed) {
    if (image.buffer.size() < identity.imageSize || identity.imageSize < kPreambleSize + hdr::kSize)
        return kEncodeNoBuffer;
    EncodeContext c(image, personality, request, identity);
    c.type = identity.typeLetter();
    c.nameLength = identity.imageVariant;
    c.freq.type = c.type;
    c.version = versionToWrite(personality, request);
    c.freq.version690 = c.version.first > 6 || (c.version.first == 6 && c.version.second >= 90);
    int band = identity.radioId[1];
    if (!checkBandPlan(c, ui, band)) return kEncodeRefused;
    c.freq.band = band;
    c.longConv = !shortConvForm(band);
    const bool ok = checkLimits(c) && buildTpgCodeTable(c);
    if (!ok) {
        ui.message(c.refusal);
        return kEncodeRefused;
    }
    if (wantsPreamble(identity, request)) writePreamble(c);
    c.start = c.w.pos();
    // Sections go in the order the radios expect them.
    const bool built = encodeHeaderAndDirectory(c) && encodeSystems(c) && encodeRci(c) &&
                       encodeTpgCodeTable(c) && encodeGroupSets(c) && encodeTpgGroupSets(c) &&
                       (c.type == 'J' || encodeSpCallSets(c)) && encodeTpgSpCallSets(c) &&
                       encodeTrunkSets(c) && encodeConvSets(c) && encodeOptionTables(c) &&
                       encodeFixedBlocks(c) && (c.type != 'J' || encodeSpCallSets(c)) &&
                       encodeCallback(c);
    if (!built) {
        ui.message(c.refusal);
        return kEncodeRefused;
    }
    finishImage(c);
    if (c.w.overflowed()) {
        ui.message("Personality too big for radio!");
        return kEncodeRefused;
    }
    image.personalityStart = c.start;
    image.endOfData = c.w.pos();
    image.idOverride = request.idOverride;
    if (bandUsed) *bandUsed = band;
    return kEncodeDone;
}

}  // namespace tw
