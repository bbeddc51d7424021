#include "sim/tool/sim_loop.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace tw::sim {

namespace {

Nanos steadyNanos() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

constexpr Nanos kNanosPerMilli = 1'000'000;

}  // namespace

SimLoop::SimLoop(PtyPort& port, RadioModel& model, const Faults& faults, Settings settings,
                 Trace* trace)
    : port_(port),
      model_(model),
      line_(model, faults, settings.byteTime),
      settings_(settings),
      trace_(trace),
      start_(steadyNanos()),
      watching_(port.watch() >= 0) {
    if (!watching_) model_.onOpen(0);
}

Nanos SimLoop::now() const {
    return steadyNanos() - start_;
}

void SimLoop::onPortEvents() {
    for (int event : port_.drainWatch()) {
        lastActivity_ = now();
        if (event > 0 && ++clients_ == 1) {
            ++sessions_;
            line_.startSession();
            pending_.clear();
            port_.flushToPc();
            model_.onOpen(now() / kNanosPerMilli);
            if (trace_) trace_->event("port opened");
        } else if (event < 0 && clients_ > 0 && --clients_ == 0) {
            port_.restoreLine();
            if (trace_) trace_->event("port closed");
        }
    }
}

void SimLoop::readFromPc() {
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(port_.master(), buffer, sizeof buffer);
        if (n <= 0) break;
        const auto count = static_cast<std::size_t>(n);
        if (trace_) trace_->received(buffer, count);
        line_.fromPc(buffer, count, now());
        lastActivity_ = now();
    }
}

void SimLoop::writeToPc() {
    std::vector<std::uint8_t> due;
    line_.advance(now(), due);
    if (!due.empty()) lastActivity_ = now();
    // Look again just before writing: bytes of a session that ended meanwhile must not wait
    // in the queue for the program's next open.
    const long session = sessions_;
    onPortEvents();
    if (session != sessions_) due.clear();
    // Nobody has the port open: what the radio says now is lost on the cable.
    if (watching_ && clients_ == 0) {
        if (!due.empty() && trace_)
            trace_->event("lost " + std::to_string(due.size()) + " byte(s), port closed");
        return;
    }
    if (!due.empty() && trace_) trace_->sent(due.data(), due.size());
    pending_.insert(pending_.end(), due.begin(), due.end());
    while (!pending_.empty()) {
        const ssize_t n = ::write(port_.master(), pending_.data(), pending_.size());
        if (n <= 0) break;  // the PC's queue is full; wait for room
        pending_.erase(pending_.begin(), pending_.begin() + n);
    }
}

void SimLoop::run(volatile std::sig_atomic_t& stop, const sigset_t* waitMask) {
    while (!stop) {
        onPortEvents();
        readFromPc();
        writeToPc();

        Nanos t = now();
        std::optional<Nanos> wakeAt = line_.nextEvent();
        if (settings_.exitAfterIdle > 0 && line_.idle() && pending_.empty()) {
            const Nanos idleEnd = lastActivity_ + settings_.exitAfterIdle;
            if (idleEnd <= t) return;
            if (!wakeAt || idleEnd < *wakeAt) wakeAt = idleEnd;
        }
        pollfd fds[2] = {{port_.master(), POLLIN, 0}, {port_.watch(), POLLIN, 0}};
        if (!pending_.empty()) fds[0].events |= POLLOUT;
        timespec timeout{};
        timespec* wait = nullptr;
        if (wakeAt) {
            const Nanos d = *wakeAt > t ? *wakeAt - t : 0;
            timeout.tv_sec = static_cast<time_t>(d / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(d % 1'000'000'000);
            wait = &timeout;
        }
        const nfds_t count = port_.watch() >= 0 ? 2 : 1;
        if (::ppoll(fds, count, wait, waitMask) < 0 && errno != EINTR) return;
    }
}

}  // namespace tw::sim
