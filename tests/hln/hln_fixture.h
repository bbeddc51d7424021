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

namespace tw::hln {

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
    OpenResult open(const std::string& path, int baud) override {
        OpenResult r = inner_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
            return std::unique_ptr<Device>(new Line(std::move(*dev), *this));
        return r;
    }
    long refuseAfter = -1;  // bytes accepted before every write is refused (-1: never)
    long accepted = 0;
    int refusedAttempts = 0;

  private:
    struct Line : Device {
        Line(std::unique_ptr<Device> in, RefusingFactory& o) : inner(std::move(in)), owner(o) {}
        bool write(const std::uint8_t* data, std::size_t count) override {
            if (owner.refuseAfter >= 0 && owner.accepted >= owner.refuseAfter)
                return ++owner.refusedAttempts, false;
            owner.accepted += static_cast<long>(count);
            return inner->write(data, count);
        }
        std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
            return inner->read(b, max, wait);
        }
        bool sendBreak(int ms) override { return inner->sendBreak(ms); }
        bool setDtr(bool on) override { return inner->setDtr(on); }
        bool setRts(bool on) override { return inner->setRts(on); }
        std::unique_ptr<Device> inner;
        RefusingFactory& owner;
    };
    DeviceFactory& inner_;
};

// A simulated HLN radio on a virtual clock, a scripted technician and a link to the radio.
class HlnTest : public ::testing::Test {
  protected:
    HlnTest() {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        radio({});
    }
    ~HlnTest() override { std::filesystem::remove_all(dir_); }

    // Replaces the radio (its options as key=value pairs).
    void radio(const sim::ModelOptions& options) {
        link_.reset();
        env_.reset();
        serial_.reset();
        auto model = std::make_unique<TimedHlnRadio>(options);
        model_ = model.get();
        factory_ = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
        refusing_ = std::make_unique<RefusingFactory>(*factory_);
        serial_ = std::make_unique<SerialLink>(profile_, *refusing_, clock_, ui_);
        serial_->ports().setRunDevice("sim");
        env_ = std::make_unique<Env>(Env{ui_, clock_, profile_, *serial_, app_});
        link_ = std::make_unique<HlnLink>(*serial_, ui_);
    }
    TimedHlnRadio& model() { return *model_; }
    // What the PC sent as text (binary bytes kept as they are).
    std::string sentText() const { return {model_->received().begin(), model_->received().end()}; }

    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() /
        (std::string("tw_hln_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(dir_ / "novac4.ini").string()};
    AppState app_{.currentPort = 1};
    TimedHlnRadio* model_ = nullptr;
    std::unique_ptr<sim::SimDeviceFactory> factory_;
    std::unique_ptr<RefusingFactory> refusing_;
    std::unique_ptr<SerialLink> serial_;
    std::unique_ptr<Env> env_;
    std::unique_ptr<HlnLink> link_;
};

}  // namespace tw::hln
