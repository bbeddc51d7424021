#pragma once

#include <array>
#include <string>

#include "sim/radio_model.h"

namespace tw::sim {

// A KVR or ORBIT FTX radio on its programming cable. After power-up it listens for the wake
// byte "U" and answers ">" to the n-th one (option "wake", default 1); from then on it obeys
// eight-character memory commands "G" op count(2 hex) address(4 hex): op 4 sends the bytes as
// upper-case hexadecimal pairs, op 1 takes as many pairs and stores them.
//
// Options: wake=N, type=0..15 and band=0..15 (the first byte of the identification block,
// defaults 1 and 7), noise=N (bytes the radio babbles while powering up, default 0),
// forget=N (a fault: the radio takes writes to the tracking block but keeps only the first N
// bytes of each, so a write it did not keep can be told from one it did; default: keeps all).
class KvrRadioModel : public RadioModel {
  public:
    explicit KvrRadioModel(const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    bool midCommand() const override { return awake_ && (!command_.empty() || writeLeft_ > 0); }

    static constexpr std::size_t kMemorySize = 0x10000;
    static constexpr std::uint16_t kTrackingAddress = 0x17E0;
    static constexpr std::size_t kIdentificationSize = 68;

    std::array<std::uint8_t, kMemorySize>& memory() { return memory_; }
    int blocksWritten() const { return blocksWritten_; }

  private:
    void runCommand(Millis now);
    void takeWriteDigit(std::uint8_t c);

    std::array<std::uint8_t, kMemorySize> memory_{};
    int wakeAfter_;
    int noise_;
    int forget_;
    bool awake_ = false;
    int wakeSeen_ = 0;
    std::string command_;
    // A write in progress: where the next byte goes, how many are still due, and the high
    // digit of the pair being received (-1 when none).
    std::size_t writeAt_ = 0;
    std::size_t writeStart_ = 0;
    int writeLeft_ = 0;
    int highDigit_ = -1;
    int blocksWritten_ = 0;
};

// Two upper-case hexadecimal digits of a byte, as these radios send them.
std::string radioHexPair(std::uint8_t b);
// A digit as these radios parse it: -1 for anything but 0-9, A-F, a-f.
int radioHexDigit(std::uint8_t c);

}  // namespace tw::sim
