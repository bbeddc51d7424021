#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "testtune/test_sheet.h"

namespace tw::testtune {

// The streaming tests: the radio sends an event per key press, knob position or volume
// setting until it is told to stop.
enum class StreamKind { Keypad, Knob, Volume };

// How a streaming test ended.
enum class StreamOutcome {
    Running,
    Done,        // stopped, ended by the radio, timed out, or silent for 6 s: it ran
    NotStarted,  // the start command could not be sent
    LinkLost,
};

// A change the worker asks the user-interface side to make.
struct StreamChange {
    enum class Kind { Toggle, Disable, Progress, Text, Message, Close, LinkLost };
    explicit StreamChange(Kind k, int control = 0, int number = 0, std::string words = {})
        : kind(k), id(control), value(number), text(std::move(words)) {}
    Kind kind;
    int id;
    int value;
    std::string text;
};

// Changes from the worker to the user-interface side, safe to share between the two.
class StreamChanges {
  public:
    void push(StreamChange change);
    std::deque<StreamChange> take();
    // Told (from the worker) after each push; the GUI queues a call to apply() with it.
    void setNotify(std::function<void()> notify);

  private:
    std::mutex mutex_;
    std::deque<StreamChange> changes_;
    std::function<void()> notify_;
};

// The modal dialog of one streaming test ("Keypad Test", "Rotary Knob Test ", "Volume Test
// Status") and the worker thread that reads the radio's events behind it. The worker owns
// the port while the dialog is up and touches nothing else: every change of the dialog, its
// messages and its close request reach the user-interface side through StreamChanges.
// Closing the dialog sets the abort flag and joins the worker before the dialog goes.
class CStreamTestDlg : public CTestDialog {
  public:
    CStreamTestDlg(CTestSheet& sheet, StreamKind kind, std::function<void(StreamOutcome)> closed);
    ~CStreamTestDlg() override;

    const std::string& title() const override { return title_; }
    const Controls& controls() const override { return controls_; }
    const std::string& prompt() const { return prompt_; }
    bool press(int id) override;
    void apply() override;
    void Close() override;
    bool closed() const override { return closed_; }
    StreamOutcome outcome() const { return outcome_.load(); }
    StreamChanges& changes() { return changes_; }
    // Events the worker took from the radio (keys, positions, settings), for measurements.
    int eventsHandled() const { return events_.load(); }
    // Distinct keys the keypad test saw.
    int keysSeen() const { return keysSeen_.load(); }

    // Starts the worker; the dialog's initialisation.
    void start();

    static constexpr Millis kTimeoutMs = 120000;
    static constexpr Millis kSilenceMs = 6000;
    static constexpr Millis kEndPauseMs = 100;
    // How long closing waits for the worker before it insists (clock time): one read's
    // wait, the pause and a drain are far less.
    static constexpr Millis kJoinBoundMs = 10000;
    static constexpr Millis kJoinPollMs = 10;

  private:
    void run();
    StreamOutcome keypad();
    StreamOutcome knob();
    StreamOutcome volume();
    StreamOutcome streamValues(HdtCommand command, const char* timedOut, const char* key,
                               std::size_t digits, const std::function<void(int)>& onValue);
    // What every loop does before a read: the overall time-out, then the abort flag. True
    // when the test must end (the radio has been told).
    bool ending(Millis start, const char* timeoutMessage);
    // The text of the last read after what the read before it left unfinished; an event cut
    // at the read's end (`key` and fewer than `width` characters, or a key press's lone "1")
    // is kept for the next.
    std::string joinedEvents(std::string_view key, std::size_t width);
    void keepStreamAfterPrompt();
    bool read();  // one pure read; false after a failed transaction (the link is lost)
    void endInRadio();
    void Drain();
    void post(StreamChange change) { changes_.push(std::move(change)); }
    void applyChange(const StreamChange& change);
    void finish();

    CTestSheet& sheet_;
    CHdtLink& link_;
    StreamKind kind_;
    std::string title_;
    std::string prompt_;
    Controls controls_;
    std::function<void(StreamOutcome)> closedHandler_;
    StreamChanges changes_;
    HdtReply reply_;  // the worker's own
    std::string carry_;
    std::thread worker_;
    std::atomic<bool> done_{true};
    std::atomic<int> events_{0};
    std::atomic<int> keysSeen_{0};
    std::atomic<StreamOutcome> outcome_{StreamOutcome::Running};
    bool closed_ = false;
    bool finished_ = false;
};

}  // namespace tw::testtune
