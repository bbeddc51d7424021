#include "app/session.h"

#include "adapters/qserial_device.h"
#include "app/simulated_radios.h"
#include "families/registry.h"
#include "sim/blt/blt_radio.h"

namespace tw::app {
namespace {

std::unique_ptr<DeviceFactory> makeDevices(const AppOptions& o, Clock& clock) {
    if (o.simulate) return std::make_unique<SimulatedRadios>(clock, o.simOptions);
    return std::make_unique<QSerialDeviceFactory>();
}

}  // namespace

Session::Session(const AppOptions& options, Ui& ui)
    : threaded_(ui, loop_),
      startup_(options, threaded_,
               [&options](Clock& clock) { return makeDevices(options, clock); }),
      simulated_(options.simulate ? static_cast<SimulatedRadios*>(&startup_.devices()) : nullptr),
      runner_(std::make_unique<OperationRunner>(loop_, std::make_unique<QtWorkerThread>())) {
    if (startup_.traceFailed()) error_ = "Cannot write the trace file " + options.trace + ".";
    view_ = std::make_unique<MainView>(env(), createFamilyPages(env()));
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
}

bool Session::startOperation(RadioWork work, std::function<bool()> operation,
                             std::function<void(bool)> finished) {
    // Reset here, before the worker picks the operation up: a Cancel pressed at once must
    // not be forgotten.
    if (runner_->running()) return false;
    cancel_.reset();
    return runner_->start(
        [this, work, operation = std::move(operation)] {
            return runRadioOperation(link(), cancel_, threaded_, work, operation).ok;
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
