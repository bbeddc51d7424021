#include "app/session.h"

#include "adapters/qserial_device.h"
#include "app/simulated_radios.h"
#include "families/registry.h"

namespace tw::app {
namespace {

std::unique_ptr<Clock> makeClock(const AppOptions& o) {
    if (o.simulate) return std::make_unique<VirtualClock>();
    return std::make_unique<SteadyClock>();
}

}  // namespace

Session::Session(const AppOptions& options, Ui& ui)
    : profile_(options.ini.empty() ? Profile::defaultPath() : options.ini),
      clock_(makeClock(options)),
      devices_(options.simulate ? std::unique_ptr<DeviceFactory>(new SimulatedRadios(*clock_))
                                : std::unique_ptr<DeviceFactory>(new QSerialDeviceFactory)),
      simulated_(options.simulate ? static_cast<SimulatedRadios*>(devices_.get()) : nullptr),
      link_(profile_, *devices_, *clock_, ui),
      env_{ui, *clock_, profile_, link_, app_} {
    if (!options.device.empty())
        link_.ports().setRunDevice(options.device);
    else if (simulated_)
        link_.ports().setRunDevice("simulated");
    if (!options.trace.empty()) {
        trace_ = std::make_unique<Trace>(options.trace, *clock_);
        if (trace_->isOpen())
            link_.setTrace(trace_.get());
        else
            error_ = "Cannot write the trace file " + options.trace + ".";
    }
    app_.simulated = simulated_ != nullptr;
    app_.keepHistory = !options.noHistory;
    app_.currentPort = profile_.getInt(profile_keys::kCommSection, profile_keys::kPortNumber, -1);
    view_ = std::make_unique<MainView>(env_, createFamilyPages(env_));
    tabSelected(view_->selectedTab());
}

Session::~Session() {
    link_.setTrace(nullptr);
}

void Session::tabSelected(int tab) {
    if (!simulated_ || tab < 0 || tab >= static_cast<int>(tabInfos().size())) return;
    simulated_->selectFamily(tabInfos()[static_cast<std::size_t>(tab)].family);
}

}  // namespace tw::app
