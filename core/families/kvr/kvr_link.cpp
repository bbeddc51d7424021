#include "families/kvr/kvr_link.h"

#include <utility>

namespace tw::kvr {

namespace {
// A line that keeps chattering must not hold the flush forever; far more than any radio
// leaves behind between operations.
constexpr int kMaxStaleBytes = 65536;
constexpr Millis kMaxStaleMs = 1000;
}  // namespace

bool KvrLink::open() {
    return port_.open(env_.app.currentPort, kBaud);
}

void KvrLink::discardInput() {
    const Millis until = env_.clock.now() + kMaxStaleMs;
    for (int n = 0; n < kMaxStaleBytes && env_.clock.now() < until && port_.readByte(); ++n) {
    }
}

std::optional<KvrLink::Fault> KvrLink::handshake() {
    // Whatever the radio sent while powering up is no answer to our wake-up byte.
    discardInput();
    for (int round = 0; round < kWakeTries; ++round) {
        if (!port_.writeByte(kWakeByte)) return Fault::InitialWriteFailed;
        if (port_.readByte() == kReadyByte) return std::nullopt;
    }
    return Fault::NoHandshake;
}

bool KvrLink::send(const std::string& text) {
    return port_.write(text);
}

bool KvrLink::read(std::size_t count, std::string& out) {
    auto got = port_.readUpTo(count);
    out = got ? std::move(*got) : std::string();
    return got.has_value();
}

const char* faultMessage(KvrLink::Fault fault) {
    return fault == KvrLink::Fault::InitialWriteFailed ? messages::kInitialWriteFailed
                                                       : messages::kNoHandshake;
}

}  // namespace tw::kvr
