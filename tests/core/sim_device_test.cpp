#include "sim/sim_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/loopback_model.h"

namespace tw::sim {
namespace {

// Answers every byte twice: "A" after 300 ms, then "b" at once (queued behind the "A").
class LateModel : public RadioModel {
  public:
    void onOpen(Millis) override { ++opens; }
    void onByte(std::uint8_t, Millis now) override {
        sendByte('A', now, 300);
        sendByte('b', now);
    }
    int opens = 0;
};

std::unique_ptr<Device> openDevice(SimDeviceFactory& factory) {
    OpenResult r = factory.open("sim", 9600);
    auto* dev = std::get_if<std::unique_ptr<Device>>(&r);
    return dev ? std::move(*dev) : nullptr;
}

// Everything the loopback radio's burst of `burst` bytes delivers under the given fault.
std::vector<int> burstUnder(const std::string& fault, int burst = 9) {
    VirtualClock clock;
    SimDeviceFactory factory(
        std::make_unique<LoopbackModel>(ModelOptions{{"burst", std::to_string(burst)}}), clock);
    EXPECT_TRUE(factory.faults().parse(fault)) << fault;
    auto dev = openDevice(factory);
    const std::uint8_t go = LoopbackModel::kBurstCommand;
    dev->write(&go, 1);
    std::vector<int> got;
    std::uint8_t b = 0;
    while (dev->read(&b, 1, 50) == 1) got.push_back(b);
    return got;
}

TEST(SimFaultsTest, EachFaultShapesWhatReachesThePc) {
    EXPECT_EQ(burstUnder("drop=3"), (std::vector<int>{0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(burstUnder("garble=4"), (std::vector<int>{0, 1, 2, 0xFC, 4, 5, 6, 0xF8, 8}));
    EXPECT_EQ(burstUnder("wrong", 4), (std::vector<int>{1, 0, 3, 2}));
    EXPECT_EQ(burstUnder("hangup=5"), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(burstUnder("hangup=0"), std::vector<int>{});
    EXPECT_EQ(burstUnder("silent"), std::vector<int>{});
}

TEST(SimFaultsTest, MalformedSpecsAreRefused) {
    for (const char* fault : {"", "bogus", "drop=0", "drop=", "drop=2x", "garble=-1", "silent=1",
                              "hangup", "wrong=2"}) {
        Faults f;
        EXPECT_FALSE(f.parse(fault)) << fault;
    }
}

TEST(SimDeviceTest, WaitsCostVirtualTimeAndAnOpenMeetsAFreshRadioAndAQuietLine) {
    VirtualClock clock;
    auto owned = std::make_unique<LateModel>();
    LateModel& model = *owned;
    SimDeviceFactory factory(std::move(owned), clock);
    auto dev = openDevice(factory);
    const std::uint8_t x = 'x';
    dev->write(&x, 1);
    std::uint8_t buf[4] = {};
    EXPECT_EQ(dev->read(buf, 4, 100), 0u);  // the answer is not due yet
    EXPECT_EQ(clock.now(), 100);
    ASSERT_EQ(dev->read(buf, 4, 1000), 2u);  // woken when it is due, not at the bound
    EXPECT_EQ(clock.now(), 300);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 2), "Ab");  // no overtaking

    dev->write(&x, 1);
    dev.reset();
    dev = openDevice(factory);
    EXPECT_EQ(model.opens, 2);
    EXPECT_EQ(dev->read(buf, 4, 1000), 0u);  // the old session's answers are gone
    factory.failOpens("busy");
    OpenResult r = factory.open("sim", 9600);
    ASSERT_TRUE(std::holds_alternative<OpenError>(r));
    EXPECT_EQ(std::get<OpenError>(r).reason, "busy");
    EXPECT_EQ(model.opens, 2);
}

}  // namespace
}  // namespace tw::sim
