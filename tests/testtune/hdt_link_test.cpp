#include <gtest/gtest.h>

#include <algorithm>
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

// How one command fares with each reply, in the order FAIL, none, noise, the radio's own
// answer: '+' passes without a word, '-' fails without a word, 'm' fails with the row's
// message, 'o' fails with its other message.
struct ReplyRow {
    HdtCommand command;
    const char* outcomes;
    const char* message = "";
    const char* other = "";
};

constexpr const char* kCommon = "mm++";     // "FAIL" or nothing fails
constexpr const char* kAnyReply = "+m++";   // only nothing fails
constexpr const char* kNeedsPass = "mmm+";  // anything but "PASS" fails
constexpr const char* kUnchecked = "++++";

using C = HdtCommand;
const ReplyRow kReplyRows[] = {
    {C::EnterTestMode, "mmm+", "Could not start Test Mode. Please Retry."},
    {C::ReadBattery, "---+"},  // the level is missing: -1, the launch tells
    {C::RssiTestLevel, kCommon, "Unable to start RSSI test level."},
    {C::SelectNarrowBand, kCommon, "Unable to select Narrow Band."},
    {C::SetBandwidth, kCommon, "Unable to set the bandwidth."},
    {C::ExternalMic, kUnchecked},
    {C::SpeakerOff, kCommon, "Unable to set the volume."},
    {C::SpeakerOnAt180, kCommon, "Unable to set the volume."},
    {C::SpeakerVolume, kCommon, "Unable to set the speaker audio."},
    {C::ReportDac, kCommon, "Unable to display current frequency."},
    {C::stepDac, kCommon, "Unable to set the frequency."},
    {C::KeypadTest, kUnchecked},
    {C::KnobTest, kUnchecked},
    {C::VolumeTest, kUnchecked},
    {C::LcdContrastStep, kCommon, "LCD Contrast Test Failed! Please Retry."},
    {C::BacklightOn, kCommon, "Background Light Test Failed! Please Retry."},
    {C::BacklightOff, kCommon, "Background Light Test Failed! Please Retry."},
    {C::EepromTest, kCommon, "EEPROM Test Failed!"},
    {C::LcdScrollTest, kNeedsPass, "LCD test failed! Please retry."},
    {C::SaveTracking, kCommon, "Unable to save tracking data."},
    {C::SetReceiveFrequency, kCommon, "Unable to set the receive frequency."},
    {C::SetSquelchLevel, kCommon, "Unable to set squelch level."},
    {C::TestSquelchLevel, kCommon, "Unable to test squelch level."},
    {C::MuteSpeaker, kCommon, "Unable to mute the speaker audio."},
    {C::UnmuteSpeaker, kCommon, "Unable to mute speaker audio."},
    {C::ReceiverOn, kCommon, "Unable to turn Receive on."},
    {C::setTransmitFrequency, kCommon, "Unable to set the transmit frequency."},
    {C::SelectStartPower, kCommon, "Unable to set the power."},
    {C::SelectTrackingPower, kAnyReply, "Unable to Select Tracking Power Level."},
    {C::ToneGateDeviation, kUnchecked},
    {C::EncodeToneGate, kCommon, "Unable to encode 186.2Hz Tone Tone Gate."},
    {C::EncodeTone100, "--++"},  // the verification page tells
    {C::TransmitterOn, kCommon, "Unable to turn the transmitter on."},
    {C::TransmitterOff, kCommon, "Unable to turn transmitter off."},
    {C::PowerDacStep, kAnyReply, "Unable to change TX Power."},
    {C::CopyPowerDac, kAnyReply, "Unable to read and copy power DAC value."},
    {C::InitDspI, kCommon, "Unable to initialize DSP-I value."},
    {C::InitDspQ, kCommon, "Unable to initialize DSP-Q value."},
    {C::DspI, kUnchecked},
    {C::DspQ, kUnchecked},
    {C::ApplyIqBalance, kUnchecked},
    {C::OpenControlLoop, kCommon, "Unable to open control loop."},
    {C::PowerControlLoop, kCommon, "Unable to change power control loop state."},
    {C::CorraI, kCommon, "Unable to initialize Corra-I value."},
    {C::CorraQ, kCommon, "Unable to initialize Corra-Q value."},
    // The memory reads judge the bytes they find: a reply without them is no value.
    {C::ReadCodeVersion, "mmm+", "Unable to read radio code version."},
    {C::ReadBandSplit, "omo+", "Unable to read radio code version.", CHdtLink::kNoBandSplit},
    {C::ReadRadioType, "omo+", "Unable to read radio code version.", CHdtLink::kNoRadioType},
};

// Calls `f` with the command's arguments, each of them 1.
template <typename F>
auto withOnes(HdtCommand command, F f) {
    const std::string_view line = commandSpec(command).line;
    std::size_t fields = 0;
    for (auto at = line.find("%d"); at != std::string_view::npos; at = line.find("%d", at + 2))
        ++fields;
    switch (fields) {
        case 0:
            return f({});
        case 1:
            return f({1});
        case 2:
            return f({1, 1});
        default:
            return f({1, 1, 1});
    }
}

// The step that sends the command: the link's own reads for the commands it judges itself,
// the common step for the others.
bool runStep(CHdtLink& link, HdtCommand command) {
    switch (command) {
        case C::EnterTestMode:
            return link.EnterTestMode();
        case C::ReadBattery:
            return link.ReadBattery() >= 0;
        case C::ReadCodeVersion:
            return link.ReadCodeVersion();
        case C::ReadBandSplit:
        case C::ReadRadioType:
            return link.ReadBandAndType();
        default:
            return withOnes(command, [&](std::initializer_list<std::int64_t> args) {
                return link.run(command, args);
            });
    }
}

TEST_F(HdtTest, EveryCommandJudgesItsReply) {
    ASSERT_EQ(std::size(kReplyRows), static_cast<std::size_t>(C::ReadRadioType) + 1);
    const char* const faults[] = {"fail", "noreply", "garble", nullptr};
    for (std::size_t n = 0; n < std::size(kReplyRows); ++n) {
        const ReplyRow& row = kReplyRows[n];
        ASSERT_EQ(static_cast<std::size_t>(row.command), n) << "one row per command, in order";
        // The fault hits this line alone: "cmd 52 1 1" is "52.1.1" to the radio.
        std::string key = withOnes(row.command, [&](std::initializer_list<std::int64_t> args) {
            return formatCommand(row.command, args).value_or("?");
        });
        key = key.substr(key.rfind("cmd ", 0) == 0 ? 4 : 0);
        key.erase(key.find_last_not_of("\r\n") + 1);
        std::replace(key.begin(), key.end(), ' ', '.');
        for (int i = 0; i < 4; ++i) {
            sim::ModelOptions options{{"lcd", "0"}, {"eeprom", "0"}};
            if (faults[i]) options[faults[i]] = key;
            radio(options);
            attach();
            if (row.command != C::EnterTestMode) {
                ASSERT_TRUE(link_->EnterTestMode()) << key;
            }
            ui_.clear();
            const char outcome = row.outcomes[i];
            const std::string what = key + " " + (faults[i] ? faults[i] : "answered");
            EXPECT_EQ(runStep(*link_, row.command), outcome == '+') << what;
            EXPECT_EQ(ui_.messages(), outcome == 'm'   ? Messages{row.message}
                                      : outcome == 'o' ? Messages{row.other}
                                                       : Messages{})
                << what;
        }
    }
}

TEST_F(HdtTest, ALineThatRefusesTheWriteFailsTheTransaction) {
    attach();
    ASSERT_TRUE(link_->EnterTestMode());
    pullCableAfter();
    EXPECT_FALSE(link_->run(HdtCommand::TransmitterOn));
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
