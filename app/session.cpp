#include "app/session.h"

#include "adapters/qserial_device.h"
#include "app/simulated_radios.h"
#include "families/registry.h"
#include "sim/blt/blt_radio.h"

namespace tw::app {
namespace {

std::unique_ptr<Clock> makeClock(const AppOptions& o) {
    if (o.simulate) return std::make_unique<VirtualClock>();
    return std::make_unique<SteadyClock>();
}

}  // namespace

Session::Session(const AppOptions& options, Ui& ui)
    : threaded_(ui, loop_),
      guard_(threaded_, link_),
      profile_(options.ini.empty() ? Profile::defaultPath() : options.ini),
      clock_(makeClock(options)),
      devices_(options.simulate ? std::unique_ptr<DeviceFactory>(
                                      new SimulatedRadios(*clock_, options.simOptions))
                                : std::unique_ptr<DeviceFactory>(new QSerialDeviceFactory)),
      simulated_(options.simulate ? static_cast<SimulatedRadios*>(devices_.get()) : nullptr),
      link_(profile_, *devices_, *clock_, guard_),
      env_{guard_, *clock_, profile_, link_, app_},
      runner_(std::make_unique<OperationRunner>(loop_, std::make_unique<QtWorkerThread>())) {
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
    app_.serviceMode = options.service;
    view_ = std::make_unique<MainView>(env_, createFamilyPages(env_));
    std::string why;
    const auto blt = options.simOptions.find("blt");
    if (simulated_ && !sim::attachSimulatedBlt(
                          view_->page(2),
                          blt == options.simOptions.end() ? sim::ModelOptions{} : blt->second, why))
        error_ = why;
    tabSelected(view_->selectedTab());
}

Session::~Session() {
    shutdown();
    runner_.reset();
    link_.setTrace(nullptr);
}

bool Session::startOperation(RadioWork work, std::function<bool()> operation,
                             std::function<void(bool)> finished) {
    // Reset here, before the worker picks the operation up: a Cancel pressed at once must
    // not be forgotten.
    if (runner_->running()) return false;
    cancel_.reset();
    return runner_->start(
        [this, work, operation = std::move(operation)] {
            return runRadioOperation(link_, cancel_, threaded_, work, operation).ok;
        },
        std::move(finished));
}

void Session::shutdown() {
    if (!runner_->running()) return;
    cancel_.request();
    threaded_.shutdown();
    runner_->waitIdle();
}

void Session::tabSelected(int tab) {
    if (!simulated_ || tab < 0 || tab >= static_cast<int>(tabInfos().size())) return;
    simulated_->selectFamily(tabInfos()[static_cast<std::size_t>(tab)].family);
}

}  // namespace tw::app
