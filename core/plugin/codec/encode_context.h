#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "plugin/codec/byte_view.h"
#include "plugin/codec/channel_freq.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/store/personality.h"

namespace tw {

// Everything the encoder's steps share. The first refusal is kept and ends the encode.
struct EncodeContext {
    EncodeContext(hln::PersonalityImage& img, const CPersonality& pers, const EncodeRequest& req,
                  const hln::RadioIdentity& id)
        : image(img), p(pers), request(req), identity(id), w(img.buffer.data(), id.imageSize) {}
    hln::PersonalityImage& image;
    const CPersonality& p;
    const EncodeRequest& request;
    const hln::RadioIdentity& identity;
    ImageWriter w;
    std::size_t start = 0;      // P
    std::size_t directory = 0;  // D
    int highestSection = kHighestSection;
    std::size_t nameLength = 0;
    char type = 'C';
    FreqContext freq;
    bool longConv = true;
    std::pair<std::uint8_t, std::uint8_t> version{kDefaultVersionMajor, kDefaultVersionMinor};
    std::string refusal;
    // TELPAGE code table: entry index of every TELPAGE system and group with codes.
    std::vector<std::array<std::uint16_t, 4>> codeEntries;
    std::map<const void*, int> codeIndex;

    bool refuse(const std::string& why) {
        if (refusal.empty()) refusal = why;
        return false;
    }
    // Puts the section's offset from P into its directory entry; the section starts here.
    void place(int section) {
        w.patch16(directory + 1 + 2 * static_cast<std::size_t>(section),
                  static_cast<unsigned>(w.pos() - start));
    }
    bool typeIn(const char* letters) const {
        for (const char* l = letters; *l; ++l)
            if (*l == type) return true;
        return false;
    }
    // 1-based position of a named set (0 for an empty name); refuses a name not held.
    bool setNumber(const std::string& name, int setType, const char* what, const std::string& owner,
                   int& number);
};

template <class... Args>
std::string says(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

bool checkBandPlan(EncodeContext& c, Ui& ui, int& band);
bool checkLimits(EncodeContext& c);
bool buildTpgCodeTable(EncodeContext& c);

bool encodeHeaderAndDirectory(EncodeContext& c);
bool encodeSystems(EncodeContext& c);
bool encodeRci(EncodeContext& c);
bool encodeTpgCodeTable(EncodeContext& c);
bool encodeGroupSets(EncodeContext& c);
bool encodeTpgGroupSets(EncodeContext& c);
bool encodeSpCallSets(EncodeContext& c);
bool encodeTpgSpCallSets(EncodeContext& c);
bool encodeTrunkSets(EncodeContext& c);
bool encodeConvSets(EncodeContext& c);
bool encodeOptionTables(EncodeContext& c);  // rows 10 and 11
bool encodeFixedBlocks(EncodeContext& c);   // rows 12 to 20
bool encodeScanMatrix(EncodeContext& c);
bool encodeCallback(EncodeContext& c);
void finishImage(EncodeContext& c);  // checksum, CRC, preamble lengths

}  // namespace tw
