#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "clock/clock.h"

namespace tw::testtune {

// The window timers of the test pages: each page arms timers by id (1, 2, 10, 20), one-shot
// or repeating. A timer never fires inside a handler or the message box a handler shows:
// one that falls due then waits until the outermost handler has returned, and a timer's own
// handler is a handler too, so firing is never re-entrant. Arming an armed id restarts it.
class PageTimerHost {
  public:
    using Fire = std::function<void()>;
    virtual ~PageTimerHost() = default;

    void start(const void* owner, int id, Millis ms, bool repeating, Fire fire);
    void kill(const void* owner, int id);
    void killAll(const void* owner);
    bool isArmed(const void* owner, int id) const { return timers_.count({owner, id}) != 0; }

    // Handler bracket: the sheet calls these around every handler it runs.
    void enterHandler() { ++depth_; }
    void leaveHandler();
    bool inHandler() const { return depth_ > 0; }

  protected:
    using Key = std::pair<const void*, int>;
    struct Timer {
        Millis period = 0;
        Millis due = 0;
        bool repeating = false;
        Fire fire;
        unsigned long generation = 0;
    };
    // The host's clock source and scheduling, per front end.
    virtual Millis now() const = 0;
    virtual void armed(const Key& key, const Timer& timer) = 0;
    virtual void disarmed(const Key& key) = 0;

    // A timer fell due: runs it now, or once the current handler has returned.
    void due(const Key& key);
    const std::map<Key, Timer>& timers() const { return timers_; }

  private:
    void fire(const Key& key);

    std::map<Key, Timer> timers_;
    std::vector<Key> waiting_;
    int depth_ = 0;
    bool flushing_ = false;
    unsigned long generation_ = 0;
};

// Timers on the program's clock, fired when time is made to pass: the command line's
// "wait", and tests. Due timers fire in the order of their times.
class VirtualTimerHost : public PageTimerHost {
  public:
    explicit VirtualTimerHost(Clock& clock) : clock_(clock) {}

    // Lets `ms` pass on the clock, firing each timer as its time comes. `between` runs at
    // every stop on the way (the sheet applies a test dialog's changes there).
    void pass(Millis ms, const std::function<void()>& between = {});
    // The time of the next due timer, if any.
    bool nextDue(Millis& at) const;
    static constexpr Millis kBetweenSliceMs = 50;

  protected:
    Millis now() const override { return clock_.now(); }
    void armed(const Key&, const Timer&) override {}
    void disarmed(const Key&) override {}

  private:
    Clock& clock_;
};

}  // namespace tw::testtune
