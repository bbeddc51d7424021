#include <gtest/gtest.h>

#include <map>

#include "hand_built.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

struct Encoded {
    int result;
    PersonalityImage image;
    std::vector<std::string> messages;
    int band = 0;
};

Encoded encode(const CPersonality& p, const RadioIdentity& id, bool toRadio = false,
               std::deque<bool> answers = {}, std::uint16_t idOverride = 0) {
    Encoded e{0, imageFor(id), {}};
    ScriptedUi ui;
    ui.answers = std::move(answers);
    EncodeRequest request;
    request.toRadio = toRadio;
    request.idOverride = idOverride;
    e.result = EncodePersonality(e.image, p, request, id, ui, &e.band);
    e.messages = ui.messages();
    return e;
}

// Sections in placing order with the offsets the record sizes give (L = 8, short form).
TEST(EncoderLayout, SectionsFollowEachOtherInTheirOrderWithBigEndianOffsets) {
    const Encoded e = encode(handBuilt('C'), identityFor('C', 11));
    ASSERT_EQ(e.result, kEncodeDone);
    const auto& img = e.image.buffer;
    EXPECT_EQ(img[33], 0);
    EXPECT_EQ(img[34], 104);  // the directory follows the header
    EXPECT_EQ(img[104], 34);  // D[0]: the highest section
    EXPECT_EQ(img[36], 6);
    EXPECT_EQ(img[37], 90);        // default data version
    EXPECT_EQ(img[41] & 0x40, 0);  // short conventional records
    const std::map<int, std::size_t> expected = {
        {6, 175},  {22, 208}, {0, 209}, {2, 235},  {3, 248},  {7, 266},  {29, 268},
        {30, 280}, {10, 336}, {5, 363}, {32, 364}, {13, 365}, {33, 415}, {34, 421}};
    for (int n = 0; n <= kHighestSection; ++n) {
        const auto it = expected.find(n);
        EXPECT_EQ(sectionOffset(img, 0, n), it == expected.end() ? 0u : it->second)
            << "section " << n;
    }
    EXPECT_EQ(e.image.endOfData, 423u);
    // Group set byte 3: the priority-2 group travels too.
    EXPECT_EQ(img[209 + 3], 2);
    // Slots 21, 27 and 61 of the radio's pointer table are directory entries 10, 13, 30.
    EXPECT_EQ(img[104 + 21] << 8 | img[104 + 22], 336);
    EXPECT_EQ(img[104 + 27] << 8 | img[104 + 28], 365);
    EXPECT_EQ(img[104 + 61] << 8 | img[104 + 62], 280);
    EXPECT_TRUE(std::equal(e.image.tracking.begin(), e.image.tracking.end(), img.begin() + 336));
    EXPECT_TRUE(std::equal(e.image.auxiliary.begin(), e.image.auxiliary.end(), img.begin() + 280));
    // Checksum: bytes 16 to 68 sum to 0. CRC: high byte first over P to the CRC.
    unsigned sum = 0;
    for (int i = 16; i <= 68; ++i) sum += img[i];
    EXPECT_EQ(sum & 0xFF, 0u);
    const std::uint16_t crc = crc16Usb(img.data(), 421);
    EXPECT_EQ(img[421], crc >> 8);
    EXPECT_EQ(img[422], crc & 0xFF);
}

TEST(EncoderLayout, SmallRadiosStoreNoNamesAndLongRecordsOutsideTheUpperBands) {
    CPersonality p = handBuilt('A');
    p.bandLimits = {150, 150, 174, 174};
    p.SetAt<CConvSet>(0)->items[0].rxFreq = 155.0;
    p.SetAt<CConvSet>(0)->items[0].txFreq = 155.0;
    p.SetAt<CTrunkSet>(0)
        ->items[0] = {};  // 805.9875: band 1's channel numbers are the 800 MHz ones
    p.SetAt<CTrunkSet>(0)->items[1] = {};
    p.SetAt<CTrunkSet>(0)->items[0].first = 805.9875;
    p.SetAt<CTrunkSet>(0)->items[0].second = 850.9875;
    p.SetAt<CTrunkSet>(0)->items[1] = p.SetAt<CTrunkSet>(0)->items[0];
    const Encoded e = encode(p, identityFor('A', 1));
    ASSERT_EQ(e.result, kEncodeDone) << (e.messages.empty() ? "" : e.messages[0]);
    const auto& img = e.image.buffer;
    EXPECT_EQ(img[41] & 0x40, 0x40);
    EXPECT_EQ(sectionOffset(img, 0, 6), 175u);
    EXPECT_EQ(sectionOffset(img, 0, 0), 175u + 1 + 11 + 5);  // no RCI list on type A
    EXPECT_EQ(sectionOffset(img, 0, 2), 192u + 4 + 2 * 3);
    EXPECT_EQ(sectionOffset(img, 0, 3), 202u + 3 + 2 * 5);
    EXPECT_EQ(sectionOffset(img, 0, 29), 215u + 1 + 11);  // no status list either
    EXPECT_EQ(sectionOffset(img, 0, 30), 0u);             // nor an auxiliary block
}

TEST(EncoderPreamble, OnlyForATrvWithIdByteTwoOver19WrittenToTheRadio) {
    struct Row {
        char type;
        bool idOver19, toRadio, preamble;
    };
    for (const Row& r : {Row{'C', true, true, true}, Row{'C', true, false, false},
                         Row{'C', false, true, false}, Row{'V', true, true, false}}) {
        const Encoded e = encode(handBuilt(r.type), identityFor(r.type, 11, r.idOver19), r.toRadio);
        ASSERT_EQ(e.result, kEncodeDone);
        const auto& img = e.image.buffer;
        if (!r.preamble) {
            EXPECT_EQ(img[0], 0) << r.type;
            EXPECT_EQ(e.image.personalityStart, 0u);
            continue;
        }
        EXPECT_EQ(std::vector<std::uint8_t>(img.begin(), img.begin() + 5),
                  (std::vector<std::uint8_t>{1, 0, 3, 0, 9}));
        EXPECT_EQ(e.image.personalityStart, 9u);
        const std::size_t crcEnd = 9 + 423;
        EXPECT_EQ(img[5] << 8 | img[6], static_cast<int>(crcEnd));
        EXPECT_EQ(img[7] << 8 | img[8], static_cast<int>(crcEnd + 1));
        EXPECT_EQ(e.image.endOfData, crcEnd + 1);
        EXPECT_EQ(img[9], 0);  // P byte 0
        // With the preamble byte 68 sums P 25-76 and meets itself on the way.
        unsigned acc = 0;
        for (int i = 25; i <= 76; ++i) acc += i == 68 ? acc : img[9 + i];
        EXPECT_EQ(img[9 + 68], (0x100 - (acc & 0xFF)) & 0xFF);
        const std::uint16_t crc = crc16Usb(img.data() + 9, 421);
        EXPECT_EQ(img[9 + 421] << 8 | img[9 + 422], crc);
    }
}

TEST(EncoderBandPlan, MatchingLimitsFittingChannelsAndTheQuestion) {
    // Limits that match the radio's band: no question, even for a channel outside it.
    CPersonality p = handBuilt('C');
    p.SetAt<CConvSet>(0)->items[0].rxFreq = 900.0;
    Encoded e = encode(p, identityFor('C', 11));
    EXPECT_EQ(e.result, kEncodeDone);
    EXPECT_TRUE(e.messages.empty());
    // Other limits: the channels pick the first band they fit.
    p = handBuilt('C');
    p.bandLimits = {};
    e = encode(p, identityFor('C', 7));
    EXPECT_EQ(e.result, kEncodeDone) << (e.messages.empty() ? "" : e.messages[0]);
    EXPECT_EQ(e.band, 11);
    // Nothing fits: the question; No refuses, Yes keeps the radio's band.
    p.SetAt<CConvSet>(0)->items[0].rxFreq = 880.0;  // outside every band, yet on the grid
    e = encode(p, identityFor('C', 11), false, {false});
    EXPECT_EQ(e.result, kEncodeRefused);
    EXPECT_EQ(e.messages, std::vector<std::string>{"Bandsplit does not match.  Proceed?"});
    e = encode(p, identityFor('C', 11), false, {true});
    EXPECT_EQ(e.result, kEncodeDone);
    EXPECT_EQ(e.band, 11);
    // No channels at all: nothing to ask about.
    CPersonality empty('C', "empty");
    e = encode(empty, identityFor('C', 5));
    EXPECT_EQ(e.result, kEncodeDone);
    EXPECT_TRUE(e.messages.empty());
}

template <class T>
void addSets(CPersonality& p, int count, int type) {
    for (int i = 0; i < count; ++i) p.AddSet(std::make_unique<T>(), type);
}

TEST(EncoderLimits, CheckedInOrderBeforeAnythingIsWritten) {
    struct Row {
        int systems, groups, trunks, convs, calls;
        const char* message;
    };
    const Row rows[] = {
        {256, 64, 64, 32, 8, "Too many systems for this radio (255 max)."},
        {255, 64, 64, 32, 8, "Too many group sets for this radio (63 max)."},
        {0, 63, 64, 32, 8, "Too many trunked sets for this radio (63 max)."},
        {0, 0, 63, 32, 8, "Too many conventional sets for this radio (31 max)."},
        {0, 0, 0, 31, 8, "Too many special call sets for this radio (7 max)."},
    };
    for (const auto& r : rows) {
        CPersonality p('C', "many");
        for (int i = 0; i < r.systems; ++i)
            p.AddSystem(std::make_unique<CConvSystem>("S" + std::to_string(i)));
        addSets<CGroupSet>(p, r.groups, kGroupSetType);
        addSets<CTrunkSet>(p, r.trunks, kTrunkSetType);
        addSets<CConvSet>(p, r.convs, kConvSetType);
        addSets<CSpCallSet>(p, r.calls, kSpCallSetType);
        const Encoded e = encode(p, identityFor('C', 11));
        EXPECT_EQ(e.result, kEncodeRefused);
        EXPECT_EQ(e.messages, std::vector<std::string>{r.message});
        EXPECT_TRUE(std::all_of(e.image.buffer.begin(), e.image.buffer.end(),
                                [](auto b) { return b == 0; }));
    }
}

TEST(EncoderRefusals, WhatDoesNotFitIsNamed) {
    struct Row {
        std::function<void(CPersonality&)> change;
        std::string message;
        std::uint16_t idOverride = 0;
    };
    const Row rows[] = {
        {[](CPersonality& p) {
             static_cast<CTrunkSystem*>(p.GetSystemAt(0))->trunkSet = "TRKSET09";
         },
         "System TRUNK    names trunked set \"TRKSET09\", which this personality does not hold."},
        {[](CPersonality& p) {
             static_cast<CTrunkSystem*>(p.GetSystemAt(0))->spCallSet = "SPCSET01";
         },
         "System TRUNK    names special call set \"SPCSET01\", which this personality does not "
         "hold."},
        {[](CPersonality& p) { static_cast<CConvSystem*>(p.GetSystemAt(1))->SetConvSetName(""); },
         "System LOCAL    has no conventional set."},
        {[](CPersonality&) {}, "ID override 16384 does not fit in 14 bits (16383 max).", 0x4000},
        {[](CPersonality& p) { p.SetAt<CTrunkSet>(0)->items.resize(32); },
         "Trunked set TRKSET01 holds more than 31 channels."},
        {[](CPersonality& p) { p.SetAt<CTrunkSet>(0)->items[1].first = 806.0126; },
         "Channel 2 of trunked set TRKSET01: 806.012600 MHz has no channel number in band 11."},
        {[](CPersonality& p) { p.SetAt<CConvSet>(0)->items[0].txFreq = -1; },
         "Channel 1 (LOCAL   ) of conventional set CNVSET01: -1.000000 MHz has no channel number "
         "in band 11."},
        {[](CPersonality& p) { p.SetAt<CConvSet>(0)->items[0].txTg = "754"; },
         "Channel 1 (LOCAL   ) of conventional set CNVSET01: digital code 754 has no radio index."},
        {[](CPersonality& p) {
             auto* set = p.SetAt<CGroupSet>(0);
             for (int i = 0; i < 70; ++i) set->Add(CGroup("G" + std::to_string(i), kGroupSetType));
             set->home = "G65";
         },
         "Group set GRPSET01 names group G65 at position 68; at most 63 can be named."},
        {[](CPersonality& p) { p.SetAt<CGroupSet>(0)->items[0].id = 2048; },
         "Group NORTH    has ID 2048; the radio holds IDs up to 2047."},
    };
    for (const auto& r : rows) {
        CPersonality p = handBuilt('C');
        r.change(p);
        const Encoded e = encode(p, identityFor('C', 11), false, {}, r.idOverride);
        EXPECT_EQ(e.result, kEncodeRefused);
        EXPECT_EQ(e.messages, std::vector<std::string>{r.message});
    }
}

TEST(EncoderSize, AnImageEndingAtTheImageSizeFitsAndOneByteMoreIsRefused) {
    const RadioIdentity id = identityFor('A', 11);
    const std::size_t base = encode(handBuilt('A'), id).image.endOfData;
    for (std::size_t extra : {std::size_t{0}, std::size_t{1}}) {
        CPersonality p = handBuilt('A');
        auto extras = std::make_unique<CImageExtras>();
        extras->sections[12].assign(id.imageSize - base + extra, 0x5A);
        p.PutOption(std::move(extras));
        PersonalityImage image = imageFor(id);
        image.buffer.resize(id.imageSize + 64, 0xEE);  // a guard behind the image
        ScriptedUi ui;
        const int result = EncodePersonality(image, p, EncodeRequest{}, id, ui);
        if (extra == 0) {
            EXPECT_EQ(result, kEncodeDone);
            EXPECT_EQ(image.endOfData, id.imageSize);
        } else {
            EXPECT_EQ(result, kEncodeRefused);
            EXPECT_EQ(ui.messages(), std::vector<std::string>{"Personality too big for radio!"});
        }
        EXPECT_TRUE(std::all_of(image.buffer.begin() + id.imageSize, image.buffer.end(),
                                [](auto b) { return b == 0xEE; }));
    }
    PersonalityImage tooSmall;
    tooSmall.buffer.resize(id.imageSize - 1);
    ScriptedUi ui;
    EXPECT_EQ(EncodePersonality(tooSmall, handBuilt('A'), EncodeRequest{}, id, ui),
              kEncodeNoBuffer);
    EXPECT_TRUE(ui.messages().empty());
}

TEST(EncoderValues, OptionFractionsBecomeRoundedCountsInTheHeader) {
    CPersonality p = handBuilt('C');
    auto dtmf = std::make_unique<CDTMFOpts>();
    dtmf->fractions = {100.0 / 12750, 12750.0 / 12750, 30.0 / 2550,
                       4.0 / 4,       3187.5 / 3187.5, 12.4 / 3187.5};
    p.PutOption(std::move(dtmf));
    auto navloc = std::make_unique<CNavlocOpts>();
    navloc->fraction = 4990.0 / 5000;  // between steps: rounds to 5000
    p.PutOption(std::move(navloc));
    auto clearvox = std::make_unique<CClearvoxOpts>();
    clearvox->fraction = (175.0 - 150) / 6225;
    p.PutOption(std::move(clearvox));
    const auto& img = encode(p, identityFor('C', 11)).image.buffer;
    EXPECT_EQ(img[12], 2);    // 1808: 100 / 50
    EXPECT_EQ(img[10], 255);  // 1810
    EXPECT_EQ(img[11], 3);    // 1812
    EXPECT_EQ(img[13], 8);    // 1814: 4.0 / 0.5
    EXPECT_EQ(img[8], 255);   // 1816
    EXPECT_EQ(img[9], 1);     // 1818: 12.4 snaps to 12.5
    EXPECT_EQ(img[94], 250);  // 1197
    EXPECT_EQ(img[103], 7);   // 1910: 175 / 25
}

}  // namespace
}  // namespace tw::test
