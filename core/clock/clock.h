#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>

namespace tw {

// Milliseconds. Every pause and time-out in the core goes through a Clock so that tests
// can run a 50-second poll loop in microseconds and still count it exactly.
using Millis = std::int64_t;

class Clock {
  public:
    virtual ~Clock() = default;
    virtual Millis now() const = 0;
    virtual void sleep(Millis ms) = 0;
};

class SteadyClock : public Clock {
  public:
    Millis now() const override;
    void sleep(Millis ms) override;
};

// Time moves only when somebody sleeps or a simulated read times out.
//
// Worker threads (a streaming test's reader) may share the clock: a thread inside a
// WorkerScope never moves time itself. Its sleep blocks until the driving thread (the user
// interface) has moved time to its deadline, and the driver moves time in lockstep: before
// each move it waits until every worker is blocked in a sleep or gone, and it stops at each
// worker's deadline on the way. So a worker sees exactly the virtual time the user interface
// lets pass, and a read's time-out never expires early.
class VirtualClock : public Clock {
  public:
    Millis now() const override;
    void sleep(Millis ms) override;
    void advance(Millis ms) { sleep(ms); }

    // Marks the calling thread as a worker for the scope's life.
    class WorkerScope {
      public:
        explicit WorkerScope(Clock& clock);
        ~WorkerScope();
        WorkerScope(const WorkerScope&) = delete;
        WorkerScope& operator=(const WorkerScope&) = delete;

      private:
        VirtualClock* clock_;
    };

  private:
    void workerSleep(Millis ms, std::unique_lock<std::mutex>& lock);
    void driverSleep(Millis ms, std::unique_lock<std::mutex>& lock);

    mutable std::mutex mutex_;
    std::condition_variable moved_;    // time moved: workers look at their deadlines
    std::condition_variable blocked_;  // a worker blocked or left: the driver looks
    Millis now_ = 0;
    int workers_ = 0;
    std::multiset<Millis> deadlines_;  // of the workers blocked in a sleep
};

}  // namespace tw
