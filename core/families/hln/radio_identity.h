#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tw::hln {

// What identification learns about a connected HLN-family radio. The personality transfer
// fills some of the fields itself before a file transfer, so the record keeps every field
// the radio family uses even where the link code leaves them alone.
struct RadioIdentity {
    // Direction of the feature and tracking transfers: 0 read from the radio, 1 write to it.
    // Callers set it just before a transfer and put it back to 0 afterwards.
    std::uint8_t writeMode = 0;
    std::array<std::uint8_t, 3> flags{1, 0, 1};
    std::uint8_t largeImage = 0;
    std::uint8_t flag2 = 0;
    std::uint16_t imageSize = 2048;
    std::uint8_t flag3 = 0;
    std::array<std::uint8_t, 6> radioId{};  // byte 0 is the radio type letter
    std::array<std::uint8_t, 6> serialNumber{};
    std::string name;
    std::array<std::uint8_t, 4> reserved{};
    std::uint8_t optionByte = 0;
    std::uint8_t reserved2 = 0;
    std::uint8_t imageVariant = 0;  // 0 for the small-image HLN and NOVAC 30P radios, else 8

    void setRadioId(const std::uint8_t* id) { std::copy(id, id + 6, radioId.begin()); }
    void copyRadioId(std::uint8_t* out) const { std::copy(radioId.begin(), radioId.end(), out); }
    void setSerialNumber(const std::uint8_t* sn) { std::copy(sn, sn + 6, serialNumber.begin()); }
    char typeLetter() const { return static_cast<char>(radioId[0]); }
};

// One row of the radio type table, keyed by the first byte of the radio ID. Everything the
// family knows of one model is here. Some rules key on the letter, others on the model text
// the page shows (letter U is both a ZKT and a VNL radio, and "ZKT" may also come from the
// technician's answer): each reads the one it needs.
struct HlnRadioType {
    char letter;
    const char* modelName;
    const char* altModelName;  // name when ID byte 1 is 11 or 12 (nullptr: none)
    std::uint16_t imageSize;
    std::uint8_t largeImage;
    std::uint8_t imageVariant;
    bool keepsTracking;   // by letter, and by `modelName` on the page
    bool keepsFeatures;   // by the letter chosen in Select Radio Type
    bool powerCycleHint;  // by the expected letter: shown before waking the radio
    int imageChunks;      // by letter: pieces of an image write
    bool locksAlignment;  // by `modelName` only: some tracking fields are not the page's
};

// The table row of a type letter, or nothing for an unknown radio.
std::optional<HlnRadioType> hlnRadioType(char letter);

// Classifies the radio ID stored in the identity: fills imageSize, largeImage and
// imageVariant. False for a letter outside the table (the identity is left unchanged).
bool classifyRadioId(RadioIdentity& identity);

// Model name of the identified radio ("ZKT", "VNL", "NOVAC 30P", ...); empty when the ID
// letter is unknown.
std::string HlnModelName(const RadioIdentity& identity);

// Folder of the family's copies in the history of radio reads.
inline constexpr const char* kHlnHistoryFamily = "hln";
// A radio's name in that history: its serial number (12 hex digits), or its model when the
// serial number is all zeros or missing.
std::string historyRadioName(const std::string& serialText, const std::string& model);
std::string historyRadioName(const RadioIdentity& identity);

// The rules the table gives; an unknown letter or model has none of them.
bool hasNoTrackingData(char letter);
bool hasNoFeatureData(char letter);
bool needsPowerCycleHint(char letter);
// 32 for a letter outside the table.
int hlnImageChunks(char letter);
// The model text the page shows, as the table's main name for a letter.
bool modelKeepsNoTracking(const std::string& model);
bool modelLocksAlignment(const std::string& model);

}  // namespace tw::hln
