#include "link/serial_link.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "link/port_session.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

// A radio that answers "AB" 300 ms after any byte and "CD" half a second later: a slow radio
// with a pause in its stream.
class SlowModel : public sim::RadioModel {
  public:
    void onByte(std::uint8_t, Millis now) override {
        send("AB", now, 300);
        send("CD", now, 800);
    }
};

class SerialLinkTest : public ::testing::Test {
  protected:
    explicit SerialLinkTest(std::unique_ptr<sim::RadioModel> model =
                                std::make_unique<sim::LoopbackModel>(sim::ModelOptions{
                                    {"burst", "64"}}))
        : factory_(std::move(model), clock_) {
        link_.ports().setRunDevice("sim");
    }

    SlkHandle open() {
        SlkHandle h = link_.slkInit(1, 9600);
        EXPECT_NE(h, kNoLink);
        return h;
    }
    // What one buffered read brought (the read itself must succeed).
    std::string readBuffer(SlkHandle h, unsigned long count, int wait) {
        std::string data(count, '\0');
        unsigned long got = 0;
        EXPECT_EQ(link_.slkReadBuffer(h, data.data(), count, &got, wait), 1);
        data.resize(got);
        return data;
    }

    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(std::filesystem::temp_directory_path() /
                      ("tw_link_test_" + std::to_string(::getpid()) + ".ini"))
                         .string()};
    sim::SimDeviceFactory factory_;
    SerialLink link_{profile_, factory_, clock_, ui_};
};

TEST_F(SerialLinkTest, PendingBytesComeAtOnceAndSilenceCostsOnlyTheShortWait) {
    SlkHandle h = open();
    ASSERT_EQ(link_.slkWriteBuffer(h, "AB", 2), 1);
    int c = 0;
    const Millis start = clock_.now();
    ASSERT_EQ(link_.slkReadChar(h, c), 1);
    EXPECT_EQ(c, 'A');
    ASSERT_EQ(link_.slkReadChar(h, c), 1);
    EXPECT_EQ(c, 'B');
    EXPECT_EQ(clock_.now(), start);  // nothing waited while data was there
    EXPECT_EQ(link_.slkReadChar(h, c), 0);
    EXPECT_EQ(c, 'B');  // a failed read leaves the caller's byte alone
    EXPECT_EQ(clock_.now(), start + link_.charWait(h));
}

TEST_F(SerialLinkTest, ReadBufferStopsAtCountOrAfterTheQuietGap) {
    SlkHandle h = open();
    ASSERT_EQ(link_.slkWriteChar(h, sim::LoopbackModel::kBurstCommand), 1);
    std::string burst;  // the loopback radio counts up from 0
    for (char b = 0; b < 64; ++b) burst += b;
    const Millis start = clock_.now();
    EXPECT_EQ(readBuffer(h, 10, 0), burst.substr(0, 10));
    EXPECT_EQ(clock_.now(), start);                      // the count is there: no wait at all
    EXPECT_EQ(readBuffer(h, 100, 0), burst.substr(10));  // short reads succeed
    EXPECT_EQ(clock_.now() - start, 30);                 // the quiet gap, not the first-byte wait
    EXPECT_EQ(readBuffer(h, 5, 2), "");
    EXPECT_EQ(clock_.now() - start, 30 + 1000 + 2000);
}

TEST_F(SerialLinkTest, WaitsFollowTheBaudAndTheProfile) {
    struct Case {
        int baud;
        std::string section;
        Millis charWait, quietGap, firstByte;
    };
    const Case cases[] = {
        {9600, "", 53, 30, 1000},  // two characters take 2.08 ms, rounded up
        {19200, "", 52, 30, 1000},
        {1200, "", 67, 34, 1000},  // four characters at 1200 baud outlast 30 ms
        {9600, "[Link Timing]\nChar Wait=120\nQuiet Gap=80\nFirst Byte Wait=3000\n", 123, 80, 3000},
        {9600, "[link timing]\nChar Wait=0\nQuiet Gap=fast\nFirst Byte Wait=9999999\n", 53, 30,
         1000},  // values a cable cannot need keep the defaults
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baud);
        std::ofstream(profile_.path()) << c.section;
        SlkHandle h = link_.slkInit(1, c.baud);
        ASSERT_NE(h, kNoLink);
        EXPECT_EQ(link_.charWait(h), c.charWait);
        EXPECT_EQ(link_.quietGap(h), c.quietGap);
        EXPECT_EQ(link_.firstByteWait(h), c.firstByte);
        link_.slkClose(h);
    }
    std::filesystem::remove(profile_.path());
}

TEST_F(SerialLinkTest, ClosedOrUnknownHandlesFail) {
    SlkHandle h = open();
    ASSERT_EQ(link_.slkClose(h), 1);
    int c = 0;
    unsigned long got = 7;
    char buf[4];
    EXPECT_EQ(link_.slkWriteChar(h, 'U'), 0);
    EXPECT_EQ(link_.slkReadChar(h, c), 0);
    EXPECT_EQ(link_.slkReadBuffer(h, buf, 4, &got, 0), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(link_.slkReadPoll(h, 4, 50).ok);
    EXPECT_EQ(link_.slkBreak(kNoLink, 30), 0);
    EXPECT_EQ(link_.slkClose(h), 0);
}

TEST_F(SerialLinkTest, LineControlReachesTheRadio) {
    SlkHandle h = open();
    EXPECT_EQ(link_.slkBreak(h, 30), 1);
    EXPECT_EQ(link_.slkSetRTS(h, 0), 1);
    EXPECT_EQ(link_.slkSetRTS(h, 1), 1);
    EXPECT_EQ(link_.slkSetDTR(h, 1), 1);
    EXPECT_EQ(factory_.model().breaks(), 1);
    EXPECT_EQ(factory_.model().rtsDrops(), 1);
    EXPECT_EQ(clock_.now(), 30);  // the break holds the line for its duration
}

TEST_F(SerialLinkTest, OpenFailureSaysWhy) {
    factory_.failOpens("no such device");
    EXPECT_EQ(link_.slkInit(1, 9600), kNoLink);
    EXPECT_EQ(link_.lastOpenError(), "sim: no such device");
    ASSERT_FALSE(ui_.events().empty());
    EXPECT_EQ(ui_.events().back().kind, "detail");
    EXPECT_TRUE(ui_.messages().empty());  // the caller decides what the technician sees
}

// The session owns its port: whatever way a flow leaves, the port is free for the next one.
TEST_F(SerialLinkTest, APortSessionLetsGoOfItsPortOnEveryPath) {
    SlkHandle held = kNoLink;
    {
        PortSession port(link_);
        ASSERT_TRUE(port.openSaved(9600));
        const SlkHandle first = port.handle();
        ASSERT_TRUE(port.open(1, 9600));  // opening again gives the first port up
        EXPECT_FALSE(link_.isOpen(first));
        held = port.handle();
        EXPECT_TRUE(link_.isOpen(held));
    }
    EXPECT_FALSE(link_.isOpen(held));

    PortSession port(link_);
    EXPECT_FALSE(port.close());
    factory_.failOpens("busy");
    EXPECT_FALSE(port.open(1, 9600));
    EXPECT_FALSE(port.write("U"));
    EXPECT_FALSE(port.writeByte('U'));
    EXPECT_FALSE(port.readByte());
    EXPECT_FALSE(port.readUpTo(4));  // no read at all, not an empty one
    EXPECT_TRUE(port.poll(4, 50).empty());
    EXPECT_FALSE(port.sendBreak(30));
}

// Reads answer with values: what came, an exact count or nothing, and an empty read that is
// still a read.
TEST_F(SerialLinkTest, APortSessionsReadsSayWhatCame) {
    PortSession port(link_);
    ASSERT_TRUE(port.openSaved(9600));
    ASSERT_TRUE(port.write("ABC"));
    EXPECT_EQ(port.readExact(4), std::nullopt);  // three came: not the four asked for
    ASSERT_TRUE(port.write("ABCD"));
    EXPECT_EQ(port.readExact(4), std::optional<std::string>("ABCD"));
    ASSERT_TRUE(port.writeByte(0xF3));
    EXPECT_EQ(port.readByte(), std::optional<std::uint8_t>(0xF3));
    EXPECT_EQ(port.readUpTo(4), std::optional<std::string>(""));
    ASSERT_TRUE(port.write("XY"));
    std::vector<unsigned long> heard;
    EXPECT_EQ(port.readUpTo(2, 0, [&](unsigned long n) { heard.push_back(n); }),
              std::optional<std::string>("XY"));
    EXPECT_EQ(heard.back(), 2u);
}

class SlowRadioTest : public SerialLinkTest {
  protected:
    SlowRadioTest() : SerialLinkTest(std::make_unique<SlowModel>()) {}
};

TEST_F(SlowRadioTest, AnswersAreWaitedForAndOnlyAZeroWaitEndsAtAPause) {
    SlkHandle h = open();
    link_.slkWriteChar(h, 'x');
    int c = 0;
    EXPECT_EQ(link_.slkReadChar(h, c), 0);  // the short wait is too short for a 300 ms answer
    EXPECT_EQ(readBuffer(h, 4, 0), "AB");
    EXPECT_EQ(clock_.now(), 300 + 30);  // woken when the answer came, ended by the pause
    clock_.advance(1000);               // let the rest of that answer pass by
    readBuffer(h, 8, 0);

    const Millis start = clock_.now();
    link_.slkWriteChar(h, 'x');
    EXPECT_EQ(readBuffer(h, 4, 2), "ABCD");
    EXPECT_EQ(clock_.now() - start, 800);  // woken by the count, not at the bound
    link_.slkWriteChar(h, 'x');
    EXPECT_EQ(readBuffer(h, 8, 2), "ABCD");
    EXPECT_EQ(clock_.now() - start, 800 + 3000);  // the whole read is bounded, not each gap
}

// A poll waits for the first byte only as long as it is told, however long the link's own
// first-byte wait; once bytes come it ends at its count or after the quiet gap.
TEST_F(SlowRadioTest, APollWaitsItsOwnTimeForTheFirstByte) {
    SlkHandle h = open();
    const struct {
        std::size_t count;
        Millis firstByteMs;
        std::string got;
        Millis took;
    } cases[] = {
        {4, 200, "", 200},    // the answer comes at 300 ms: too late
        {4, 500, "AB", 330},  // ended by the pause before "CD"
        {2, 500, "AB", 300},  // the count is in: no quiet gap
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " bytes, first within " << c.firstByteMs);
        clock_.advance(1000);  // let the last answer pass by
        readBuffer(h, 8, 0);
        const Millis start = clock_.now();
        link_.slkWriteChar(h, 'x');
        const auto read = link_.slkReadPoll(h, c.count, c.firstByteMs);
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), c.got);
        EXPECT_EQ(clock_.now() - start, c.took);
    }
}

}  // namespace
}  // namespace tw
