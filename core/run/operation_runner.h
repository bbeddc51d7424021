#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "run/threaded_ui.h"

namespace tw {

// The one long-lived worker that carries out radio work, one operation at a time. A serial
// port belongs to the thread that opened it, and a port may stay open from one operation to
// the next (test mode), so every operation runs on this same thread.
class OperationRunner {
  public:
    explicit OperationRunner(UiThread& loop);
    // Waits for the running operation (if any) to end, then stops the worker.
    ~OperationRunner();
    OperationRunner(const OperationRunner&) = delete;
    OperationRunner& operator=(const OperationRunner&) = delete;

    // Starts `operation` on the worker and posts `finished` with its result to the window's
    // thread when it ends. False (and nothing started) while another one runs.
    bool start(std::function<bool()> operation, std::function<void(bool)> finished);
    // True from start() until `finished` has been posted.
    bool running() const;
    // Blocks until no operation runs (for a window that closes, and for tests).
    void waitIdle();

  private:
    void work();

    UiThread& loop_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::function<bool()> operation_;
    std::function<void(bool)> finished_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread worker_;
};

}  // namespace tw
