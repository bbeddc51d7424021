#include "sim/paced_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/loopback_model.h"

namespace tw::sim {
namespace {

constexpr Nanos kFrame9600 = 1'041'666;  // 10 bits at 9600 baud

class PacedLineTest : public ::testing::Test {
  protected:
    // Runs the line from event to event until it is idle; returns when each byte reached the PC.
    std::vector<Nanos> runToIdle(PacedLine& line) {
        std::vector<Nanos> times;
        while (auto t = line.nextEvent()) {
            std::vector<std::uint8_t> out;
            line.advance(*t, out);
            times.insert(times.end(), out.size(), *t);
            toPc.insert(toPc.end(), out.begin(), out.end());
        }
        return times;
    }

    LoopbackModel model{ModelOptions{{"burst", "9600"}}};
    Faults faults;
    std::vector<std::uint8_t> toPc;
};

TEST_F(PacedLineTest, EveryByteTakesItsFrameTimeEachWay) {
    PacedLine line(model, faults, PacedLine::byteTimeAt(9600));
    const std::uint8_t ab[] = {'a', 'b'};
    line.fromPc(ab, 2, 0);
    std::vector<std::uint8_t> out;
    line.advance(kFrame9600 - 1, out);
    EXPECT_TRUE(model.received().empty());  // the first frame is not through yet
    const std::vector<Nanos> times = runToIdle(line);
    EXPECT_EQ(model.received(), (std::vector<std::uint8_t>{'a', 'b'}));
    EXPECT_EQ(toPc, (std::vector<std::uint8_t>{'a', 'b'}));
    // The radio answers "a" on its first millisecond tick after "a" is through (2 ms); the
    // echo of "b" follows back to back.
    EXPECT_EQ(times, (std::vector<Nanos>{2'000'000 + kFrame9600, 2'000'000 + 2 * kFrame9600}));
}

TEST_F(PacedLineTest, AStreamKeepsTheWireRateAndALateReaderGetsAllThatIsDue) {
    PacedLine line(model, faults, PacedLine::byteTimeAt(9600));
    const std::uint8_t go = LoopbackModel::kBurstCommand;
    line.fromPc(&go, 1, 0);
    std::vector<std::uint8_t> out;
    line.advance(kFrame9600, out);  // the command arrives; the burst is queued
    line.advance(2'000'000 + 100 * kFrame9600 + kFrame9600 / 2, out);
    EXPECT_EQ(out.size(), 100u);
    const std::vector<Nanos> times = runToIdle(line);
    ASSERT_EQ(times.size(), 9500u);
    // 9600 bytes at 9600 baud are ten seconds on the wire, without drift.
    EXPECT_EQ(times.front(), 2'000'000 + 101 * kFrame9600);
    EXPECT_EQ(times.back(), 2'000'000 + 9600 * kFrame9600);
}

TEST_F(PacedLineTest, ANewSessionDeliversBytesInFlightAndDropsOldAnswers) {
    PacedLine line(model, faults, PacedLine::byteTimeAt(9600));
    const std::uint8_t xy[] = {'x', 'y'};
    line.fromPc(xy, 2, 0);
    std::vector<std::uint8_t> out;
    line.advance(kFrame9600, out);
    line.startSession();
    EXPECT_EQ(model.received(), (std::vector<std::uint8_t>{'x', 'y'}));
    EXPECT_TRUE(line.idle());
    EXPECT_FALSE(line.nextEvent());
}

TEST_F(PacedLineTest, UnpacedBytesPassAtOnceWithFaultsApplied) {
    ASSERT_TRUE(faults.parse("drop=2"));
    PacedLine line(model, faults, 0);
    const std::uint8_t abc[] = {'a', 'b', 'c'};
    line.fromPc(abc, 3, 5);
    std::vector<std::uint8_t> out;
    line.advance(5, out);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{'a', 'c'}));
    EXPECT_EQ(model.sent().size(), 3u);  // the radio did send the dropped byte
}

}  // namespace
}  // namespace tw::sim
