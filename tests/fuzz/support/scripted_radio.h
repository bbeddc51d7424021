#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/radio_model.h"

namespace tw::fuzz {

// A "radio" whose answers are the fuzzer's bytes. After every byte and every break from the
// PC it takes one control byte from its script: the low 7 bits are how many answer bytes
// follow, bit 7 says another control byte belongs to the same moment. Answers are ready at
// once; an exhausted script is a radio gone silent.
class ScriptedRadio : public sim::RadioModel {
  public:
    ScriptedRadio(const std::uint8_t* data, std::size_t size) : script_(data, data + size) {}
    void onByte(std::uint8_t byte, Millis now) override;
    void onBreak(int durationMs, Millis now) override;

  private:
    void answer(Millis now);
    std::vector<std::uint8_t> script_;
    std::size_t at_ = 0;
};

// Wraps a real radio and writes down what it answers in ScriptedRadio's form, so seeds for
// the radio targets come from the simulated radios themselves.
class RecordingRadio : public sim::RadioModel {
  public:
    // The script goes to `script`, which outlives the radio.
    RecordingRadio(std::unique_ptr<sim::RadioModel> inner,
                   std::shared_ptr<std::vector<std::uint8_t>> script)
        : inner_(std::move(inner)), script_(std::move(script)) {}
    void onOpen(Millis now) override;
    void onByte(std::uint8_t byte, Millis now) override;
    void onBreak(int durationMs, Millis now) override;
    void onDtr(bool on, Millis now) override { inner_->onDtr(on, now); }
    void onRts(bool on, Millis now) override { inner_->onRts(on, now); }

  private:
    void take();
    std::unique_ptr<sim::RadioModel> inner_;
    std::shared_ptr<std::vector<std::uint8_t>> script_;
};

// Writes `bytes` as file `name` under `folder` (created when missing).
void writeSeed(const std::string& folder, const std::string& name,
               const std::vector<std::uint8_t>& bytes);

}  // namespace tw::fuzz
