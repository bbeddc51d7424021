#pragma once

#include <map>
#include <memory>
#include <string>

#include "link/device.h"
#include "sim/sim_device.h"

namespace tw::app {

// One simulated radio per family, each keeping its memory for the whole session. Opening a
// port reaches the radio of the family selected last, so switching tabs switches radios.
class SimulatedRadios : public DeviceFactory {
  public:
    // `options` go to the radio of their family when it is made.
    explicit SimulatedRadios(Clock& clock, std::map<std::string, sim::ModelOptions> options = {})
        : clock_(clock), options_(std::move(options)) {}

    void selectFamily(const std::string& family) { family_ = family; }
    const std::string& family() const { return family_; }
    OpenResult open(const std::string& path, int baud) override;

    // The radio of a family, made on first use; a family without a model gets a loopback.
    sim::SimDeviceFactory& radio(const std::string& family);

  private:
    Clock& clock_;
    std::map<std::string, sim::ModelOptions> options_;
    std::string family_ = "kvr";
    std::map<std::string, std::unique_ptr<sim::SimDeviceFactory>> radios_;
};

}  // namespace tw::app
