#include "sim/sim_device.h"

namespace tw::sim {

bool SimDevice::write(const std::uint8_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        model_.noteReceived(data[i]);
        model_.onByte(data[i], clock_.now());
        if (receivedIndex_++ == faults_.cancelAtReceived && faults_.cancel) faults_.cancel();
    }
    return true;
}

std::size_t SimDevice::takeReady(std::uint8_t* buffer, std::size_t max) {
    auto& out = model_.output();
    std::size_t n = 0;
    const Millis now = clock_.now();
    while (n < max && !out.empty() && out.front().readyAt <= now) {
        const std::uint8_t raw = out.front().byte;
        out.pop_front();
        model_.noteSent(raw);
        const long index = sentIndex_++;
        if (auto b = faults_.apply(raw, index)) buffer[n++] = *b;
        if (index == faults_.cancelAt && faults_.cancel) faults_.cancel();
    }
    return n;
}

std::size_t SimDevice::read(std::uint8_t* buffer, std::size_t max, Millis waitMs) {
    if (max == 0) return 0;
    const Millis deadline = clock_.now() + waitMs;
    for (;;) {
        if (std::size_t n = takeReady(buffer, max)) return n;
        if (faults_.chatter) {
            clock_.sleep(1);
            buffer[0] = Faults::kNoise;
            return 1;
        }
        auto& out = model_.output();
        if (out.empty() || out.front().readyAt > deadline) break;
        clock_.sleep(out.front().readyAt - clock_.now());
    }
    if (clock_.now() < deadline) clock_.sleep(deadline - clock_.now());
    return 0;
}

bool SimDevice::sendBreak(int durationMs) {
    model_.noteBreak();
    model_.onBreak(durationMs, clock_.now());
    clock_.sleep(durationMs);
    return true;
}

bool SimDevice::setDtr(bool on) {
    model_.onDtr(on, clock_.now());
    return true;
}

bool SimDevice::setRts(bool on) {
    if (rts_ && !on) model_.noteRtsDrop();
    rts_ = on;
    model_.onRts(on, clock_.now());
    return true;
}

OpenResult SimDeviceFactory::open(const std::string& path, int baud) {
    lastPath_ = path;
    lastBaud_ = baud;
    if (!failReason_.empty()) return OpenError{failReason_};
    ++opens_;
    model_->output().clear();
    model_->onOpen(clock_.now());
    return std::unique_ptr<Device>(
        new SimDevice(*model_, clock_, faults_, sentIndex_, receivedIndex_));
}

}  // namespace tw::sim
