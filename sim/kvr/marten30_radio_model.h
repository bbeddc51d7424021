#pragma once

#include <array>
#include <string>

#include "sim/radio_model.h"

namespace tw::sim {

// A MARTEN 30 radio (portable or mobile) in programming mode. Commands:
//   "G0"                 answers ">" in programming mode
//   "G2"                 answers the 8-character identity and ">"
//   "G4" count(2) addr(4)  answers count bytes as hexadecimal pairs and ">"
//   "G1" count(2) addr(4)  takes count pairs, stores them, answers ">"
// The tracking area is radio memory 0x0200 to 0x03FF.
//
// Options: kind=portable|mobile, code=XX (radio code, "FF" means none), country=0..3,
// band=0..7, bits=0..3 (the two identity flags), mode=programming|normal,
// flaky=N (block N, 0..31, reads back differently every second time),
// stuck=N (writes to block N are not stored).
class Marten30RadioModel : public RadioModel {
  public:
    explicit Marten30RadioModel(const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    bool midCommand() const override { return !command_.empty() || writeCount_ > 0; }

    static constexpr std::uint16_t kAreaStart = 0x0200;
    static constexpr std::size_t kAreaSize = 512;
    static constexpr std::size_t kBlockSize = 16;

    std::array<std::uint8_t, 0x10000>& memory() { return memory_; }
    int blockReads() const { return blockReads_; }
    int blockWrites() const { return blockWrites_; }

  private:
    void runCommand(Millis now);
    std::string identity() const;
    int blockOf(std::size_t address) const;

    std::array<std::uint8_t, 0x10000> memory_{};
    bool portable_;
    std::string code_;
    int country_;
    int band_;
    int bits_;
    bool programming_;
    int flakyBlock_;
    int stuckBlock_;

    std::string command_;
    std::size_t writeAt_ = 0;
    std::size_t writeCount_ = 0;
    std::string writeData_;
    int flakyReads_ = 0;
    int blockReads_ = 0;
    int blockWrites_ = 0;
};

}  // namespace tw::sim
