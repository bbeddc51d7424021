#include "app/simulated_radios.h"

#include "sim/models.h"

namespace tw::app {

sim::SimDeviceFactory& SimulatedRadios::radio(const std::string& family) {
    auto& slot = radios_[family];
    if (!slot) {
        const auto given = options_.find(family);
        auto model =
            sim::createModel(family, given == options_.end() ? sim::ModelOptions{} : given->second);
        if (!model) model = sim::createModel("loopback", {});
        slot = std::make_unique<sim::SimDeviceFactory>(std::move(model), clock_);
    }
    return *slot;
}

OpenResult SimulatedRadios::open(const std::string& path, int baud) {
    return radio(family_).open(path, baud);
}

}  // namespace tw::app
