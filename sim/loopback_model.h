#pragma once

#include "sim/radio_model.h"

namespace tw::sim {

// The simplest far end: a cable with its send and receive lines joined, plus one command for
// throughput figures. Byte 0x02 (STX) makes it stream `burst` bytes (option "burst", default
// 8192) counting up from 0; every other byte is echoed.
class LoopbackModel : public RadioModel {
  public:
    explicit LoopbackModel(const ModelOptions& options)
        : burst_(optionInt(options, "burst", 8192)) {}

    static constexpr std::uint8_t kBurstCommand = 0x02;

    void onByte(std::uint8_t byte, Millis now) override;

  private:
    int burst_;
};

}  // namespace tw::sim
