#include "families/kvr/kvr_link.h"

#include "config/port_apply.h"

namespace tw::kvr {

namespace {
// A line that keeps chattering must not hold the flush forever; far more than any radio
// leaves behind between operations.
constexpr int kMaxStaleBytes = 65536;
constexpr Millis kMaxStaleMs = 1000;
}  // namespace

bool KvrLink::open() {
    close();
    handle_ = openOnCurrentPort(env_.link, env_.app.currentPort, kBaud);
    if (handle_ == kNoLink) {
        env_.ui.message(messages::kPortNotOpen);
        return false;
    }
    return true;
}

void KvrLink::discardInput() {
    int byte = 0;
    const Millis until = env_.clock.now() + kMaxStaleMs;
    for (int n = 0;
         n < kMaxStaleBytes && env_.clock.now() < until && env_.link.slkReadChar(handle_, byte);
         ++n) {
    }
}

bool KvrLink::handshake() {
    env_.ui.message(messages::kPowerOn);
    // Whatever the radio sent while powering up is no answer to our wake-up byte.
    discardInput();
    for (int round = 0; round < kWakeTries; ++round) {
        if (!env_.link.slkWriteChar(handle_, kWakeByte)) {
            env_.ui.message(messages::kInitialWriteFailed);
            close();
            return false;
        }
        int byte = 0;
        if (env_.link.slkReadChar(handle_, byte) && (byte & 0xFF) == kReadyByte) return true;
    }
    env_.ui.message(messages::kNoHandshake);
    close();
    return false;
}

bool KvrLink::openAndHandshake() {
    return open() && handshake();
}

bool KvrLink::send(const std::string& text) {
    return isOpen() && env_.link.slkWriteBuffer(handle_, text.data(), text.size()) != 0;
}

bool KvrLink::read(std::size_t count, std::string& out) {
    out.assign(count, '\0');
    unsigned long received = 0;
    if (!isOpen() || !env_.link.slkReadBuffer(handle_, out.data(), count, &received, 0)) {
        out.clear();
        return false;
    }
    out.resize(received);
    return true;
}

void KvrLink::close() {
    if (handle_ != kNoLink) env_.link.slkClose(handle_);
    handle_ = kNoLink;
}

}  // namespace tw::kvr
