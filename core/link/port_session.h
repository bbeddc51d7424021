#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_link.h"

namespace tw {

// One port held for a piece of radio work. Whatever exit a flow takes, the port is closed
// when the session goes (or when it is opened again), so no path can leave it held. The
// protocols of every family speak through it; it knows nothing of radios and tells the
// technician nothing: each call says what happened, the caller decides what to show.
class PortSession {
  public:
    explicit PortSession(SerialLink& link) : link_(link) {}
    ~PortSession() { close(); }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Opens the given port (the one chosen for this run), closing what the session held.
    // False when it cannot be opened; the link's lastOpenError() says why.
    bool open(int port, int baud);
    // Opens the port saved in the profile's Comm Settings.
    bool openSaved(int baud);
    // Takes over a port already opened on the link.
    void adopt(SlkHandle handle);
    // Closes the port; false when nothing was open. Closing twice is harmless.
    bool close();

    bool isOpen() const { return handle_ != kNoLink; }
    SlkHandle handle() const { return handle_; }
    SerialLink& link() { return link_; }
    Clock& clock() { return link_.clock(); }

    // Sends all bytes; false when the session is closed or the line refused them.
    bool write(std::string_view bytes);
    bool write(const std::uint8_t* data, std::size_t count);
    bool write(const std::vector<std::uint8_t>& bytes) { return write(bytes.data(), bytes.size()); }
    bool writeByte(std::uint8_t byte);

    // One character, awaited the link's character wait; nothing when none came.
    std::optional<std::uint8_t> readByte();
    // Up to `count` bytes: as soon as they have all come, else when the line has been quiet
    // after a byte (wait 0) or when the first-byte wait plus `wait` seconds are over. What
    // came, possibly nothing; no value at all when the read itself failed. `arrived` hears
    // the bytes received so far whenever more have come.
    std::optional<std::string> readUpTo(std::size_t count, int wait = 0,
                                        const std::function<void(unsigned long)>& arrived = {});
    // Exactly `count` bytes, under the same waits; nothing when fewer came.
    std::optional<std::string> readExact(std::size_t count, int wait = 0);
    // A poll loop's read: the first byte awaited at most `firstByteMs`; nothing when nothing
    // came or the link failed, as a poll asks again either way.
    std::vector<std::uint8_t> poll(std::size_t count, Millis firstByteMs);

    bool sendBreak(int durationMs);
    bool setDtr(bool on);
    bool setRts(bool on);
    // A pause on the line (cut short once the operation is cancelled).
    void pause(int milliseconds);

    // The bytes that leave the radio safe should the operation be cancelled before it sends
    // its own undoing; see SerialLink::setFinishing.
    void setFinishing(std::string bytes);
    void clearFinishing();

  private:
    SerialLink& link_;
    SlkHandle handle_ = kNoLink;
};

}  // namespace tw
