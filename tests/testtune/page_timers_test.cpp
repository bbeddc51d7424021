#include "testtune/page_timers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace tw::testtune {
namespace {

class PageTimersTest : public ::testing::Test {
  protected:
    VirtualClock clock_;
    VirtualTimerHost host_{clock_};
    std::vector<std::string> fired_;
    int a_ = 0, b_ = 0;  // timer owners
    auto note(const std::string& what) {
        return [this, what] { fired_.push_back(what + "@" + std::to_string(clock_.now())); };
    }
};

TEST_F(PageTimersTest, DueTimersFireInTimeOrder) {
    host_.start(&a_, 1, 120000, false, note("a1"));
    host_.start(&b_, 2, 20000, false, note("b2"));
    host_.start(&a_, 20, 1000, true, note("a20"));
    host_.pass(3500);
    EXPECT_EQ(fired_, (std::vector<std::string>{"a20@1000", "a20@2000", "a20@3000"}));
    fired_.clear();
    host_.kill(&a_, 20);
    host_.pass(200000);
    EXPECT_EQ(fired_, (std::vector<std::string>{"b2@20000", "a1@120000"}));
    EXPECT_FALSE(host_.isArmed(&a_, 1));
}

TEST_F(PageTimersTest, ArmingAgainRestarts) {
    host_.start(&a_, 2, 20000, false, note("idle"));
    host_.pass(15000);
    host_.start(&a_, 2, 20000, false, note("idle"));
    host_.pass(15000);
    EXPECT_TRUE(fired_.empty());
    host_.pass(5000);
    EXPECT_EQ(fired_, (std::vector<std::string>{"idle@35000"}));
}

TEST_F(PageTimersTest, ATimerWaitsForTheHandlerAndNeverNests) {
    int depth = 0, deepest = 0;
    host_.start(&a_, 1, 10, true, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        // The handler's own pause (a message box, a command) lets time pass.
        host_.pass(50);
        --depth;
    });
    host_.enterHandler();
    host_.pass(100);  // due inside a handler: held
    EXPECT_EQ(deepest, 0);
    host_.leaveHandler();
    EXPECT_EQ(deepest, 1);
    host_.kill(&a_, 1);
}

TEST(VirtualClockTest, AWorkersSleepEndsOnlyWhenTheDriverMovesTime) {
    VirtualClock clock;
    std::atomic<bool> registered{false}, woke{false};
    Millis wokeAt = -1;
    std::thread worker([&] {
        VirtualClock::WorkerScope scope(clock);
        registered = true;
        clock.sleep(6000);
        wokeAt = clock.now();
        woke = true;
    });
    while (!registered) std::this_thread::yield();
    clock.sleep(5999);
    EXPECT_FALSE(woke.load());
    clock.sleep(5000);
    worker.join();
    EXPECT_EQ(wokeAt, 6000);
    EXPECT_EQ(clock.now(), 10999);
}

}  // namespace
}  // namespace tw::testtune
