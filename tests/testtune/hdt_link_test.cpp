#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hdt_fixture.h"

namespace tw::testtune {
namespace {

using namespace std::string_literals;
using Messages = std::vector<std::string>;

const std::string kFactReads = "db 2005 2006\rdb 20:0E 20:0E\rdb 20:37 20:37\r";
const std::string kVersionFailed = "Unable to read radio code version.";
const std::string kTestModeFailed = "Could not start Test Mode. Please Retry.";

TEST_F(HdtTest, ConnectOpensTheProfilesPortSendsTheSequenceAndReadsTheFacts) {
    radio({{"hdt.band", "0x35"}, {"hdt.type", "0x6A"}, {"hdt.version", "0x0311"}});
    ASSERT_TRUE(link_->Connect());
    EXPECT_EQ(factory_->lastPath(), "/dev/ttyUSB2");  // port 3 of the profile, not port 5
    EXPECT_EQ(factory_->lastBaud(), 19200);
    EXPECT_EQ(sentText(), "\r" + kFactReads + "cmd 0\r\n");
    EXPECT_TRUE(ui_.messages().empty());
    EXPECT_EQ(ui_.busyDepth(), 0);
    EXPECT_EQ(link_->facts().versionMajor, 0x03);
    EXPECT_EQ(link_->facts().versionMinor, 0x11);
    EXPECT_EQ(link_->facts().band, kBand900);
    EXPECT_EQ(link_->facts().radioType, 0x6A);
    EXPECT_TRUE(model().state().testMode);
}

TEST_F(HdtTest, ConnectOutcomes) {
    struct Case {
        sim::ModelOptions options;
        bool connected;
        Messages messages;
    };
    const std::string powerOn = CHdtLink::kPowerOn;
    const Case cases[] = {
        {{{"noprompt", "1"}}, true, {powerOn}},
        {{{"noprompt", "2"}}, false, {powerOn}},
        {{{"silence", "0"}}, false, {powerOn}},
        {{{"fail", "0"}}, false, {kTestModeFailed}},
        // Facts that cannot be read are told and do not stop the connect.
        {{{"garble", "db"}}, true, {kVersionFailed, CHdtLink::kNoBandSplit}},
        {{{"band", "0x31"}}, true, {CHdtLink::kNoBandSplit}},
        {{{"type", "0x62"}}, true, {CHdtLink::kNoRadioType}},
        {{{"nokey", "1"}}, true, {kVersionFailed, CHdtLink::kNoBandSplit}},
        // A radio that never stops sending: the drain gives up, no prompt is found.
        {{{"stream", "0"}}, false, {powerOn}},
    };
    for (const auto& c : cases) {
        ui_.clear();
        radio(c.options);
        EXPECT_EQ(link_->Connect(), c.connected) << c.options.begin()->first;
        EXPECT_EQ(ui_.messages(), c.messages) << c.options.begin()->first;
    }
    ui_.clear();
    factory_->failOpens("busy");
    EXPECT_FALSE(link_->Connect());
    EXPECT_EQ(ui_.messages(), Messages{CHdtLink::kCannotOpen});
}

TEST_F(HdtTest, AnUnknownBandSplitKeepsTheBandCodeReadBefore) {
    radio({{"band", "0x35"}});
    ASSERT_TRUE(link_->Connect());
    model().setBandByte(0x31);
    ui_.clear();
    EXPECT_TRUE(link_->Resync());  // test mode is entered all the same
    EXPECT_EQ(ui_.messages(), Messages{CHdtLink::kNoBandSplit});
    EXPECT_EQ(link_->facts().band, kBand900);
}

TEST_F(HdtTest, ThePromptIsProbedAgainAfterItsPause) {
    struct Case {
        const char* noprompt;
        bool connect;  // else resync
        Millis pause;
        bool result;
    };
    const Case cases[] = {{"1", true, CHdtLink::kPromptRetryMs, true},
                          {"1", false, CHdtLink::kResyncRetryMs, true},
                          {"2", false, CHdtLink::kResyncRetryMs, false}};
    for (const auto& c : cases) {
        ui_.clear();
        radio({{"noprompt", c.noprompt}});
        if (!c.connect) attach();
        EXPECT_EQ(c.connect ? link_->Connect() : link_->Resync(), c.result);
        const auto& lines = model().lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0].text, "");
        EXPECT_EQ(lines[1].text, "");
        // The first probe's read waits out its silence, then the pause, then the second probe.
        const Millis between = lines[1].at - lines[0].at;
        EXPECT_GE(between, c.pause);
        EXPECT_LE(between, c.pause + 1200);
        if (!c.result) {
            EXPECT_EQ(lines.size(), 2u);
        }
    }
    EXPECT_EQ(ui_.messages(), Messages{CHdtLink::kHdtLost});
}

TEST_F(HdtTest, ResyncProbesWithTwoNulsAndReadsTheFactsAgain) {
    attach();
    ASSERT_TRUE(link_->Resync());
    EXPECT_EQ(sentText(), "\r\0\0"s + kFactReads + "cmd 0\r\n");
}

TEST_F(HdtTest, StepsFollowTheirReplyRule) {
    struct Case {
        sim::ModelOptions options;
        HdtCommand command;
        const char* failure;  // "": the step passes
    };
    const std::string txOn = "Unable to turn the transmitter on.";
    const Case cases[] = {
        {{}, HdtCommand::TransmitterOn, ""},
        {{{"fail", "74"}}, HdtCommand::TransmitterOn, txOn.c_str()},
        {{{"silence", "1"}}, HdtCommand::TransmitterOn, txOn.c_str()},
        {{{"fail", "71"}}, HdtCommand::SelectTrackingPower, ""},  // any reply will do
        {{{"silence", "1"}},
         HdtCommand::SelectTrackingPower,
         "Unable to Select Tracking Power Level."},
        {{{"garble", "28"}}, HdtCommand::LcdScrollTest, "LCD test failed! Please retry."},
        {{{"silence", "1"}}, HdtCommand::ToneGateDeviation, ""},
    };
    for (const auto& c : cases) {
        radio(c.options);
        attach();
        ASSERT_TRUE(link_->EnterTestMode());
        ui_.clear();
        const bool passed =
            c.command == HdtCommand::SelectTrackingPower ? link_->Run(c.command, {0, 1, 2})
            : c.command == HdtCommand::ToneGateDeviation ? link_->Run(c.command, {120})
                                                         : link_->Run(c.command);
        EXPECT_EQ(passed, !*c.failure) << static_cast<int>(c.command);
        EXPECT_EQ(ui_.messages(), *c.failure ? Messages{c.failure} : Messages{})
            << static_cast<int>(c.command);
    }
}

TEST_F(HdtTest, ALineThatRefusesTheWriteFailsTheTransaction) {
    attach();
    ASSERT_TRUE(link_->EnterTestMode());
    pullCableAfter();
    EXPECT_FALSE(link_->Run(HdtCommand::TransmitterOn));
    EXPECT_EQ(link_->reply().count, -1);
    EXPECT_EQ(ui_.messages(), Messages{"Unable to turn the transmitter on."});
    EXPECT_FALSE(model().state().keyed);

    // A failed test-mode transaction closes the port without a word.
    ui_.clear();
    EXPECT_FALSE(link_->EnterTestMode());
    EXPECT_FALSE(link_->port().isOpen());
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(HdtTest, ALongReplyIsCutAt50BytesAndTheRestDrained) {
    radio({{"long", "1"}});
    attach();
    ASSERT_TRUE(link_->EnterTestMode());
    EXPECT_EQ(link_->reply().count, 50);
    EXPECT_EQ(std::strlen(link_->reply().bytes.data()), 50u);
    EXPECT_TRUE(link_->Drain());
    EXPECT_TRUE(model().output().empty());
}

TEST_F(HdtTest, DrainIsBoundedAgainstARadioThatKeepsSending) {
    attach();
    const Millis quietStart = clock_.now();
    EXPECT_TRUE(link_->Drain());
    EXPECT_LE(clock_.now() - quietStart, serial_->charWait(link_->port().handle()));

    radio({{"stream", "0"}});
    attach();
    const Millis start = clock_.now();
    EXPECT_FALSE(link_->Drain());
    EXPECT_LE(clock_.now() - start,
              CHdtLink::kDrainMaxMs + serial_->charWait(link_->port().handle()));
    EXPECT_FALSE(model().output().empty());  // still sending
}

TEST_F(HdtTest, BatteryLevels) {
    struct Case {
        sim::ModelOptions options;
        int level;
    };
    const Case cases[] = {{{}, 200},
                          {{{"battery", "87"}}, 87},
                          {{{"nokey", "1"}}, -1},
                          {{{"garble", "1"}}, -1},
                          {{{"silence", "1"}}, -1}};
    for (const auto& c : cases) {
        radio(c.options);
        attach();
        ASSERT_TRUE(link_->EnterTestMode());
        model().clearTraffic();
        EXPECT_EQ(link_->ReadBattery(), c.level);
        EXPECT_EQ(sentText(), "cmd 1\r\r");
    }
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(HdtTest, ABatteryReadThatLosesTheLineIsAConnectionLoss) {
    attach();
    ASSERT_TRUE(link_->EnterTestMode());
    int handled = 0;
    link_->onConnectionLost([&] { ++handled; });
    pullCableAfter(5);  // "cmd 1" goes, its carriage return not
    EXPECT_EQ(link_->ReadBattery(), -2);
    EXPECT_EQ(ui_.messages(), Messages{CHdtLink::kLinkLost});
    EXPECT_FALSE(link_->port().isOpen());
    EXPECT_TRUE(link_->connectionLost());
    EXPECT_EQ(handled, 1);
}

}  // namespace
}  // namespace tw::testtune
