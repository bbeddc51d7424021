#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "ui/ui.h"

namespace tw {

// The front end's event loop as a worker sees it: a posted task runs there, in the order
// posted. Posting never waits.
class UiThread {
  public:
    virtual ~UiThread() = default;
    virtual void post(std::function<void()> task) = 0;
    // Keeps serving posted tasks until `done` holds; called on the window's thread only.
    virtual void waitUntil(const std::function<bool()>& done) = 0;
};

// The Ui of flows that run on the radio worker. An act that needs the technician's answer
// (a message, a question, a file choice, a dialog) is carried out on the window's thread
// while the worker waits for it, so a flow still reads top to bottom; status texts,
// progress, the busy cursor and details are posted without waiting (a flash sets hundreds
// of texts). Everything keeps its order, since one queue carries it all. Called on the
// window's thread itself, every act goes straight through.
class ThreadedUi : public Ui {
  public:
    // Made on the window's thread, which it takes as the one that owns `target`.
    ThreadedUi(Ui& target, UiThread& loop);
    ~ThreadedUi() override;
    ThreadedUi(const ThreadedUi&) = delete;
    ThreadedUi& operator=(const ThreadedUi&) = delete;

    // Runs on the window's thread before each act that waits for an answer: the window
    // shows the page's current values first (the worker is waiting, so reading them is
    // safe).
    void setBeforeAnswer(std::function<void()> hook) { state_->beforeAnswer = std::move(hook); }
    // Runs on the worker at each status text the operation sets, where the page's data lives
    // while it runs: returns what the window then does to show the values of that moment (a
    // copy, since the worker goes on changing them). Set and cleared while no operation runs.
    void setStatusSnapshot(std::function<std::function<void()>()> take) {
        state_->statusSnapshot = std::move(take);
    }
    // The window is going away: a wait in progress and every later one end with the refusing
    // answer (No, Cancel, no file) without reaching the window. For good.
    void shutdown();

    // Called on the window's thread: runs `task` on the worker while the worker waits for an
    // answer (a dialog's button that talks to the radio, whose port is the worker's), the
    // window serving the worker's acts meanwhile. With no worker waiting it runs right here.
    void runOnWorker(std::function<void()> task);

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askRisky(const std::string& text) override;
    SaveAnswer askSaveEdits(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    bool runDialog(Dialog& dialog) override;
    void openStatus() override;
    void setStatusText(const std::string& text) override;
    void closeStatus() override;
    void progress(long done, long total) override;
    void beginBusy() override;
    void endBusy() override;
    void beep() override;
    void detail(const std::string& text) override;
    void holdCancel(bool held) override;

  private:
    // Shared with the posted tasks, which may outlive a wait that shutdown() ended.
    struct State {
        std::mutex mutex;
        std::condition_variable answered;
        bool closed = false;
        std::function<void()> beforeAnswer;
        std::function<std::function<void()>()> statusSnapshot;
        int waiting = 0;                   // the worker waits for an answer
        std::function<void()> workerTask;  // for the worker to run meanwhile
        bool workerTaskDone = false;
    };
    bool onUiThread() const { return std::this_thread::get_id() == uiThread_; }
    template <typename R>
    R ask(std::function<R(Ui&)> act, R refused);
    void tell(std::function<void(Ui&)> act);

    Ui& target_;
    UiThread& loop_;
    std::thread::id uiThread_;
    std::shared_ptr<State> state_;
};

}  // namespace tw
