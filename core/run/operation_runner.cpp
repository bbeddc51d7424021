#include "run/operation_runner.h"

namespace tw {

namespace {

class StandardThread : public WorkerThread {
  public:
    void start(std::function<void()> body) override { thread_ = std::thread(std::move(body)); }
    void join() override {
        if (thread_.joinable()) thread_.join();
    }

  private:
    std::thread thread_;
};

}  // namespace

std::unique_ptr<WorkerThread> standardWorkerThread() {
    return std::make_unique<StandardThread>();
}

OperationRunner::OperationRunner(UiThread& loop, std::unique_ptr<WorkerThread> thread)
    : loop_(loop), worker_(std::move(thread)) {
    worker_->start([this] { work(); });
}

OperationRunner::~OperationRunner() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        changed_.notify_all();
    }
    worker_->join();
}

bool OperationRunner::start(std::function<bool()> operation, std::function<void(bool)> finished) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (busy_ || stop_) return false;
    operation_ = std::move(operation);
    finished_ = std::move(finished);
    busy_ = true;
    changed_.notify_all();
    return true;
}

bool OperationRunner::running() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return busy_;
}

void OperationRunner::waitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void OperationRunner::work() {
    for (;;) {
        std::function<bool()> operation;
        std::function<void(bool)> finished;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || operation_; });
            if (!operation_) return;  // stopping with nothing left to do
            operation = std::move(operation_);
            finished = std::move(finished_);
            operation_ = nullptr;
            finished_ = nullptr;
        }
        const bool result = operation();
        // The window learns of the end only after the worker is free again, so the finished
        // handler may start the next operation at once.
        {
            std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
            changed_.notify_all();
        }
        if (finished) loop_.post([finished, result] { finished(result); });
    }
}

}  // namespace tw
