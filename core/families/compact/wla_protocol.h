#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/port_session.h"
#include "view/env.h"
#include "view/shared_messages.h"

namespace tw::compact {

// WLA radios talk raw bytes at 9600 baud. After power-on they wait for one wake byte and
// answer ">" and a mode letter: "G" in programming mode (tracking data), "F" in flash mode
// (program code), which they enter when DTR is low as they power up.
inline constexpr int kWlaBaud = 9600;
inline constexpr std::uint8_t kWakeByte = 0x55;

enum class WlaMode { Programming, Flash };

// The 21-byte tracking record at radio address 0x50, as the radio and a ".tk4" file hold it.
inline constexpr std::size_t kWlaRecordSize = 21;
inline constexpr std::uint32_t kTrackingAddress = 0x50;
using WlaRecord = std::array<std::uint8_t, kWlaRecordSize>;

// Flash blocks: 64 bytes each from 0x2000 up to the block at 0xF740, 862 in all.
inline constexpr std::uint32_t kFirstFlashBlock = 0x2000;
inline constexpr std::uint32_t kLastFlashBlock = 0xF740;
inline constexpr std::size_t kFlashBlockSize = 64;
inline constexpr std::size_t kFlashBlockCount =
    (kLastFlashBlock - kFirstFlashBlock) / kFlashBlockSize + 1;
inline constexpr std::size_t kFlashBlockCommandSize = 73;
// The code read-back: the radio sends 64000 bytes from address 0, then its check byte.
inline constexpr std::size_t kCodeReadSize = 64000;

// What the identification answer says. The answer is up to 20 bytes; byte 0 is the radio type
// number, byte 3 the configuration (bit 0: 40 W; taken as a signed number, twice the band).
struct WlaIdentity {
    int radioType = 0;
    bool fortyWatts = false;
    int band = 0;  // 0..4, see kWlaBandNames
};
inline constexpr std::size_t kIdentityMax = 20;
inline constexpr std::size_t kIdentityMin = 4;  // up to the configuration byte
inline constexpr const char* kWlaBandNames[] = {"VHF-LOW", "VHF-HIGH", "UHF-LOW", "UHF-MID",
                                                "UHF-HIGH"};

// Commands as they go on the wire.
std::vector<std::uint8_t> readTrackingCommand();
std::vector<std::uint8_t> writeTrackingHead();
std::vector<std::uint8_t> flashBlockCommand(std::uint32_t address, const std::uint8_t* data);

// The identity a configuration byte and type number give; nothing when the radio is no WLA
// (`problem` then holds the message to show).
std::optional<WlaIdentity> decodeIdentity(const std::uint8_t* answer, std::size_t count,
                                          std::string& problem);

// One operation's link to a WLA radio, on the port saved in the profile. The session closes
// the port on every exit, so a failure path that forgets cannot leave it held. It tells the
// technician nothing: the page says what went wrong.
class WlaLink {
  public:
    explicit WlaLink(Env& env) : port_(env.link) {}
    WlaLink(const WlaLink&) = delete;
    WlaLink& operator=(const WlaLink&) = delete;

    // Opens the port, with DTR low for flash mode so that the radio enters it as it powers
    // up. False when the port cannot be opened.
    bool open(WlaMode mode);

    struct Connection {
        std::optional<WlaIdentity> identity;
        // Why the radio was not taken, in the technician's words; empty when it did not
        // answer as a radio does at all.
        std::string problem;
    };
    // Once the radio has been power-cycled: wakes it, checks that it is in `mode` and
    // identifies it. The link stays open either way.
    Connection WlaConnect(WlaMode mode);

    bool send(const std::vector<std::uint8_t>& bytes) { return port_.write(bytes); }
    bool sendByte(std::uint8_t byte) { return port_.writeByte(byte); }
    // Up to `count` bytes; false when the link failed. `wait` as the serial library takes it.
    bool read(std::size_t count, std::vector<std::uint8_t>& out, int wait = 0);
    // The same, telling `arrived` the bytes received so far each time more have come.
    bool read(std::size_t count, std::vector<std::uint8_t>& out, int wait,
              const std::function<void(unsigned long)>& arrived);
    // A poll's read: up to `count` bytes, the first awaited at most `firstByteMs`, ended as
    // soon as `count` have come or the line has gone quiet. Nothing when nothing came or the
    // link failed: a poll asks again either way.
    std::vector<std::uint8_t> poll(std::size_t count, Millis firstByteMs) {
        return port_.poll(count, firstByteMs);
    }
    void pause(int milliseconds) { port_.pause(milliseconds); }
    // The link's clock, for loops that keep their own pace.
    Millis now() { return port_.clock().now(); }
    void close() { port_.close(); }
    bool open() const { return port_.isOpen(); }

  private:
    PortSession port_;
};

namespace messages {
inline constexpr const char* kPortNotOpenedOrBusy = "Comm Port not opened or busy.";
inline constexpr const char* kPowerCycleFlash = "Power cycle radio to place in flashing mode.";
inline constexpr const char* kPowerCycleProgramming =
    "Power cycle radio to place in progamming mode.";
inline constexpr const char* kUnknownMode = "Radio in Unknown Mode!\n";
using shared_text::kInvalidBandSplit;
using shared_text::kWrongRadioType;
}  // namespace messages

}  // namespace tw::compact
