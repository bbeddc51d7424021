// The radio worker and the Ui it talks through: acts carried to the window's thread in
// order, answers waited for, cancel taking effect at the next call with the radio left safe.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "link/serial_link.h"
#include "run/operation_runner.h"
#include "run/radio_operation.h"
#include "run/threaded_ui.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

// The window's event loop: tasks posted from the worker run on the test's own thread.
class TaskQueue : public UiThread {
  public:
    void post(std::function<void()> task) override {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
        posted_.notify_all();
    }
    // Runs posted tasks until `done` holds after one of them.
    void waitUntil(const std::function<bool()>& done) override {
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                posted_.wait(lock, [this] { return !tasks_.empty(); });
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

// A ScriptedUi that also notes on which thread each act arrived.
class WindowUi : public ScriptedUi {
  public:
    std::thread::id window = std::this_thread::get_id();
    bool offThread = false;
    std::function<void(const std::string&)> onQuestion;

    std::function<bool(Dialog&)> onRunDialog;
    bool runDialog(Dialog& dialog) override {
        note();
        return onRunDialog ? onRunDialog(dialog) : ScriptedUi::runDialog(dialog);
    }
    bool askYesNo(const std::string& text) override {
        note();
        if (onQuestion) onQuestion(text);
        return ScriptedUi::askYesNo(text);
    }
    void message(const std::string& text) override {
        note();
        ScriptedUi::message(text);
    }
    void setStatusText(const std::string& text) override {
        note();
        ScriptedUi::setStatusText(text);
    }
    void progress(long done, long total) override {
        note();
        ScriptedUi::progress(done, total);
    }

  private:
    void note() { offThread |= std::this_thread::get_id() != window; }
};

struct Bench {
    TaskQueue loop;
    WindowUi window;
    ThreadedUi threaded{window, loop};
    VirtualClock clock;
    sim::SimDeviceFactory devices{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}), clock};
    Profile profile{(std::filesystem::temp_directory_path() / "tw_runner_test.ini").string()};
    SerialLink link{profile, devices, clock, guard};
    CancellableUi guard{threaded, link};
    CancelSignal cancel;
    OperationRunner runner{loop};

    Bench() { link.ports().setRunDevice("sim"); }

    // Runs `op` on the worker as one radio operation and the window's loop until it ended.
    bool run(RadioWork work, std::function<bool()> op) {
        bool ended = false, result = false;
        EXPECT_TRUE(
            runner.start([&] { return runRadioOperation(link, cancel, threaded, work, op).ok; },
                         [&](bool ok) {
                             ended = true;
                             result = ok;
                         }));
        loop.waitUntil([&] { return ended; });
        return result;
    }
};

TEST(Runner, ActsReachTheWindowThreadInOrderAndAnswersComeBack) {
    Bench b;
    b.window.answers = {true, false};
    std::vector<std::string> seenBeforeAnswer;
    b.threaded.setBeforeAnswer([&] { seenBeforeAnswer.push_back(b.window.statusTexts().back()); });
    std::vector<bool> answers;
    const bool ok = b.run(RadioWork::Read, [&] {
        b.guard.openStatus();
        b.guard.setStatusText("one");
        b.guard.progress(1, 2);
        answers.push_back(b.guard.askYesNo("first?"));
        b.guard.setStatusText("two");
        answers.push_back(b.guard.askYesNo("second?"));
        b.guard.message("done");
        b.guard.closeStatus();
        return true;
    });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(b.window.offThread);
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    EXPECT_EQ(b.window.messages(), (std::vector<std::string>{"first?", "second?", "done"}));
    // Status texts posted without waiting still arrive before the next question.
    EXPECT_EQ(seenBeforeAnswer, (std::vector<std::string>{"one", "two", "two"}));
    EXPECT_EQ(b.window.progressMarks(), (std::vector<std::pair<long, long>>{{1, 2}}));
    EXPECT_FALSE(b.window.statusOpen());
}

// The window shows each status text with the values the operation held as it set the text,
// copied on the worker: the window never reads the operation's data while it runs.
TEST(Runner, EachStatusTextCarriesTheValuesOfItsMoment) {
    Bench b;
    int value = 0;  // the operation's data
    std::vector<std::pair<int, std::string>> shown;
    b.threaded.setStatusSnapshot([&]() -> std::function<void()> {
        EXPECT_NE(std::this_thread::get_id(), b.window.window);
        return [&shown, &b, copy = value] {
            shown.emplace_back(copy, b.window.statusTexts().empty()
                                         ? std::string()
                                         : b.window.statusTexts().back());
        };
    });
    ASSERT_TRUE(b.run(RadioWork::Read, [&] {
        b.guard.openStatus();
        for (value = 1; value <= 3; ++value) b.guard.setStatusText("step " + std::to_string(value));
        b.guard.closeStatus();
        return true;
    }));
    // The values come first, then the text they belong with.
    EXPECT_EQ(shown,
              (std::vector<std::pair<int, std::string>>{{1, ""}, {2, "step 1"}, {3, "step 2"}}));
    EXPECT_EQ(b.window.statusTexts().back(), "step 3");
}

TEST(Runner, OneOperationAtATimeAndTheWindowMayStartTheNextWhenOneEnds) {
    Bench b;
    std::mutex gate;
    std::unique_lock<std::mutex> held(gate);
    bool firstEnded = false, secondStarted = false;
    ASSERT_TRUE(b.runner.start(
        [&] {
            std::lock_guard<std::mutex> wait(gate);
            return true;
        },
        [&](bool) {
            firstEnded = true;
            secondStarted = b.runner.start([] { return false; }, nullptr);
        }));
    EXPECT_TRUE(b.runner.running());
    EXPECT_FALSE(b.runner.start([] { return true; }, nullptr));
    held.unlock();
    b.loop.waitUntil([&] { return firstEnded; });
    EXPECT_TRUE(secondStarted);
    b.runner.waitIdle();
    EXPECT_FALSE(b.runner.running());
}

// A dialog's button that talks to the radio (Write To Radio) presses on the worker, where the
// operation's port lives, while the dialog stays on the window; what the press shows still
// reaches the window. Without a waiting worker the press runs where it is.
TEST(Runner, ADialogsButtonPressesOnTheWorker) {
    Bench b;
    struct Writer : Dialog {
        std::string kind() const override { return "Writer"; }
    } dialog;
    std::thread::id pressedOn;
    b.window.onRunDialog = [&](Dialog&) {
        b.threaded.runOnWorker([&] {
            pressedOn = std::this_thread::get_id();
            b.guard.message("Initial data written.");
        });
        return true;
    };
    std::thread::id worker;
    const bool ok = b.run(RadioWork::Write, [&] {
        worker = std::this_thread::get_id();
        return b.guard.runDialog(dialog);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(pressedOn, worker);
    EXPECT_EQ(b.window.messages(), std::vector<std::string>{"Initial data written."});
    EXPECT_FALSE(b.window.offThread);

    bool ranHere = false;
    b.threaded.runOnWorker([&] { ranHere = std::this_thread::get_id() == b.window.window; });
    EXPECT_TRUE(ranHere);
}

TEST(Runner, ShutdownEndsAWaitForAnAnswerWithTheRefusingOne) {
    Bench b;
    bool answer = true;
    ASSERT_TRUE(b.runner.start(
        [&] {
            answer = b.guard.askYesNo("never answered");
            return answer;
        },
        nullptr));
    // The question is posted but the window's loop never runs it: the window is closing.
    b.threaded.shutdown();
    b.runner.waitIdle();
    EXPECT_FALSE(answer);
    EXPECT_TRUE(b.window.messages().empty());
}

// The technician presses Cancel while a question of the operation is open: the next call of
// the operation fails as on a hung-up line, its own failure message is kept back, the
// finishing bytes go out and the port it left open is closed, and one notice says what the
// radio may hold.
TEST(Runner, CancelTakesEffectAtTheNextCallAndLeavesTheRadioSafe) {
    const struct {
        RadioWork work;
        bool cancel;
        std::vector<std::string> shown;
        std::string radioGot;  // what reached the far end
    } cases[] = {
        {RadioWork::Write, true, {"go on?", cancelNotice(RadioWork::Write)}, "GF\x13"},
        {RadioWork::Flash, true, {"go on?", cancelNotice(RadioWork::Flash)}, "GF\x13"},
        {RadioWork::Write, false, {"go on?"}, "GFAB"},
    };
    for (const auto& c : cases) {
        Bench b;
        b.window.onQuestion = [&](const std::string&) {
            if (c.cancel) b.cancel.request();
        };
        bool wrote = false;
        const bool ok = b.run(c.work, [&] {
            const SlkHandle h = b.link.slkInit(1, 9600);
            if (h == kNoLink || !b.link.slkWriteBuffer(h, "GF", 2)) return false;
            b.link.setFinishing(h, "\x13");
            if (!b.guard.askYesNo("go on?")) return false;
            wrote = b.link.slkWriteBuffer(h, "AB", 2) != 0;
            if (!wrote) {
                b.guard.message("Unable to write.");
                return false;  // the port is left open on purpose
            }
            b.link.clearFinishing(h);
            return true;
        });
        EXPECT_EQ(ok, !c.cancel);
        EXPECT_EQ(wrote, !c.cancel);
        EXPECT_EQ(b.window.messages(), c.shown);
        const auto& got = b.devices.model().received();
        EXPECT_EQ(std::string(got.begin(), got.end()), c.radioGot);
        EXPECT_FALSE(b.link.cancelled());
    }
}

}  // namespace
}  // namespace tw
