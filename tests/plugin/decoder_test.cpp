#include <gtest/gtest.h>

#include "hand_built.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/store/personality_json.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

hln::PersonalityImage encoded(const CPersonality& p, const hln::RadioIdentity& id) {
    hln::PersonalityImage image = imageFor(id);
    ScriptedUi ui;
    EXPECT_EQ(encodePersonality(image, p, EncodeRequest{}, id, ui), kEncodeDone);
    return image;
}

CPersonality decoded(const hln::PersonalityImage& image, const hln::RadioIdentity& id) {
    CPersonality p(id.radioId[0], "Decoded");
    EXPECT_EQ(decodePersonalityQuietly(image.buffer.data(), image.buffer.size(), p, id), "");
    return p;
}

TEST(Decoder, SetNumbersAboveThirtyOneUseTheExtensionBit) {
    CPersonality p = handBuilt('C');
    for (int i = 2; i <= 35; ++i) {
        auto set = std::make_unique<CTrunkSet>(*p.SetAt<CTrunkSet>(0));
        set->SetName(numberedName("TRKSET%02d", i));
        p.AddSet(std::move(set), kTrunkSetType);
    }
    auto calls = std::make_unique<CSpCallSet>();
    calls->SetName("SPCSET01");
    p.AddSet(std::move(calls), kSpCallSetType);
    auto* sys = static_cast<CTrunkSystem*>(p.GetSystemAt(0));
    sys->trunkSet = "TRKSET35";
    sys->spCallSet = "SPCSET01";
    const hln::RadioIdentity id = identityFor('C', 11);
    const hln::PersonalityImage image = encoded(p, id);
    const std::size_t record = sectionOffset(image.buffer, 0, 6) + 1;
    EXPECT_EQ(image.buffer[record + 5], 0x23);
    EXPECT_EQ(image.buffer[record + 10] & 0x40, 0x40);
    const CPersonality back = decoded(image, id);
    const auto* t = static_cast<const CTrunkSystem*>(back.GetSystemAt(0));
    EXPECT_EQ(t->trunkSet, "TRKSET35");
    EXPECT_EQ(t->spCallSet, "SPCSET01");
    EXPECT_EQ(back.GetSetCount(kTrunkSetType), 35);
}

TEST(Decoder, ATrunkedSetWithoutChannelsGetsChannelNumberOne) {
    const hln::RadioIdentity id = identityFor('C', 11);
    hln::PersonalityImage image = encoded(handBuilt('C'), id);
    image.buffer[sectionOffset(image.buffer, 0, 2)] &= 0xE0;  // channel count 0
    const CPersonality back = decoded(image, id);
    const auto& channels = back.SetAt<CTrunkSet>(0)->items;
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_NEAR(channels[0].first, 806.0, 1e-9);
    EXPECT_NEAR(channels[0].second, 851.0, 1e-9);
}

TEST(Decoder, MalformedImagesAreRefusedWithTheReasonAndChangeNothing) {
    const hln::RadioIdentity id = identityFor('C', 11);
    const hln::PersonalityImage good = encoded(handBuilt('C'), id);
    struct Row {
        std::function<void(std::vector<std::uint8_t>&)> damage;
        std::string reason;
    };
    const Row rows[] = {
        {[](auto& b) { b[104 + 13] = b[104 + 14] = 0; }, "The image holds no system list."},
        {[](auto& b) { b[176] = 0x80; }, "System 1 has a type no radio uses."},
        {[](auto& b) { b[175] = 40; }, "System 3 lies past the end of the system list."},
        {[](auto& b) { b[104 + 1] = 0x20; }, "Section 0 lies past the end of the image."},
        {[](auto& b) { b[33] = 0x7F; }, "The section directory lies past the end of the image."},
        {[](auto& b) { b[235] = 0x1F; }, "Trunked set 1 runs past the end of its section."},
    };
    for (const auto& r : rows) {
        std::vector<std::uint8_t> bytes = good.buffer;
        r.damage(bytes);
        CPersonality host = handBuilt('C');
        host.PutOption(std::make_unique<CAlarmOpts>());
        const CPersonality before = host;
        ScriptedUi ui;
        EXPECT_EQ(decodePersonality(bytes.data(), bytes.size(), host, id, ui), 0);
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Radio read error.\n" + r.reason});
        EXPECT_EQ(firstDifference(before, host), "");
    }
}

// What the decoder gives must save to JSON and load back unchanged. Names a radio shares
// are kept while nothing refers to them; a reference to a shared name, or to a set the image
// does not hold, would name the wrong object or none, so such an image is refused.
TEST(Decoder, WhatItAcceptsSavesAndLoadsAndReferencesItCouldNotKeepAreRefused) {
    const hln::RadioIdentity id = identityFor('C', 11);
    // The hand-built radio, its RCI list naming NORTH of TRUNK, plus a TELPAGE system.
    CPersonality p = handBuilt('C');
    p.SetAt<CGroupSet>(0)->priority2.clear();
    auto list = std::make_unique<CRciSystemGroup>();
    list->entries = {CRciSysGrp{"TRUNK   ", "NORTH   "}};
    p.PutOption(std::move(list));
    auto pages = std::make_unique<CTpgGroupSet>();
    pages->SetName("TPGGRP01");
    pages->Add(CTpgGroup("PAGE    ", kTpgGroupSetType));
    p.AddSet(std::move(pages), kTpgGroupSetType);
    auto paging = std::make_unique<CTpgSystem>("PAGING  ");
    paging->trunkSet = "TRKSET01";
    paging->groupSet = "TPGGRP01";
    p.AddSystem(std::move(paging));
    const std::vector<std::uint8_t> good = encoded(p, id).buffer;
    // System records: trunked 11 + 8 bytes, conventional 5 + 8; group records 3 + 8.
    const std::size_t sys1 = sectionOffset(good, 0, 6) + 1, sys2 = sys1 + 19;
    const std::size_t groups = sectionOffset(good, 0, 0), group1 = groups + 4;
    const std::size_t rci = sectionOffset(good, 0, 22) + 1;  // system, group
    const std::size_t tpgEntry = (good[33] << 8 | good[34]) + 1 + 2 * 9;
    const std::vector<std::size_t> systemNames = {sys1 + 11, sys2 + 5},
                                   groupNames = {group1 + 3, group1 + 14};
    const std::string tail = "; a personality could not tell them apart.";
    struct Row {
        const char* label;
        std::vector<std::size_t> blanked;                         // names made 8 NUL bytes
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes;  // then these set
        std::string refusal;                                      // "" when the image is read
    } rows[] = {
        {"two systems named with NUL bytes", systemNames, {{rci, 0}}, ""},
        {"the RCI list naming one of them",
         systemNames,
         {},
         "RCI entry 1 names system 1, whose name system 2 shares" + tail},
        {"one naming the other its priority system",
         systemNames,
         {{rci, 0}, {sys1 + 8, 2}},
         "System 1 refers to system 2, whose name system 1 shares" + tail},
        {"groups sharing a name the RCI list names",
         groupNames,
         {},
         "RCI entry 1 names group 1 of group set GRPSET01, whose name group 2 of the set shares" +
             tail},
        {"groups sharing a name the set's home names",
         groupNames,
         {{rci + 1, 0}, {groups + 1, 2}},
         "The home group of group set GRPSET01 is group 2, whose name group 1 of the set shares" +
             tail},
        {"the home an empty slot, as is another group",
         {},
         {{rci + 1, 0},
          {groups + 1, 1},
          {group1, 0},
          {group1 + 1, 0},
          {group1 + 2, 0x80},
          {group1 + 11, 0},
          {group1 + 12, 0},
          {group1 + 13, 0x80}},
         "The home group of group set GRPSET01 is group 1, whose name group 2 of the set shares "
         "once empty slots are written blank" +
             tail},
        {"a reference past the TELPAGE group sets",
         {},
         {{tpgEntry, 0}, {tpgEntry + 1, 0}},
         "System 3 refers to TELPAGE group set TPGGRP01, which the image does not hold."},
    };
    for (const Row& r : rows) {
        std::vector<std::uint8_t> bytes = good;
        for (std::size_t at : r.blanked) std::fill_n(bytes.begin() + static_cast<long>(at), 8, 0);
        for (auto [at, value] : r.bytes) bytes[at] = value;
        CPersonality back('C', "Decoded");
        EXPECT_EQ(decodePersonalityQuietly(bytes.data(), bytes.size(), back, id), r.refusal)
            << r.label;
        if (!r.refusal.empty()) continue;
        const std::string saved = personalityToJson(back);
        CPersonality loaded;
        std::string error;
        ASSERT_TRUE(personalityFromJson(saved, loaded, error)) << r.label << ": " << error;
        EXPECT_EQ(firstDifference(back, loaded), "") << r.label;
        EXPECT_EQ(personalityToJson(loaded), saved) << r.label;
    }
}

TEST(Decoder, ReplacesWhatTheImageCarriesAndKeepsTheRest) {
    const hln::RadioIdentity id = identityFor('B', 11);
    CPersonality p = handBuilt('B');
    const hln::PersonalityImage image = encoded(p, id);
    CPersonality host('B', "Host");
    host.PutOption(std::make_unique<CAlarmOpts>());
    auto dtmf = std::make_unique<CDTMFOpts>();
    dtmf->fractions[0] = 0.5;
    host.PutOption(std::move(dtmf));
    auto power = std::make_unique<CPowerUpOpts>();
    power->system = "HOME";
    power->flag = true;
    host.PutOption(std::move(power));
    ScriptedUi ui;
    ASSERT_EQ(decodePersonality(image.buffer.data(), image.buffer.size(), host, id, ui), 1);
    EXPECT_EQ(host.GetName(), "Host");
    EXPECT_NE(host.GetOption<CAlarmOpts>(), nullptr);
    EXPECT_EQ(host.GetOption<CDTMFOpts>()->fractions[0], 0.0);
    EXPECT_EQ(host.GetOption<CPowerUpOpts>()->system, "HOME");  // the image does not hold it
    EXPECT_FALSE(host.GetOption<CPowerUpOpts>()->flag);
    EXPECT_EQ(host.GetNumSystems(), 2);
}

TEST(Decoder, ValuesBeyondTheirRoomAreBoundedAndDecodingGoesOn) {
    const hln::RadioIdentity id = identityFor('B', 11);
    CPersonality p = handBuilt('B');
    auto t61 = std::make_unique<CType61Opts>();
    t61->sets[0].tones = {100, 0, 0, 0};
    p.PutOption(std::move(t61));
    auto keys = std::make_unique<CTrwFlexKeys>();
    keys->keys[0].kind = 2;
    keys->keys[0].digits = "12345678901234";
    keys->keys[0].value = 0x12;
    keys->keys[0].name = "DIAL    ";
    p.PutOption(std::move(keys));
    auto pad = std::make_unique<CScratchPadOpts>();
    pad->phonesPresent = true;
    pad->phones[0] = std::string(30, '7');
    p.PutOption(std::move(pad));
    hln::PersonalityImage image = encoded(p, id);
    auto& b = image.buffer;
    b[sectionOffset(b, 0, 27)] = 4;      // a fourth tone set
    b[sectionOffset(b, 0, 20)] |= 0x0F;  // 15 digits on a flex key
    b[sectionOffset(b, 0, 15)] = 31;     // 31 digits in a scratch-pad number
    b[sectionOffset(b, 0, 0) + 1] = 60;  // home group past the set
    const CPersonality back = decoded(image, id);
    EXPECT_EQ(back.GetOption<CType61Opts>()->sets[0].tones[0], 100.0);
    EXPECT_EQ(back.GetOption<CTrwFlexKeys>()->keys[0].digits, "12345678901234");
    EXPECT_EQ(back.GetOption<CScratchPadOpts>()->phones[0], std::string(30, '7'));
    EXPECT_EQ(back.SetAt<CGroupSet>(0)->home, "");
}

}  // namespace
}  // namespace tw::test
