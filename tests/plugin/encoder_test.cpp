#include <gtest/gtest.h>

#include "hand_built.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

struct Encoded {
    int result;
    hln::PersonalityImage image;
    std::vector<std::string> messages;
    int band = 0;
};

Encoded encode(const CPersonality& p, const hln::RadioIdentity& id, bool toRadio = false,
               std::deque<bool> answers = {}, std::uint16_t idOverride = 0) {
    Encoded e{0, imageFor(id), {}};
    ScriptedUi ui;
    ui.answers = std::move(answers);
    EncodeRequest request;
    request.toRadio = toRadio;
    request.idOverride = idOverride;
    e.result = encodePersonality(e.image, p, request, id, ui, &e.band);
    e.messages = ui.messages();
    return e;
}

// The full layout (sections, offsets, checksum, CRC, preamble bytes) is pinned byte for byte
// by the kept images in golden_test.cpp; here only what they do not show.
TEST(EncoderPreamble, NotForAFileNorAnIdByteTwoUpTo19NorAnotherType) {
    struct Row {
        char type;
        bool idOver19, toRadio;
    };
    for (const Row& r : {Row{'C', true, false}, Row{'C', false, true}, Row{'V', true, true}}) {
        const Encoded e = encode(handBuilt(r.type), identityFor(r.type, 11, r.idOver19), r.toRadio);
        ASSERT_EQ(e.result, kEncodeDone);
        EXPECT_EQ(e.image.buffer[0], 0) << r.type << r.idOver19;
        EXPECT_EQ(e.image.personalityStart, 0u);
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
    const hln::RadioIdentity id = identityFor('A', 11);
    const std::size_t base = encode(handBuilt('A'), id).image.endOfData;
    for (std::size_t extra : {std::size_t{0}, std::size_t{1}}) {
        CPersonality p = handBuilt('A');
        auto extras = std::make_unique<CImageExtras>();
        extras->sections[12].assign(id.imageSize - base + extra, 0x5A);
        p.PutOption(std::move(extras));
        hln::PersonalityImage image = imageFor(id);
        image.buffer.resize(id.imageSize + 64, 0xEE);  // a guard behind the image
        ScriptedUi ui;
        const int result = encodePersonality(image, p, EncodeRequest{}, id, ui);
        EXPECT_EQ(result, extra ? kEncodeRefused : kEncodeDone);
        EXPECT_EQ(ui.messages(), extra ? std::vector<std::string>{"Personality too big for radio!"}
                                       : std::vector<std::string>{});
        EXPECT_TRUE(extra || image.endOfData == id.imageSize) << image.endOfData;
        EXPECT_TRUE(std::all_of(image.buffer.begin() + id.imageSize, image.buffer.end(),
                                [](auto b) { return b == 0xEE; }));
    }
    hln::PersonalityImage tooSmall;
    tooSmall.buffer.resize(id.imageSize - 1);
    ScriptedUi ui;
    EXPECT_EQ(encodePersonality(tooSmall, handBuilt('A'), EncodeRequest{}, id, ui),
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
    // Header bytes of 1808 (100 / 50), 1810, 1812, 1814 (4.0 / 0.5), 1816, 1818 (12.4 snaps
    // to 12.5), 1197 and 1910 (175 / 25).
    EXPECT_EQ(
        (std::vector<int>{img[12], img[10], img[11], img[13], img[8], img[9], img[94], img[103]}),
        (std::vector<int>{2, 255, 3, 8, 255, 1, 250, 7}));
}

}  // namespace
}  // namespace tw::test
