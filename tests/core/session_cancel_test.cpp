#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <functional>
#include <optional>

#include "link/serial_link.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

// A radio that thinks: "+" 100 ms after every byte, "!" ten seconds after.
class SlowThinker : public sim::RadioModel {
  public:
    void onByte(std::uint8_t, Millis now) override {
        send("+", now, 100);
        send("!", now, 10000);
    }
};

// One port session on a virtual clock; the line raises the cancel signal when told to.
struct Session {
    Session() {
        link.ports().setRunDevice("sim");
        link.setCancelSignal(&cancel);
        factory.faults().cancel = [this] {
            cancel.request();
            raisedAt = clock.now();
        };
    }
    std::string heard() {
        const auto& r = factory.model().received();
        return {r.begin(), r.end()};
    }

    VirtualClock clock;
    ScriptedUi ui;
    Profile profile{(std::filesystem::temp_directory_path() /
                     ("tw_session_cancel_" + std::to_string(::getpid()) + ".ini"))
                        .string()};
    sim::SimDeviceFactory factory{std::make_unique<SlowThinker>(), clock};
    SerialLink link{profile, factory, clock, ui};
    CancelSignal cancel;
    Millis raisedAt = -1;
};

TEST(SessionCancel, ACancelEndsTheWaitAndEveryLaterCallFailsAtOnce) {
    Session s;
    s.link.beginOperation();
    const SlkHandle h = s.link.slkInit(1, 9600);
    ASSERT_EQ(s.link.slkWriteChar(h, 'G'), 1);
    // Cancel is pressed as the "+" comes in; the read would otherwise wait its 5 s for more.
    s.factory.faults().cancelAt = 0;
    char buffer[4] = {};
    unsigned long received = 0;
    ASSERT_EQ(s.link.slkReadBuffer(h, buffer, 4, &received, 5), 1);
    EXPECT_EQ(received, 1u);
    ASSERT_TRUE(s.link.cancelled());
    EXPECT_GT(s.clock.now(), s.raisedAt);
    EXPECT_LE(s.clock.now() - s.raisedAt, SerialLink::kCancelPollMs);

    struct Call {
        const char* what;
        std::function<int()> call;
        int expected;
    };
    const Call calls[] = {
        {"write", [&] { return s.link.slkWriteBuffer(h, "G", 1); }, 0},
        {"write char", [&] { return s.link.slkWriteChar(h, 'G'); }, 0},
        {"read char",
         [&] {
             int c = 0;
             return s.link.slkReadChar(h, c);
         },
         0},
        // As on a line that hung up: the read succeeds and brings nothing.
        {"read buffer",
         [&] {
             unsigned long n = 99;
             return s.link.slkReadBuffer(h, buffer, 4, &n, 5) == 1 && n == 0 ? 1 : -1;
         },
         1},
        {"poll read",
         [&] {
             const auto read = s.link.slkReadPoll(h, 4, 1000);
             return read.ok && read.bytes.empty() ? 1 : -1;
         },
         1},
        {"break", [&] { return s.link.slkBreak(h, 300); }, 0},
        {"DTR", [&] { return s.link.slkSetDTR(h, 0); }, 0},
        {"RTS", [&] { return s.link.slkSetRTS(h, 0); }, 0},
        {"open", [&] { return s.link.slkInit(1, 9600) == kNoLink ? 0 : 1; }, 0},
        {"pause",
         [&] {
             s.link.slkSleep(h, 1000);
             return 0;
         },
         0},
    };
    for (const auto& c : calls) {
        const Millis before = s.clock.now();
        EXPECT_EQ(c.call(), c.expected) << c.what;
        EXPECT_EQ(s.clock.now(), before) << c.what << " waited";
    }
    EXPECT_EQ(s.heard(), "G");
    EXPECT_EQ(s.factory.model().breaks(), 0);
    EXPECT_EQ(s.factory.opens(), 1);
    EXPECT_TRUE(s.link.endOperation());
    EXPECT_FALSE(s.link.isOpen(h));
}

TEST(SessionCancel, WholeCommandsAndTheFinishingStep) {
    struct Case {
        const char* what;
        bool cancel;        // pressed before the command goes out
        bool whole;         // the command, a pause and its data in one WholeCommand
        bool finishing;     // "\x13" set as the finishing step
        bool cleared;       // and cleared again
        bool flowCloses;    // the flow closes the port itself, else it leaves it open
        bool openedBefore;  // the port was opened before the operation began
        const char* heard;
        Millis paused;  // the time the pause between command and data took
        bool cancelled;
        bool openAfter;
    };
    const Case cases[] = {
        {"no cancel", false, false, true, false, true, false, "G1ABGA", 10, false, false},
        {"no cancel, port kept", false, false, true, false, false, false, "G1ABGA", 10, false,
         true},
        {"cancel before a command", true, false, true, false, true, false, "\x13", 0, true, false},
        {"cancel waits for the data", true, true, true, false, true, false, "G1AB\x13", 10, true,
         false},
        {"finishing step cleared", true, true, true, true, true, false, "G1AB", 10, true, false},
        {"port left open is closed", true, false, true, false, false, false, "\x13", 0, true,
         false},
        {"port of an earlier operation", true, false, false, false, false, true, "", 0, true, true},
        {"earlier port with its finishing step due", true, false, true, false, false, true, "\x13",
         0, true, false},
    };
    for (const auto& c : cases) {
        Session s;
        SlkHandle h = kNoLink;
        if (c.openedBefore) h = s.link.slkInit(1, 9600);
        s.link.beginOperation();
        if (!c.openedBefore) h = s.link.slkInit(1, 9600);
        if (c.finishing) s.link.setFinishing(h, "\x13");
        if (c.cleared) s.link.clearFinishing(h);
        if (c.cancel) s.cancel.request();
        Millis paused = 0;
        {
            std::optional<SerialLink::WholeCommand> whole;
            if (c.whole) whole.emplace(s.link);
            s.link.slkWriteBuffer(h, "G1", 2);
            const Millis before = s.clock.now();
            s.link.slkSleep(h, 10);
            paused = s.clock.now() - before;
            s.link.slkWriteBuffer(h, "AB", 2);
        }
        s.link.slkWriteBuffer(h, "GA", 2);
        if (c.flowCloses) s.link.slkClose(h);
        EXPECT_EQ(s.link.endOperation(), c.cancelled) << c.what;
        EXPECT_EQ(s.heard(), c.heard) << c.what;
        EXPECT_EQ(paused, c.paused) << c.what;
        EXPECT_EQ(s.link.isOpen(h), c.openAfter) << c.what;
    }
}

}  // namespace
}  // namespace tw
