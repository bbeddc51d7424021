#pragma once

#include <memory>
#include <string>

#include "app/app_options.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "link/serial_link.h"
#include "link/trace.h"
#include "view/env.h"
#include "view/main_view.h"

namespace tw::app {

class SimulatedRadios;

// Everything one run of the program holds apart from its widgets: the profile, the clock, the
// serial link over real or simulated devices, the current port and the main view with its
// seven pages.
class Session {
  public:
    Session(const AppOptions& options, Ui& ui);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Empty when the session is usable; else why not (a trace file that cannot be written).
    const std::string& error() const { return error_; }

    Env& env() { return env_; }
    MainView& view() { return *view_; }
    Profile& profile() { return profile_; }
    SerialLink& link() { return link_; }
    AppState& app() { return app_; }
    SimulatedRadios* simulated() { return simulated_; }

    // Keeps the simulated radio in step with the selected tab.
    void tabSelected(int tab);

  private:
    Profile profile_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<DeviceFactory> devices_;
    SimulatedRadios* simulated_ = nullptr;
    SerialLink link_;
    AppState app_;
    Env env_;
    std::unique_ptr<Trace> trace_;
    std::unique_ptr<MainView> view_;
    std::string error_;
};

}  // namespace tw::app
