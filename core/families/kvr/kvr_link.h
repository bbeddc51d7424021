#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "link/port_session.h"
#include "view/env.h"

namespace tw::kvr {

// The serial link of one KVR operation: opened on the application's current port, woken with
// the "U" handshake, then used for memory commands. The session closes the port on every
// exit. It tells the technician nothing; the page says what a fault means.
class KvrLink {
  public:
    explicit KvrLink(Env& env) : env_(env), port_(env.link) {}
    KvrLink(const KvrLink&) = delete;
    KvrLink& operator=(const KvrLink&) = delete;

    enum class Fault { InitialWriteFailed, NoHandshake };

    // Opens the current port; false when it cannot be opened.
    bool open();
    // Throws away what the radio sent while powering up, then sends wake bytes until it
    // answers, kWakeTries at most. Nothing when it answered; the link stays open either way.
    std::optional<Fault> handshake();

    bool send(const std::string& text);
    // What arrived of `count` characters (wait 0); nothing when the read itself failed.
    bool read(std::size_t count, std::string& out);
    void pause(int milliseconds) { port_.pause(milliseconds); }

    void close() { port_.close(); }
    bool isOpen() const { return port_.isOpen(); }
    // Throws away whatever the radio has sent that nobody asked for.
    void discardInput();

    static constexpr int kBaud = 9600;
    static constexpr int kWakeTries = 4;
    static constexpr char kWakeByte = 'U';
    static constexpr char kReadyByte = '>';

  private:
    Env& env_;
    PortSession port_;
};

// What the technician is told of a fault.
const char* faultMessage(KvrLink::Fault fault);

namespace messages {
inline constexpr const char* kPortNotOpen = "Comm port not open.";
inline constexpr const char* kPowerOn = "Power ON KVR Radio";
inline constexpr const char* kInitialWriteFailed = "Error on Initial Write.\nTurn off radio.";
inline constexpr const char* kNoHandshake =
    "No Radio Handshake.\nTurn off radio, check programming cable connection, and retry.";
}  // namespace messages

}  // namespace tw::kvr
