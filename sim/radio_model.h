#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "clock/clock.h"

namespace tw::sim {

// Options of a radio model as key=value pairs (for example "type=C", "wake=3").
using ModelOptions = std::map<std::string, std::string>;

int optionInt(const ModelOptions& options, const std::string& key, int fallback);
std::string optionText(const ModelOptions& options, const std::string& key,
                       const std::string& fallback);

// The radio's side of one family protocol. The device hands it every byte, break and line
// change from the PC; the model queues its answers, each ready at a time of its choosing.
class RadioModel {
  public:
    virtual ~RadioModel() = default;

    // The PC opened the port: the radio is freshly powered, waiting for the handshake.
    // Memory survives; protocol state does not.
    virtual void onOpen(Millis now) { (void)now; }
    virtual void onByte(std::uint8_t byte, Millis now) = 0;
    virtual void onBreak(int durationMs, Millis now) {
        (void)durationMs;
        (void)now;
    }
    virtual void onDtr(bool on, Millis now) {
        (void)on;
        (void)now;
    }
    virtual void onRts(bool on, Millis now) {
        (void)on;
        (void)now;
    }

    // Part of a command, or of the data a write command announced, has come and the rest has
    // not: the radio would take whatever the PC sends next as the remainder.
    virtual bool midCommand() const { return false; }
    // The PC has put the radio in a state that it must take it out of again before it lets
    // go of the radio (test mode, a keyed transmitter).
    virtual bool inServiceState() const { return false; }

    struct Pending {
        std::uint8_t byte;
        Millis readyAt;
    };
    std::deque<Pending>& output() { return output_; }

    // Everything that crossed the line, for tests: bytes from the PC and to the PC, and
    // counts of line events.
    const std::vector<std::uint8_t>& received() const { return received_; }
    const std::vector<std::uint8_t>& sent() const { return sent_; }
    int breaks() const { return breaks_; }
    int rtsDrops() const { return rtsDrops_; }
    void noteReceived(std::uint8_t b) { received_.push_back(b); }
    void noteSent(std::uint8_t b) { sent_.push_back(b); }
    void noteBreak() { ++breaks_; }
    void noteRtsDrop() { ++rtsDrops_; }
    void clearTraffic() {
        received_.clear();
        sent_.clear();
        breaks_ = 0;
        rtsDrops_ = 0;
    }

  protected:
    // Queue an answer that the PC can read from `now + delayMs` on.
    void send(const std::uint8_t* data, std::size_t count, Millis now, Millis delayMs = 0);
    void send(const std::string& text, Millis now, Millis delayMs = 0);
    void sendByte(std::uint8_t b, Millis now, Millis delayMs = 0) { send(&b, 1, now, delayMs); }

  private:
    std::deque<Pending> output_;
    std::vector<std::uint8_t> received_;
    std::vector<std::uint8_t> sent_;
    int breaks_ = 0;
    int rtsDrops_ = 0;
};

}  // namespace tw::sim
