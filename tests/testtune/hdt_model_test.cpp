#include <gtest/gtest.h>

#include <string>

#include "hdt_fixture.h"

namespace tw::testtune {
namespace {

// The simulated interpreter keeps what the commands set, and "cmd 29" keeps a copy.
TEST_F(HdtTest, TheModelKeepsWhatCommandsSetAndSaves) {
    ASSERT_TRUE(link_->Connect());
    ASSERT_TRUE(link_->run(HdtCommand::setTransmitFrequency, {815012500}));
    ASSERT_TRUE(link_->run(HdtCommand::SetReceiveFrequency, {851000000}));
    ASSERT_TRUE(link_->run(HdtCommand::SelectNarrowBand));
    ASSERT_TRUE(link_->run(HdtCommand::UnmuteSpeaker));
    ASSERT_TRUE(link_->run(HdtCommand::SpeakerVolume, {183}));
    ASSERT_TRUE(link_->run(HdtCommand::TransmitterOn));
    ASSERT_TRUE(link_->run(HdtCommand::stepDac, {1}));
    EXPECT_EQ(link_->reply().text().substr(0, 10), "PASS = 513");
    ASSERT_TRUE(link_->run(HdtCommand::PowerDacStep, {0}));
    ASSERT_TRUE(link_->run(HdtCommand::SetSquelchLevel, {42}));
    ASSERT_TRUE(link_->run(HdtCommand::SaveTracking));
    ASSERT_TRUE(link_->run(HdtCommand::stepDac, {1}));

    const auto& s = model().state();
    EXPECT_EQ(s.txHz, 815012500);
    EXPECT_EQ(s.rxHz, 851000000);
    EXPECT_TRUE(s.narrowBand);
    EXPECT_FALSE(s.muted);
    EXPECT_TRUE(s.speakerOn);
    EXPECT_EQ(s.volume, 183);
    EXPECT_TRUE(s.keyed);
    EXPECT_EQ(s.referenceDac, 514);
    EXPECT_EQ(s.saved.referenceDac, 513);
    EXPECT_EQ(s.saved.powerDac, 127);
    EXPECT_EQ(s.saved.squelch, 42);
    EXPECT_EQ(s.saved.saves, 1);
}

TEST_F(HdtTest, TheModelRefusesCommandsOutsideTestMode) {
    attach();
    EXPECT_FALSE(link_->run(HdtCommand::TransmitterOn));
    EXPECT_FALSE(model().state().keyed);
    EXPECT_TRUE(link_->ReadCodeVersion());  // memory reads need no test mode
}

}  // namespace
}  // namespace tw::testtune
