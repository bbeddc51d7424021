#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/profile.h"
#include "link/serial_link.h"
#include "sim/hdt/hdt_model.h"
#include "sim/sim_device.h"
#include "testtune/hdt_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw::testtune {

// A line to the simulated interpreter whose writes can be refused from the n-th one on, the
// way a pulled cable or a dead USB adapter fails them.
class BreakingFactory : public DeviceFactory {
  public:
    explicit BreakingFactory(DeviceFactory& inner) : inner_(inner) {}
    OpenResult open(const std::string& path, int baud) override {
        OpenResult r = inner_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
            return std::unique_ptr<Device>(new Line(std::move(*dev), *this));
        return r;
    }
    int refuseFromWrite = -1;  // writes counted from 1; -1: never
    int writes = 0;

  private:
    struct Line : Device {
        Line(std::unique_ptr<Device> in, BreakingFactory& o) : inner(std::move(in)), owner(o) {}
        bool write(const std::uint8_t* data, std::size_t count) override {
            ++owner.writes;
            if (owner.refuseFromWrite > 0 && owner.writes >= owner.refuseFromWrite) return false;
            return inner->write(data, count);
        }
        std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
            return inner->read(b, max, wait);
        }
        bool sendBreak(int ms) override { return inner->sendBreak(ms); }
        bool setDtr(bool on) override { return inner->setDtr(on); }
        bool setRts(bool on) override { return inner->setRts(on); }
        std::unique_ptr<Device> inner;
        BreakingFactory& owner;
    };
    DeviceFactory& inner_;
};

// The simulated interpreter on a virtual clock, a scripted technician and the program's
// environment; the profile names port 3, the application's current port is 5.
class HdtTest : public ::testing::Test {
  protected:
    HdtTest() {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        profile_.writeString(profile_keys::kCommSection, profile_keys::kPortNumber, "3");
        radio({});
    }
    ~HdtTest() override { std::filesystem::remove_all(dir_); }

    // Replaces the radio (model options as key=value pairs).
    void radio(const sim::ModelOptions& options) {
        link_.reset();
        env_.reset();
        serial_.reset();
        auto model = std::make_unique<sim::HdtModel>(options);
        model_ = model.get();
        factory_ = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
        breaking_ = std::make_unique<BreakingFactory>(*factory_);
        serial_ = std::make_unique<SerialLink>(profile_, *breaking_, clock_, ui_);
        env_ = std::make_unique<Env>(Env{ui_, clock_, profile_, *serial_, app_});
        link_ = std::make_unique<CHdtLink>(*env_);
    }
    // Opens the port without the connect sequence.
    void attach() { link_->port().Attach(serial_->slkInit(3, CHdtLink::kBaud)); }

    sim::HdtModel& model() { return *model_; }
    std::string sentText() const { return {model_->received().begin(), model_->received().end()}; }
    std::vector<std::string> lineTexts() const {
        std::vector<std::string> out;
        for (const auto& l : model_->lines()) out.push_back(l.text);
        return out;
    }

    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() /
        (std::string("tw_hdt_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(dir_ / "novac4.ini").string()};
    AppState app_{.currentPort = 5};
    sim::HdtModel* model_ = nullptr;
    std::unique_ptr<sim::SimDeviceFactory> factory_;
    std::unique_ptr<BreakingFactory> breaking_;
    std::unique_ptr<SerialLink> serial_;
    std::unique_ptr<Env> env_;
    std::unique_ptr<CHdtLink> link_;
};

}  // namespace tw::testtune
