#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "clock/clock.h"
#include "link/port_session.h"

namespace tw::testtune {

// The last reply of the interpreter: up to 50 bytes of one read, always NUL-terminated.
// count is -1 when the last transaction failed, 0 when nothing arrived.
struct HdtReply {
    static constexpr std::size_t kSize = 255;
    std::array<char, kSize> bytes{};
    int count = -1;

    void clear() { bytes.fill(0); }
    // What arrived, NULs included; empty after a failed or silent transaction.
    std::string_view text() const {
        return count > 0 ? std::string_view(bytes.data(), static_cast<std::size_t>(count))
                         : std::string_view();
    }
};

// The serial port of a test link: one port session and the single exchange primitive, a
// command line out and one read back.
class CHdtPort {
  public:
    explicit CHdtPort(SerialLink& link) : session_(link) {}
    virtual ~CHdtPort();
    CHdtPort(const CHdtPort&) = delete;
    CHdtPort& operator=(const CHdtPort&) = delete;

    void Attach(SlkHandle handle) { session_.adopt(handle); }
    // 1 when a port was closed, 0 when none was open.
    int Close() { return session_.close() ? 1 : 0; }
    bool isOpen() const { return session_.isOpen(); }
    SlkHandle handle() const { return session_.handle(); }
    SerialLink& link() { return session_.link(); }
    PortSession& session() { return session_; }

    // Writes `text` (nothing when empty: a pure read, for streamed replies), pauses, and reads
    // one reply of at most kReadSize bytes. False when the port is closed or the library
    // reports a failed write or read; a read that brought nothing still succeeds, count 0.
    bool Transact(std::string_view text, HdtReply& reply);

    static constexpr unsigned long kReadSize = 50;
    // The interpreter needs a moment to take a line before its reply is read.
    static constexpr int kAfterWritePauseMs = 20;

  private:
    PortSession session_;
};

}  // namespace tw::testtune
