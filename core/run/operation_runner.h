#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "run/threaded_ui.h"

namespace tw {

// The thread the worker's loop runs on. A front end whose serial ports need a thread of its
// own kind (one with an event dispatcher) supplies it; the standard one is a std::thread.
class WorkerThread {
  public:
    virtual ~WorkerThread() = default;
    virtual void start(std::function<void()> body) = 0;
    virtual void join() = 0;
};
std::unique_ptr<WorkerThread> standardWorkerThread();

// The one long-lived worker that carries out radio work, one operation at a time. A serial
// port belongs to the thread that opened it, and a port may stay open from one operation to
// the next (test mode), so every operation runs on this same thread.
class OperationRunner {
  public:
    explicit OperationRunner(UiThread& loop,
                             std::unique_ptr<WorkerThread> thread = standardWorkerThread());
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
    std::unique_ptr<WorkerThread> worker_;
};

}  // namespace tw
