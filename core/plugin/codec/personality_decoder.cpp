#include "plugin/codec/personality_decoder.h"

#include <algorithm>

#include "plugin/codec/decode_context.h"
#include "ui/ui.h"

namespace tw {

std::string decodePersonalityQuietly(const std::uint8_t* buffer, std::size_t bufferSize,
                                     CPersonality& personality,
                                     const hln::RadioIdentity& identity) {
    DecodeContext c(buffer, std::min<std::size_t>(bufferSize, identity.imageSize), identity);
    c.nameLength = identity.imageVariant;
    c.type = identity.typeLetter();
    c.freq.type = c.type;
    c.freq.band = identity.radioId[1];
    CPersonality fresh(personality.radioType, personality.GetName());
    fresh.bandLimits = personality.bandLimits;
    DecodeTarget t{fresh, personality};
    const bool ok = walkImage(c) && decodeHeader(c, t) && decodeGroupAndTrunkSets(c, t) &&
                    decodeConvSets(c, t) && decodeCallSets(c, t) && decodeTables(c, t) &&
                    decodeSystems(c, t);
    if (!ok) return c.error.empty() ? std::string("The image cannot be read.") : c.error;
    personality.TakeStructureFrom(fresh);
    std::vector<std::unique_ptr<COption>> made;
    for (const auto& o : fresh.Options()) made.push_back(o->Clone());
    for (auto& o : made) personality.PutOption(std::move(o));
    return {};
}

int decodePersonality(const std::uint8_t* buffer, std::size_t bufferSize, CPersonality& personality,
                      const hln::RadioIdentity& identity, Ui& ui) {
    const std::string why = decodePersonalityQuietly(buffer, bufferSize, personality, identity);
    if (why.empty()) return 1;
    ui.message("Radio read error.\n" + why);
    return 0;
}

}  // namespace tw
