#pragma once

#include <QTimer>
#include <map>
#include <memory>

#include "clock/clock.h"
#include "testtune/page_timers.h"

namespace tw::app {

// The pages' timers as Qt timers of the window that shows the sheet. A timer that falls due
// while a handler or its message box runs waits for the handler to return (the host's rule).
class QtTimerHost : public testtune::PageTimerHost {
  public:
    explicit QtTimerHost(Clock& clock) : clock_(clock) {}
    ~QtTimerHost() override;

  protected:
    Millis now() const override { return clock_.now(); }
    void armed(const Key& key, const Timer& timer) override;
    void disarmed(const Key& key) override;

  private:
    Clock& clock_;
    std::map<Key, std::unique_ptr<QTimer>> qtimers_;
};

}  // namespace tw::app
