#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "link/port_session.h"

namespace tw {
class Ui;
}  // namespace tw

namespace tw::hln {

// Opens the port for an HLN operation on the session; false when it cannot be opened. The
// page opens the port chosen for this run; the personality transfer its own.
using HlnPortOpener = std::function<bool(PortSession&)>;

// The one serial connection of the HLN family: the port session the page, its test mode and
// the personality transfer share, and the last character received. Operations on it never
// open or close the port themselves, except the test-mode pair.
class HlnLink {
  public:
    HlnLink(SerialLink& serial, Ui& ui, HlnPortOpener opener = {});
    HlnLink(const HlnLink&) = delete;
    HlnLink& operator=(const HlnLink&) = delete;

    SerialLink& serial() { return serial_; }
    Ui& ui() { return ui_; }

    PortSession& port() { return port_; }
    bool isOpen() const { return port_.isOpen(); }
    // Opens the port with the opener and keeps the handle; false when it did not open.
    bool open();
    // Closes the port (if open) and forgets the handle.
    void close();

    // The last character received; a failed read leaves it as it was.
    int held() const { return held_; }
    std::uint8_t heldByte() const { return static_cast<std::uint8_t>(held_ & 0xFF); }
    void setHeld(int c) { held_ = c; }
    bool heldIsPrompt() const { return heldByte() == kPrompt; }

    // One read with the library's short wait; true when a character came.
    bool readChar();
    // Reads until nothing more is there.
    void flush();
    bool write(const std::uint8_t* data, std::size_t count);
    bool writeText(const char* text);
    bool writeChar(std::uint8_t byte);
    void pause(int ms);

    // The library's status window. A message box closes it first: every message shown
    // while it is open ends the operation that opened it.
    void openStatus();
    void setStatus(const std::string& text);
    void closeStatus();
    bool statusOpen() const { return statusOpen_; }
    void message(const std::string& text);

    static constexpr std::uint8_t kPrompt = '>';
    // The longest a flush reads before it gives up on a line that never falls quiet.
    static constexpr Millis kFlushLimitMs = 1000;

  private:
    SerialLink& serial_;
    Ui& ui_;
    HlnPortOpener opener_;
    PortSession port_;
    int held_ = 0;
    bool statusOpen_ = false;
};

// Keeps the status window open for a scope; every exit closes it.
class HlnStatusScope {
  public:
    explicit HlnStatusScope(HlnLink& link) : link_(link) { link_.openStatus(); }
    ~HlnStatusScope() { link_.closeStatus(); }
    HlnStatusScope(const HlnStatusScope&) = delete;
    HlnStatusScope& operator=(const HlnStatusScope&) = delete;

  private:
    HlnLink& link_;
};

// Waits for one character: a character already there is taken at once; otherwise the read
// is retried after 100 ms pauses, 500 reads in all or until 50 s have passed, whichever
// comes first. The character is in link.held().
bool HlnWaitChar(HlnLink& link);

// HlnWaitChar for `count` characters into `out`; reports "Read Timeout" on failure.
bool hlnReceive(HlnLink& link, std::uint8_t* out, std::size_t count);
// HlnWaitChar for the prompt or acknowledge character; reports "Read Timeout" on failure.
bool hlnReceivePrompt(HlnLink& link);

}  // namespace tw::hln
