#pragma once

#include <array>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::sim {

// A WLB or MARTEN 60P radio on its 1200-baud programming cable. Asleep after power-up, it
// wakes on 0x55 (after a line break when it needs one) and answers ">"; then it obeys
//   "G2"                    the identity: "21" (WLB) or "1D" (MARTEN 60P) and the version
//   "G4" count(2) addr(4)   count bytes as upper-case hexadecimal pairs, nothing more
//   "G1" count(2) addr(4)   takes 2 * count characters and stores them as pairs
//   "G9"                    reset: asleep again
// Memory holds the tracking values in the radio's own order (each squelch closing value
// before its opening value) and the band index at 0x000A.
//
// Options: kind=wlb|marten60p, version=XX (two characters, sent as they are), band=N,
// stuck=ADDR (writes to that byte are not kept), nonhex=ADDR and short=ADDR (a read that
// covers ADDR answers a non-digit for that byte, or one character too few), breaks=1 (wakes
// only after a break: in-process only, a pseudo-terminal carries none). Addresses in hex.
class CompactRadioModel : public RadioModel {
  public:
    CompactRadioModel(const std::string& family, const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    bool midCommand() const override { return awake_ && (!command_.empty() || writeChars_ > 0); }
    void onBreak(int durationMs, Millis now) override;

    static constexpr std::uint16_t kBandAddress = 0x000A;
    static constexpr std::uint16_t kLoggedAddress = 0x019A;

    std::array<std::uint8_t, 0x10000>& memory() { return memory_; }
    bool awake() const { return awake_; }
    int resets() const { return resets_; }
    // The characters of every write to 0x019A, as they came.
    const std::vector<std::string>& loggedWrites() const { return loggedWrites_; }

  private:
    void runCommand(Millis now);
    void storeWrite();
    bool covers(int address, std::size_t count) const;

    std::array<std::uint8_t, 0x10000> memory_{};
    bool wlb_;
    std::string version_;
    int stuck_, nonHex_, short_;
    bool needsBreak_;

    bool armed_ = false;
    bool awake_ = false;
    int resets_ = 0;
    std::string command_;
    std::size_t writeAt_ = 0;
    std::size_t writeChars_ = 0;
    std::string writeData_;
    std::vector<std::string> loggedWrites_;
};

}  // namespace tw::sim
