#pragma once

#include <functional>
#include <memory>

#include "clock/clock.h"
#include "config/profile.h"
#include "link/device.h"
#include "link/serial_link.h"
#include "link/trace.h"
#include "run/radio_operation.h"
#include "run/start_options.h"
#include "view/env.h"

namespace tw {

// What a run of either program stands on, set up alike from the shared options: the
// profile, the clock (virtual while simulated radios answer, so their time-outs cost no real
// time), the devices with the serial link over them, the traffic trace, and what the program
// holds (history kept or not, service work, the current port as the profile has it). Flows
// reach the technician through a Ui that keeps line-fault messages back once an operation is
// cancelled.
class Startup {
  public:
    // The front end's devices on `clock`: its serial ports, or its simulated radios.
    using MakeDevices = std::function<std::unique_ptr<DeviceFactory>(Clock&)>;

    Startup(const StartOptions& options, Ui& ui, const MakeDevices& makeDevices);
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // The trace file asked for cannot be written; the run traces nothing.
    bool traceFailed() const { return traceFailed_; }

    Env& env() { return env_; }
    Clock& clock() { return *clock_; }
    Profile& profile() { return profile_; }
    DeviceFactory& devices() { return *devices_; }
    SerialLink& link() { return link_; }
    AppState& app() { return app_; }

  private:
    CancellableUi guard_;
    Profile profile_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<DeviceFactory> devices_;
    SerialLink link_;
    AppState app_;
    Env env_;
    std::unique_ptr<Trace> trace_;
    bool traceFailed_ = false;
};

}  // namespace tw
