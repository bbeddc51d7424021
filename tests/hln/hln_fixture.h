#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/profile.h"
#include "families/hln/hln_link.h"
#include "link/serial_link.h"
#include "sim/hln/hln_radio.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw {

// An HLN radio that also notes when each byte from the PC arrived.
class TimedHlnRadio : public sim::HlnRadio {
  public:
    using HlnRadio::HlnRadio;
    void onByte(std::uint8_t byte, Millis now) override {
        arrivals.push_back(now);
        HlnRadio::onByte(byte, now);
    }
    std::vector<Millis> arrivals;
};

// A line whose writes can be made to fail, counting every attempt.
class RefusingFactory : public DeviceFactory {
  public:
    explicit RefusingFactory(DeviceFactory& inner) : inner_(inner) {}
    OpenResult open(const std::string& path, int baud) override;
    long refuseAfter = -1;  // bytes accepted before every write is refused (-1: never)
    long accepted = 0;
    int refusedAttempts = 0;

  private:
    DeviceFactory& inner_;
};

// A simulated HLN radio on a virtual clock, a scripted technician and a link to the radio.
class HlnTest : public ::testing::Test {
  protected:
    HlnTest();
    ~HlnTest() override;

    // Replaces the radio (its options as key=value pairs).
    void radio(const sim::ModelOptions& options);
    TimedHlnRadio& model() { return *model_; }
    // Opens the port the way the personality transfer does.
    void openLink() { ASSERT_TRUE(link_->open()); }
    // What the PC sent as text (binary bytes kept as they are).
    std::string sentText() const;
    void clearTraffic() {
        model_->clearTraffic();
        model_->arrivals.clear();
    }

    std::filesystem::path dir_;
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_;
    AppState app_;
    TimedHlnRadio* model_ = nullptr;
    std::unique_ptr<sim::SimDeviceFactory> factory_;
    std::unique_ptr<RefusingFactory> refusing_;
    std::unique_ptr<SerialLink> serial_;
    std::unique_ptr<Env> env_;
    std::unique_ptr<HlnLink> link_;
};

}  // namespace tw
