#include <algorithm>
#include <set>
#include <tuple>

#include "families/hln/hln_connect.h"
#include "families/hln/hln_image.h"
#include "families/hln/hln_messages.h"
#include "families/hln/hln_test_mode.h"
#include "families/hln/hln_transfers.h"
#include "hln_fixture.h"
#include "support/progress_check.h"

namespace tw::hln {
namespace {

using Bytes = std::string;

Bytes gc(int n, int address) {
    return Bytes{'G', 'C', static_cast<char>(n), static_cast<char>(address >> 8),
                 static_cast<char>(address & 0xFF)};
}

class HlnLinkTest : public HlnTest {
  protected:
    void openLink() { ASSERT_TRUE(link_->open()); }
    bool connect(char expected) {
        const bool ok = HlnConnect(*link_, expected, identity_);
        personalityType_ = identity_.typeLetter();
        return ok;
    }
    // Connects a radio with these options and forgets the handshake traffic.
    void connected(const sim::ModelOptions& options, char expected = 'U') {
        radio(options);
        openLink();
        ASSERT_TRUE(connect(expected));
        model_->clearTraffic();
        model_->arrivals.clear();
        ui_.clear();
    }
    RadioIdentity identity_;
    PersonalityImage image_;
    int personalityType_ = 0;
};

TEST_F(HlnLinkTest, WaitCharTakesAWaitingByteAtOnceAndGivesUpAfterAbout50Seconds) {
    openLink();
    const std::uint8_t wake = 0x55;
    ASSERT_TRUE(link_->write(&wake, 1));
    const Millis before = clock_.now();
    ASSERT_TRUE(HlnWaitChar(*link_));
    EXPECT_EQ(link_->heldByte(), '>');
    EXPECT_EQ(clock_.now(), before);

    const Millis start = clock_.now();
    EXPECT_FALSE(HlnWaitChar(*link_));
    EXPECT_EQ(link_->heldByte(), '>');  // a failed read keeps the last character
    // Each poll costs the character wait and the 100 ms pause; the clock ends the wait at the
    // first poll that finds nothing after 50 s, long before the 500th.
    const Millis poll = link_->serial().charWait(link_->port().handle()) + 100;
    const Millis waited = clock_.now() - start;
    EXPECT_GE(waited, 50000);
    EXPECT_LT(waited, 50000 + poll);
}

TEST_F(HlnLinkTest, RadioAnsweringTheThirdWakeByteConnectsWithoutQuestions) {
    radio({{"wake", "3"}, {"type", "U"}, {"id1", "12"}, {"serial", "0102030405A6"}});
    openLink();
    ASSERT_TRUE(connect('U'));
    EXPECT_EQ(sentText(), "UUUGEGEGG");
    EXPECT_EQ(model().breaks(), 0);
    EXPECT_TRUE(ui_.messages().empty());
    EXPECT_FALSE(ui_.statusOpen());
    EXPECT_EQ(ui_.statusTexts(), std::vector<std::string>{"Waking Radio ..."});
    EXPECT_EQ(personalityType_, 'U');
    EXPECT_EQ(HlnModelName(identity_), "VNL");
    EXPECT_EQ(identity_.imageSize, 4096);
    EXPECT_EQ(identity_.serialNumber[5], 0xA6);
    EXPECT_EQ(ui_.busyDepth(), 0);
}

TEST_F(HlnLinkTest, AnEarlierPromptDoesNotPassForTheWakeAnswer) {
    openLink();
    ASSERT_TRUE(connect('U'));
    EXPECT_TRUE(link_->heldIsPrompt());
    const std::uint8_t wake = 0x55;
    link_->write(&wake, 1);  // a stale '>' waits in the input
    factory_->faults().hangupAfter = static_cast<long>(model().sent().size()) + 1;
    ui_.clear();
    EXPECT_FALSE(connect('U'));
    EXPECT_EQ(ui_.messages(),
              (std::vector<std::string>{messages::kHandshakeFailed, messages::kProgramMode}));
}

TEST_F(HlnLinkTest, ReopeningClosesTheHandleStillOpen) {
    openLink();
    const SlkHandle first = link_->port().handle();
    openLink();
    EXPECT_FALSE(serial_->isOpen(first));
    EXPECT_TRUE(serial_->isOpen(link_->port().handle()));
}

// A TRV asks for the extended handshake (No ends it), a TRW gets RTS pulses and breaks for 500
// passes without a question or power-cycle hint, any other type fails without question.
TEST_F(HlnLinkTest, SilentRadiosByType) {
    using M = std::vector<std::string>;
    const struct {
        char type;
        M messages;
        int breaks, rtsDrops;
    } cases[] = {
        {'C',
         {messages::kProgramMode, messages::kAskExtended, messages::kHandshakeFailed,
          messages::kProgramMode},
         0,
         0},
        {'B', {messages::kNoHandshake}, 10 + 490 * 2, 5},
        {'A', {messages::kHandshakeFailed, messages::kProgramMode}, 0, 0},
    };
    for (const auto& c : cases) {
        radio({{"type", std::string(1, c.type)}, {"wake", "0"}});
        openLink();
        ui_.clear();
        ui_.answers = {false};
        EXPECT_FALSE(connect(c.type)) << c.type;
        EXPECT_EQ(sentText(), "UUUUU") << c.type;
        EXPECT_EQ(model().breaks(), c.breaks) << c.type;
        EXPECT_EQ(model().rtsDrops(), c.rtsDrops) << c.type;
        EXPECT_EQ(ui_.messages(), c.messages) << c.type;
        EXPECT_FALSE(ui_.statusOpen()) << c.type;
    }
}

TEST_F(HlnLinkTest, ExtendedHandshakeStopsAtTheFirstPrompt) {
    radio({{"type", "C"}, {"wake", "0"}, {"breaks", "4"}});
    openLink();
    ui_.answers = {true};
    ASSERT_TRUE(connect('C'));
    EXPECT_EQ(model().breaks(), 4);
    const auto texts = ui_.statusTexts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[1], "TRV Extended Handshake (Please Wait)- Attempt 1 of 200");
    EXPECT_EQ(texts[4], "TRV Extended Handshake (Please Wait)- Attempt 4 of 200");
}

TEST_F(HlnLinkTest, TrwWakesAfterAnRtsPulseAndABreak) {
    radio({{"type", "B"}, {"wake", "0"}, {"breaks", "1"}, {"rts", "1"}});
    openLink();
    ASSERT_TRUE(connect('B'));
    EXPECT_EQ(model().rtsDrops(), 1);
    EXPECT_EQ(model().breaks(), 10 + 90 * 2);  // the pulse comes on pass 100
}

// The model table itself is data; what is logic is that types U and V are told apart by the
// second identity byte, and that an unknown letter is refused.
TEST_F(HlnLinkTest, SecondIdentityByteNamesTypesUAndV) {
    const std::tuple<char, int, const char*> cases[] = {
        {'U', 10, "ZKT"}, {'U', 12, "VNL"}, {'V', 11, "QLX"}, {'V', 13, "ZLT"}};
    for (const auto& [letter, id1, name] : cases) {
        RadioIdentity id;
        id.radioId = {static_cast<std::uint8_t>(letter), static_cast<std::uint8_t>(id1)};
        ASSERT_TRUE(classifyRadioId(id)) << letter << id1;
        EXPECT_EQ(HlnModelName(id), name);
        EXPECT_EQ(id.imageSize, 4096) << letter << id1;
    }
    radio({{"type", "D"}});
    openLink();
    EXPECT_FALSE(connect('U'));
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{messages::kUnknownType});
}

TEST_F(HlnLinkTest, TableWalkWithBankFlagClearUsesBaseZero) {
    connected({{"bank", "0"}});
    ASSERT_TRUE(HlnReadAuxiliaryBlock(*link_, image_, identity_));
    // Table at 0x40: slot 61 at 0x7D, block at 0x180.
    EXPECT_EQ(sentText(), gc(1, 0) + gc(2, 33) + gc(2, 0x40 + 61) + gc(56, 0x180));
    EXPECT_EQ(image_.auxiliary[0], 0xA0);
}

TEST_F(HlnLinkTest, TableWalkWithBankFlagSetReadsTheBase) {
    connected({{"bank", "1"}, {"base", "0x300"}});
    identity_.writeMode = 1;
    image_.feature = {1, 2, 0, 0xAA, 0xBB};
    ASSERT_TRUE(HlnTransferFeatureData(*link_, image_, identity_));
    const Bytes gd{
        'G', 'D', 5, 0x04, 0x40, 1, 2, 0, static_cast<char>(0xAA), static_cast<char>(0xBB)};
    EXPECT_EQ(sentText(), gc(1, 0) + gc(2, 3) + gc(2, 0x300 + 33) + gc(2, 0x340 + 27) + gd);
    EXPECT_EQ(model().memory()[0x441], 2);
}

TEST_F(HlnLinkTest, TrackingLengthFollowsTheDataLayoutVersion) {
    for (const auto& [version, length] :
         {std::pair{"6.69", 25}, std::pair{"6.70", 27}, std::pair{"7.0", 27}}) {
        connected({{"version", version}, {"bank", "0"}});
        ASSERT_TRUE(HlnTransferTrackingData(*link_, image_, identity_)) << version;
        EXPECT_EQ(sentText().substr(sentText().size() - 5), gc(length, 0x100)) << version;
        const auto& mem = model().memory();
        EXPECT_EQ(image_.tracking[24], mem[0x118]);
        if (length == 25) {
            EXPECT_EQ(image_.tracking[25], mem[0x118]);
            EXPECT_EQ(image_.tracking[26], mem[0x118]);
        } else {
            EXPECT_EQ(image_.tracking[26], mem[0x11A]);
        }
    }
}

TEST_F(HlnLinkTest, TrackingOfUktRadiosAndMissingTracking) {
    connected({{"type", "I"}});
    EXPECT_TRUE(HlnTransferTrackingData(*link_, image_, identity_));
    EXPECT_TRUE(model().received().empty());

    connected({{"tracking", "0"}});
    EXPECT_FALSE(HlnTransferTrackingData(*link_, image_, identity_));
    identity_.writeMode = 1;
    EXPECT_FALSE(HlnTransferTrackingData(*link_, image_, identity_));
    EXPECT_EQ(ui_.messages(),
              (std::vector<std::string>{messages::kNoTrackingData, messages::kNoTrackingSpace}));
}

TEST_F(HlnLinkTest, FeatureCountUpTo45IsAccepted) {
    connected({{"featurecount", "45"}});
    ASSERT_TRUE(HlnTransferFeatureData(*link_, image_, identity_));
    EXPECT_EQ(sentText(), "GI");
    EXPECT_EQ(image_.featureLength(), 50u);
    EXPECT_EQ(image_.feature[49], 0x10 + 46);

    connected({{"featurecount", "46"}});
    EXPECT_FALSE(HlnTransferFeatureData(*link_, image_, identity_));
    connected({{"features", "0"}});
    EXPECT_FALSE(HlnTransferFeatureData(*link_, image_, identity_));
    identity_.writeMode = 1;
    EXPECT_FALSE(HlnTransferFeatureData(*link_, image_, identity_));
    EXPECT_EQ(ui_.messages(),
              (std::vector<std::string>{messages::kNoData, messages::kNoFeatureData}));
}

TEST_F(HlnLinkTest, ImageReadIsVerifiedByASecondRead) {
    connected({{"type", "A"}});
    ASSERT_TRUE(HlnReadImage(*link_, image_, identity_));
    EXPECT_EQ(sentText(), "GAGA");
    EXPECT_TRUE(
        std::equal(model().memory().begin(), model().memory().end(), image_.buffer.begin()));
    const auto texts = ui_.statusTexts();
    EXPECT_EQ(texts.front(), "Read Percent Complete = 1");
    EXPECT_EQ(texts.back(), "Verify Read Percent Complete = 100");

    connected({{"type", "A"}, {"flaky", "100"}});
    EXPECT_FALSE(HlnReadImage(*link_, image_, identity_));
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{"Verify Failed.  Try Again."});
    EXPECT_FALSE(ui_.statusOpen());
}

TEST_F(HlnLinkTest, ImageWriteGoesOutInChunksAndIsReadBack) {
    for (const auto& [type, chunks] : {std::pair{"A", 16}, std::pair{"C", 32}}) {
        connected({{"type", type}}, type[0]);
        image_.buffer.assign(identity_.imageSize, 0);
        for (std::size_t i = 0; i < image_.buffer.size(); ++i) image_.buffer[i] = i % 251;
        ASSERT_TRUE(HlnWriteImage(*link_, image_, identity_)) << type;
        EXPECT_EQ(model().memory(), image_.buffer);
        // Bytes of one chunk arrive together; the 6 ms pause separates the chunks.
        const auto& at = model().arrivals;
        std::vector<Millis> data(at.begin() + 2, at.begin() + 2 + identity_.imageSize);
        const std::set<Millis> groups(data.begin(), data.end());
        EXPECT_EQ(groups.size(), static_cast<std::size_t>(chunks)) << type;
        EXPECT_EQ(std::count(data.begin(), data.end(), data.front()), identity_.imageSize / chunks);
        EXPECT_EQ(sentText().substr(0, 2), "GB");
        EXPECT_EQ(sentText().substr(2 + identity_.imageSize), "GA");
    }
    connected({{"type", "A"}, {"stuck", "300"}});
    image_.buffer.assign(2048, 0x42);
    EXPECT_FALSE(HlnWriteImage(*link_, image_, identity_));
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{"Radio failed Verify"});
}

// The read marks its bytes twice (read, verify), the write its chunks and then the bytes of
// the verify; a stage is whole only after its prompt, so a line that goes dead in the verify
// leaves it short.
TEST_F(HlnLinkTest, ImageProgressMarksEachStageUntilItSucceeds) {
    const struct {
        const char* name;
        bool write;
        long deadAfter;  // radio bytes after the handshake before the line goes dead (-1: never)
        std::vector<long> stages;
        bool ok;
    } cases[] = {
        {"read", false, -1, {2048, 2048}, true},
        {"read, dead in the verify", false, 2048 + 1 + 1000, {2048, 2048}, false},
        {"read, dead before the last prompt", false, 2048 + 1 + 2048, {2048, 2048}, false},
        {"write", true, -1, {16, 2048}, true},
        {"write, dead in the verify", true, 1 + 1000, {16, 2048}, false},
    };
    for (const auto& c : cases) {
        radio({{"type", "A"}});
        openLink();
        ASSERT_TRUE(connect('A')) << c.name;
        if (c.deadAfter >= 0)
            factory_->faults().hangupAfter = static_cast<long>(model().sent().size()) + c.deadAfter;
        ui_.clear();
        image_.buffer.assign(identity_.imageSize, 0x42);
        const bool ok = c.write ? HlnWriteImage(*link_, image_, identity_)
                                : HlnReadImage(*link_, image_, identity_);
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_TRUE(test::progressStages(ui_.progressMarks(), c.stages, c.ok)) << c.name;
    }
}

TEST_F(HlnLinkTest, RefusedImageBytesAreRetriedAFewTimesThenReported) {
    connected({{"type", "A"}});
    image_.buffer.assign(2048, 0);
    refusing_->accepted = 0;
    refusing_->refuseAfter = 2 + 500;  // "GB" and 500 bytes get through
    EXPECT_FALSE(HlnWriteImage(*link_, image_, identity_));
    EXPECT_EQ(refusing_->refusedAttempts, 1 + kHlnByteRetries);
    ASSERT_EQ(ui_.messages().size(), 1u);
    EXPECT_EQ(ui_.messages()[0],
              "Unable to write to the radio.\nThe image write stopped at byte 500 of 2048.");
    EXPECT_FALSE(ui_.statusOpen());
}

TEST_F(HlnLinkTest, TestModeInAndOut) {
    radio({});
    std::string model;
    ASSERT_TRUE(HlnEnterTestMode(*link_, model, 'U'));
    EXPECT_EQ(model, "ZKT");
    EXPECT_TRUE(link_->isOpen());
    EXPECT_TRUE(this->model().inTestMode());
    EXPECT_EQ(sentText(), "UGEGEGGGF");
    ASSERT_TRUE(HlnLeaveTestMode(*link_));
    EXPECT_FALSE(link_->isOpen());
    EXPECT_EQ(sentText().back(), '\x13');
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{"12"});

    radio({{"testmode", "0"}});
    ui_.clear();
    EXPECT_FALSE(HlnEnterTestMode(*link_, model, 'U'));
    EXPECT_FALSE(link_->isOpen());
    EXPECT_EQ(ui_.messages(), std::vector<std::string>{"Unable to put the radio in test mode."});
}

// Each model's rules come from its row: by letter (tracking kept, features, the power-cycle
// hint, image chunks) or by the model text the page shows (no tracking, locked fields).
TEST(HlnModelTable, EveryRuleReadsTheModelsRow) {
    const struct {
        char letter;
        bool noTracking, noFeatures, hint;
        int chunks;
    } letters[] = {
        {'A', false, false, false, 16}, {'B', false, false, false, 32},
        {'C', false, false, true, 32},  {'H', true, false, false, 16},
        {'I', true, false, false, 16},  {'J', true, false, false, 16},
        {'K', true, false, false, 16},  {'M', false, true, false, 16},
        {'T', false, false, true, 32},  {'U', false, false, false, 32},
        {'V', false, false, true, 32},  {'Z', false, false, false, 32},  // unknown
    };
    for (const auto& l : letters) {
        SCOPED_TRACE(std::string(1, l.letter));
        EXPECT_EQ(hasNoTrackingData(l.letter), l.noTracking);
        EXPECT_EQ(hasNoFeatureData(l.letter), l.noFeatures);
        EXPECT_EQ(needsPowerCycleHint(l.letter), l.hint);
        EXPECT_EQ(hlnImageChunks(l.letter), l.chunks);
    }
    for (const char* model : {"UKT 10", "UKT 20", "UKT/OKT", "OKT"})
        EXPECT_TRUE(modelKeepsNoTracking(model)) << model;
    for (const char* model : {"HLN", "ZKT", "VNL", "NOVAC 30P", "", "???"})
        EXPECT_FALSE(modelKeepsNoTracking(model)) << model;
    for (const char* model : {"ZKT", "ZLT"}) EXPECT_TRUE(modelLocksAlignment(model)) << model;
    // The other generation of the same letters is not locked.
    for (const char* model : {"VNL", "QLX", "HLN", "????????"})
        EXPECT_FALSE(modelLocksAlignment(model)) << model;
}

}  // namespace
}  // namespace tw::hln
