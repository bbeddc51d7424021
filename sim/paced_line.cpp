#include "sim/paced_line.h"

#include <algorithm>

namespace tw::sim {

namespace {
constexpr Nanos kNanosPerMilli = 1'000'000;
}

// The model keeps time in milliseconds. On a paced line it sees a byte on the first tick after
// the byte is through, so no answer can start before its question has ended.
Millis PacedLine::modelTime(Nanos t) const {
    return byteTime_ > 0 ? (t + kNanosPerMilli - 1) / kNanosPerMilli : t / kNanosPerMilli;
}

void PacedLine::fromPc(const std::uint8_t* data, std::size_t count, Nanos now) {
    for (std::size_t i = 0; i < count; ++i) {
        inboundFree_ = std::max(inboundFree_, now) + byteTime_;
        inbound_.push_back({data[i], inboundFree_});
    }
}

Nanos PacedLine::outboundDone() const {
    const Nanos ready = model_.output().front().readyAt * kNanosPerMilli;
    return std::max(ready, outboundFree_) + byteTime_;
}

void PacedLine::advance(Nanos now, std::vector<std::uint8_t>& toPc) {
    // Inbound first: an answer the model queues now may already be due below.
    while (!inbound_.empty() && inbound_.front().arrives <= now) {
        const Inbound in = inbound_.front();
        inbound_.pop_front();
        model_.noteReceived(in.byte);
        model_.onByte(in.byte, modelTime(in.arrives));
    }
    auto& out = model_.output();
    while (!out.empty()) {
        const Nanos done = outboundDone();
        if (done > now) break;
        const std::uint8_t raw = out.front().byte;
        out.pop_front();
        outboundFree_ = done;
        model_.noteSent(raw);
        if (auto b = faults_.apply(raw, sentIndex_++)) toPc.push_back(*b);
    }
}

std::optional<Nanos> PacedLine::nextEvent() const {
    std::optional<Nanos> next;
    if (!inbound_.empty()) next = inbound_.front().arrives;
    if (!model_.output().empty()) {
        const Nanos done = outboundDone();
        if (!next || done < *next) next = done;
    }
    return next;
}

void PacedLine::startSession() {
    for (const Inbound& in : inbound_) {
        model_.noteReceived(in.byte);
        model_.onByte(in.byte, modelTime(in.arrives));
    }
    inbound_.clear();
    model_.output().clear();
}

}  // namespace tw::sim
