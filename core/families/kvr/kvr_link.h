#pragma once

#include <cstddef>
#include <string>

#include "view/env.h"

namespace tw::kvr {

// The serial link of one KVR operation: opened on the application's current port, woken with
// the "U" handshake, then used for memory commands. Closing is idempotent and the destructor
// closes whatever is still open, so no exit path leaves the port held.
class KvrLink {
  public:
    explicit KvrLink(Env& env) : env_(env) {}
    ~KvrLink() { close(); }
    KvrLink(const KvrLink&) = delete;
    KvrLink& operator=(const KvrLink&) = delete;

    // Opens the port and handshakes, reporting any failure; the link is closed on failure.
    bool openAndHandshake();
    bool open();
    bool handshake();

    bool send(const std::string& text);
    // What arrived of `count` characters (wait 0); nothing when the read itself failed.
    bool read(std::size_t count, std::string& out);

    void close();
    bool isOpen() const { return handle_ != kNoLink; }
    SlkHandle handle() const { return handle_; }
    // Throws away whatever the radio has sent that nobody asked for.
    void discardInput();

    static constexpr int kBaud = 9600;
    static constexpr int kWakeTries = 4;
    static constexpr char kWakeByte = 'U';
    static constexpr char kReadyByte = '>';

  private:
    Env& env_;
    SlkHandle handle_ = kNoLink;
};

namespace messages {
inline constexpr const char* kPortNotOpen = "Comm port not open.";
inline constexpr const char* kPowerOn = "Power ON KVR Radio";
inline constexpr const char* kInitialWriteFailed = "Error on Initial Write.\nTurn off radio.";
inline constexpr const char* kNoHandshake =
    "No Radio Handshake.\nTurn off radio, check programming cable connection, and retry.";
}  // namespace messages

}  // namespace tw::kvr
