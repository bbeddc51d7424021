#pragma once

#include <memory>
#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "kvr/kvr_fixture.h"
#include "link/serial_link.h"
#include "sim/compact/compact_radio.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw::compact::test {

using kvr::test::readBytes;
using kvr::test::writeBytes;

// One page of tab 4 or 5 with a simulated radio of `family` on the profile's port, a
// scripted technician and virtual time.
template <typename Page>
struct CompactBench {
    kvr::test::TempDir dir;
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile{dir.file("novac4.ini")};
    sim::SimDeviceFactory devices;
    SerialLink link{profile, devices, clock, ui};
    AppState app;
    Env env{ui, clock, profile, link, app};
    Page page{env};

    CompactBench(const std::string& family, const sim::ModelOptions& options = {})
        : devices(std::make_unique<sim::CompactRadioModel>(family, options), clock) {
        profile.writeString("Comm Settings", "Port Number", "1");
    }
    sim::CompactRadioModel& radio() {
        return static_cast<sim::CompactRadioModel&>(devices.model());
    }
    std::string fromPc() {
        const auto& r = devices.model().received();
        return {r.begin(), r.end()};
    }
    const std::string& text(int id) const { return page.controls().text(id); }
    void setAll(const std::string& value) {
        for (const auto& f : page.model().fields) page.controls().setText(f.control, value);
    }
};

struct WlbBench : CompactBench<CWlbPage> {
    WlbBench(std::initializer_list<sim::ModelOptions::value_type> options = {})
        : CompactBench("wlb", sim::ModelOptions(options)) {}
};
struct Marten60PBench : CompactBench<CMarten60PPage> {
    Marten60PBench(std::initializer_list<sim::ModelOptions::value_type> options = {})
        : CompactBench("marten60p", sim::ModelOptions(options)) {}
};

}  // namespace tw::compact::test
