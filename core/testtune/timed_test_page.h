#pragma once

#include <vector>

#include "testtune/test_page.h"

namespace tw::testtune {

// A page's timed test as data: its Start buttons, what a radio that does not answer the
// resync leads to, how long the test may run and what the technician is told when it ran
// that long.
struct TimedTest {
    std::vector<int> starts;  // a page may offer more than one way in
    // Its wizard buttons are also those a failed set-up leaves; a page that leaves them
    // untouched then holds the wizard only once its test runs.
    ResyncFailure lost;
    int stopButtons = kWizBackNext;  // the wizard buttons after Stop
    Millis timeoutMs = kTestTimeoutMs;
    const char* timedOut = "";  // told once the test was stopped at its time-out
    int timer = kTimeoutTimer;
    // Stop sends "cmd 74 0" even when the page unkeyed on its own before.
    bool unkeyAlways = false;
};

// A page whose test runs from a Start button until Stop or its time-out. The sequence every
// such test follows lives here; the page adds its set-up, what it shows while the test runs
// and its finishing sequence. Stop unkeys the transmitter after the page's finishing
// sequence, whatever that did, and a failed set-up unkeys it too: no page leaves it keyed.
class CTimedTestPage : public CTestPage {
  public:
    CTimedTestPage(CTestSheet& sheet, std::string title, TimedTest test);
    bool OnCommand(int id) final;
    void OnTimer(int id) final;
    void OnStop() final;
    const TimedTest& timedTest() const { return test_; }

  protected:
    // The radio set-up after the resync for Start button `id`; false when it failed, with
    // its message shown.
    virtual bool setUp(int id) = 0;
    // The test runs: the page's own controls (the Start buttons and Stop are the base's).
    virtual void showRunning(int id) { (void)id; }
    // Radio work once the time-out is armed and the wizard held.
    virtual void beginTest(int id) { (void)id; }
    // The page's finishing sequence while its test runs, before the unkey; false when a
    // step of it failed.
    virtual bool finish() { return true; }
    // Every Stop ends here; `finished` is false when the finishing sequence or the unkey
    // failed.
    virtual void stopped(bool finished) { (void)finished; }
    virtual bool OnOtherCommand(int id) {
        (void)id;
        return false;
    }
    virtual void OnOtherTimer(int id) { (void)id; }

  private:
    void start(int id);

    TimedTest test_;
};

}  // namespace tw::testtune
