#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "config/profile.h"
#include "hln/hln_fixture.h"  // RefusingFactory: a line whose writes can be refused
#include "link/serial_link.h"
#include "sim/hdt/hdt_model.h"
#include "sim/sim_device.h"
#include "testtune/hdt_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw::testtune {

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
        refusing_ = std::make_unique<hln::RefusingFactory>(*factory_);
        serial_ = std::make_unique<SerialLink>(profile_, *refusing_, clock_, ui_);
        env_ = std::make_unique<Env>(Env{ui_, clock_, profile_, *serial_, app_});
        link_ = std::make_unique<CHdtLink>(*env_);
    }
    // Opens the port without the connect sequence.
    void attach() { link_->port().Attach(serial_->slkInit(3, CHdtLink::kBaud)); }
    // Every write from the next one on fails, the way a pulled cable fails them.
    void pullCableAfter(long bytes = 0) { refusing_->refuseAfter = refusing_->accepted + bytes; }

    sim::HdtModel& model() { return *model_; }
    std::string sentText() const { return {model_->received().begin(), model_->received().end()}; }

    std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() /
        (std::string("tw_hdt_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(dir_ / "novac4.ini").string()};
    AppState app_{.currentPort = 5};
    sim::HdtModel* model_ = nullptr;
    std::unique_ptr<sim::SimDeviceFactory> factory_;
    std::unique_ptr<hln::RefusingFactory> refusing_;
    std::unique_ptr<SerialLink> serial_;
    std::unique_ptr<Env> env_;
    std::unique_ptr<CHdtLink> link_;
};

}  // namespace tw::testtune
