// The serial adapter on a real pseudo-terminal, with tunewright-sim on the far end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "adapters/qserial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "e2e/sim_process.h"
#include "link/serial_link.h"
#include "sim/loopback_model.h"
#include "ui/scripted_ui.h"

namespace tw::e2e {
namespace {

class PtyLinkTest : public ::testing::Test {
  protected:
    PtyLinkTest() : profile_(dir_.file("novac4.ini")), link_(profile_, devices_, clock_, ui_) {}

    void SetUp() override {
        ASSERT_TRUE(sim_.start("loopback", {"--no-pace"})) << sim_.error();
        link_.ports().setRunDevice(sim_.devicePath());
    }

    // Reads until `count` bytes came or the line went quiet.
    std::string readBack(SlkHandle h, unsigned long count) {
        std::string data(count, '\0');
        unsigned long got = 0;
        EXPECT_EQ(link_.slkReadBuffer(h, data.data(), count, &got, 0), 1);
        data.resize(got);
        return data;
    }

    TempDir dir_;
    SimProcess sim_;
    SteadyClock clock_;
    ScriptedUi ui_;
    Profile profile_;
    QSerialDeviceFactory devices_;
    SerialLink link_;
};

TEST_F(PtyLinkTest, BytesMakeTheRoundTripAndLineControlIsHarmless) {
    EXPECT_TRUE(isPseudoTerminal(sim_.devicePath()));
    const SlkHandle h = link_.slkInit(1, 9600);
    ASSERT_NE(h, kNoLink) << link_.lastOpenError();
    EXPECT_EQ(link_.slkBreak(h, 30), 1);
    EXPECT_EQ(link_.slkSetDTR(h, 1), 1);
    EXPECT_EQ(link_.slkSetRTS(h, 0), 1);
    EXPECT_EQ(link_.slkSetRTS(h, 1), 1);
    const std::string sent = std::string("U>\r\n\x7f\xff\x00", 7) + "G42017E0";
    ASSERT_EQ(link_.slkWriteBuffer(h, sent.data(), sent.size()), 1);
    EXPECT_EQ(readBack(h, sent.size()), sent);
    ASSERT_EQ(link_.slkWriteChar(h, 'Z'), 1);
    int c = 0;
    ASSERT_EQ(link_.slkReadChar(h, c), 1);
    EXPECT_EQ(c, 'Z');
    EXPECT_EQ(link_.slkReadChar(h, c), 0);  // nothing more: the short wait runs out
    link_.slkClose(h);
}

TEST_F(PtyLinkTest, EachOpenMeetsAQuietLine) {
    SlkHandle h = link_.slkInit(1, 9600);
    ASSERT_NE(h, kNoLink) << link_.lastOpenError();
    ASSERT_EQ(link_.slkWriteChar(h, sim::LoopbackModel::kBurstCommand), 1);
    int c = -1;
    ASSERT_EQ(link_.slkReadChar(h, c), 1);
    EXPECT_EQ(c, 0);  // the burst has begun; most of it is left unread
    link_.slkClose(h);

    h = link_.slkInit(1, 9600);
    ASSERT_NE(h, kNoLink) << link_.lastOpenError();
    ASSERT_EQ(link_.slkWriteBuffer(h, "ok", 2), 1);
    EXPECT_EQ(readBack(h, 2), "ok");  // nothing of the old burst in front of the echo
    link_.slkClose(h);
}

TEST_F(PtyLinkTest, OpenFailuresSayWhy) {
    link_.ports().setRunDevice(dir_.file("ttyNOPE"));
    EXPECT_EQ(link_.slkInit(1, 9600), kNoLink);
    EXPECT_NE(link_.lastOpenError().find("no such device"), std::string::npos)
        << link_.lastOpenError();

    // A plain file is no serial port.
    link_.ports().setRunDevice(dir_.write("not-a-port", "x"));
    EXPECT_EQ(link_.slkInit(1, 9600), kNoLink);
    EXPECT_NE(link_.lastOpenError().find("not a serial port"), std::string::npos)
        << link_.lastOpenError();

    link_.ports().setRunDevice(sim_.devicePath());
    const SlkHandle first = link_.slkInit(1, 9600);
    ASSERT_NE(first, kNoLink) << link_.lastOpenError();
    EXPECT_EQ(link_.slkInit(1, 9600), kNoLink);
    EXPECT_NE(link_.lastOpenError().find("busy"), std::string::npos) << link_.lastOpenError();
    link_.slkClose(first);
}

}  // namespace
}  // namespace tw::e2e
