#pragma once

#include <cstdint>

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
class VirtualClock : public Clock {
  public:
    Millis now() const override { return now_; }
    void sleep(Millis ms) override {
        if (ms > 0) now_ += ms;
    }
    void advance(Millis ms) { sleep(ms); }

  private:
    Millis now_ = 0;
};

}  // namespace tw
