#include "run/startup.h"

namespace tw {
namespace {

std::unique_ptr<Clock> makeClock(bool simulate) {
    if (simulate) return std::make_unique<VirtualClock>();
    return std::make_unique<SteadyClock>();
}

}  // namespace

// The link reports to the same Ui as the flows: what it reports (details, the status
// window) passes that Ui whether or not an operation was cancelled.
Startup::Startup(const StartOptions& options, Ui& ui, const MakeDevices& makeDevices)
    : guard_(ui, link_),
      profile_(options.ini.empty() ? Profile::defaultPath() : options.ini),
      clock_(makeClock(options.simulate)),
      devices_(makeDevices(*clock_)),
      link_(profile_, *devices_, *clock_, guard_),
      env_{guard_, *clock_, profile_, link_, app_} {
    if (!options.device.empty())
        link_.ports().setRunDevice(options.device);
    else if (options.simulate)
        link_.ports().setRunDevice("simulated");
    if (!options.trace.empty()) {
        trace_ = std::make_unique<Trace>(options.trace, *clock_);
        traceFailed_ = !trace_->isOpen();
        if (!traceFailed_) link_.setTrace(trace_.get());
    }
    app_.simulated = options.simulate;
    app_.keepHistory = !options.noHistory;
    app_.serviceMode = options.service;
    app_.currentPort = profile_.getInt(profile_keys::kCommSection, profile_keys::kPortNumber, -1);
}

Startup::~Startup() {
    link_.setTrace(nullptr);
}

}  // namespace tw
