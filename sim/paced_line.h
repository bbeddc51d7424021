#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "sim/faults.h"
#include "sim/radio_model.h"

namespace tw::sim {

// Nanoseconds on the real line.
using Nanos = std::int64_t;

// The wire between the PC and a radio model in real time: every byte takes its frame time
// (10 bits at 8N1) in each direction, so a 64-byte block written at 9600 baud reaches the
// radio 67 ms later and an 8192-byte answer takes its 8.5 s. A byte is handed over when its
// last bit is through, the way a UART presents it. A byte time of 0 turns pacing off.
class PacedLine {
  public:
    PacedLine(RadioModel& model, const Faults& faults, Nanos byteTime)
        : model_(model), faults_(faults), byteTime_(byteTime) {}

    static Nanos byteTimeAt(int baud) { return baud > 0 ? Nanos{10'000'000'000} / baud : 0; }

    // Bytes the PC wrote at `now`; they reach the model one frame apart, after those before.
    void fromPc(const std::uint8_t* data, std::size_t count, Nanos now);

    // Hands the model every PC byte that has arrived by `now` (with its own arrival time),
    // then appends to `toPc` the radio's bytes whose frames are complete by `now`, faults
    // applied.
    void advance(Nanos now, std::vector<std::uint8_t>& toPc);

    // When the next byte in either direction completes, or nothing while the line is idle.
    std::optional<Nanos> nextEvent() const;

    // The PC opened the port anew: bytes it wrote before are on the wire and still reach the
    // model at once, answers not yet read are lost with the old session.
    void startSession();

    bool idle() const { return inbound_.empty() && model_.output().empty(); }

  private:
    struct Inbound {
        std::uint8_t byte;
        Nanos arrives;
    };
    Nanos outboundDone() const;
    Millis modelTime(Nanos t) const;

    RadioModel& model_;
    const Faults& faults_;
    Nanos byteTime_;
    std::deque<Inbound> inbound_;
    Nanos inboundFree_ = 0;   // when the PC-to-radio wire finishes its last queued frame
    Nanos outboundFree_ = 0;  // when the radio-to-PC wire finished its last frame
    long sentIndex_ = 0;
};

}  // namespace tw::sim
