#include "clock/clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tw {
namespace {

// The virtual clock a thread works for, when it is a worker of one.
thread_local const VirtualClock* tWorkerOf = nullptr;

}  // namespace

Millis SteadyClock::now() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::sleep(Millis ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Millis VirtualClock::now() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

void VirtualClock::sleep(Millis ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (ms <= 0) return;
    if (tWorkerOf == this)
        workerSleep(ms, lock);
    else
        driverSleep(ms, lock);
}

void VirtualClock::workerSleep(Millis ms, std::unique_lock<std::mutex>& lock) {
    const Millis deadline = now_ + ms;
    const auto it = deadlines_.insert(deadline);
    blocked_.notify_all();
    moved_.wait(lock, [&] { return now_ >= deadline; });
    deadlines_.erase(it);
}

void VirtualClock::driverSleep(Millis ms, std::unique_lock<std::mutex>& lock) {
    const Millis target = now_ + ms;
    for (;;) {
        // Every worker must have come to rest before time moves under it.
        blocked_.wait(lock, [&] { return static_cast<int>(deadlines_.size()) >= workers_; });
        if (now_ >= target) return;
        Millis next = target;
        for (const Millis d : deadlines_)
            if (d > now_) {
                next = std::min(next, d);
                break;
            }
        now_ = next;
        moved_.notify_all();
        // Give woken workers the chance to run before the next move.
        if (!deadlines_.empty() && *deadlines_.begin() <= now_)
            blocked_.wait(lock, [&] { return deadlines_.empty() || *deadlines_.begin() > now_; });
    }
}

VirtualClock::WorkerScope::WorkerScope(Clock& clock) : clock_(dynamic_cast<VirtualClock*>(&clock)) {
    if (!clock_) return;
    std::lock_guard<std::mutex> lock(clock_->mutex_);
    ++clock_->workers_;
    tWorkerOf = clock_;
}

VirtualClock::WorkerScope::~WorkerScope() {
    if (!clock_) return;
    std::lock_guard<std::mutex> lock(clock_->mutex_);
    --clock_->workers_;
    tWorkerOf = nullptr;
    clock_->blocked_.notify_all();
}

}  // namespace tw
