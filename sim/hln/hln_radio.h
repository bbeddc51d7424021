#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/hln/hln_memory.h"
#include "sim/radio_model.h"

namespace tw::sim {

// An HLN-family radio in program mode (TRV, TRW, HLN, UKT, OKT, ZKT, ZLT, VNL, QLX, NOVAC
// 30P, Taiwan KVR). Options:
//   type=LETTER   the type letter it reports (A B C H I J K M T U V; default U)
//   id1=N         second byte of its ID (11 or 12: the VNL and QLX generation; default 10)
//   id2=N         third byte of its ID (over 19: a TRV that takes the preamble; default 2)
//   memory=FILE   its memory image at start (a file of exactly its type's image size)
//   serial=HEX    its 12-digit serial number
//   wake=N        answers the N-th wake byte with '>' (0: wake bytes are not enough)
//   breaks=N      wakes after N line breaks (0: breaks do not wake it)
//   rts=N         counts breaks only after N RTS pulses (the TRW interface reset)
//   bank, base, version, tracking, features, aux, featurecount: memory layout
//   stuck=ADDR    a memory cell that keeps its value when written
//   flaky=ADDR    a cell that reads differently on every second image read
//   testmode=0    refuses test mode
class HlnRadio : public RadioModel {
  public:
    explicit HlnRadio(const ModelOptions& options);

    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    void onBreak(int durationMs, Millis now) override;
    void onRts(bool on, Millis now) override;
    bool midCommand() const override { return !testMode_ && !pending_.empty(); }
    bool inServiceState() const override { return testMode_; }

    std::vector<std::uint8_t>& memory() { return memory_; }
    const HlnMemoryLayout& layout() const { return layout_; }
    bool awake() const { return awake_; }
    bool inTestMode() const { return testMode_; }

    // Image size of a type letter, 0 for a letter no radio of the family reports.
    static std::uint16_t imageSizeOf(char letter);

  private:
    void wakeUp(Millis now);
    void command(Millis now);
    void store(std::uint16_t address, std::uint8_t value);
    void sendMemory(std::uint16_t address, std::size_t count, Millis now);
    void sendImage(Millis now);
    void sendFeatureRecord(Millis now);
    std::uint16_t slotOffset(int slot) const;

    std::uint8_t id_[6];
    std::uint8_t serial_[6];
    int wakeBytes_, wakeBreaks_, rtsPulses_;
    int stuck_, flaky_;
    bool allowTestMode_;
    HlnMemoryLayout layout_;
    std::vector<std::uint8_t> memory_;

    // Protocol state of the session.
    bool awake_ = false;
    bool testMode_ = false;
    int wakesSeen_ = 0, breaksSeen_ = 0, pulsesSeen_ = 0;
    std::vector<std::uint8_t> pending_;  // command bytes collected so far
    int imageReads_ = 0;
};

}  // namespace tw::sim
