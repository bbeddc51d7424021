#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/blt/blt_page.h"
#include "kvr/kvr_fixture.h"  // TempDir, readBytes, writeBytes
#include "link/serial_link.h"
#include "sim/blt/blt_radio.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw::blt::test {

using kvr::test::readBytes;
using kvr::test::TempDir;
using kvr::test::writeBytes;

// The BLT page over a simulated radio that records every call reaching it. The technician's
// current port is 3 while the profile keeps 1, so every open shows whether the port exchange
// took place.
struct Bench {
    TempDir dir;
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile{dir.file("novac4.ini")};
    sim::SimDeviceFactory devices{sim::createModel("loopback", {}), clock};
    SerialLink link{profile, devices, clock, ui};
    AppState app;
    Env env{ui, clock, profile, link, app};
    std::shared_ptr<sim::BltRadio> radioState = std::make_shared<sim::BltRadio>();
    std::unique_ptr<CMaintenanceDlg> page;

    explicit Bench(const sim::ModelOptions& options = {}) {
        app.currentPort = 3;
        profile.writeString("Comm Settings", "Port Number", "1");
        std::string why;
        if (!sim::configureBltRadio(options, *radioState, why)) throw std::runtime_error(why);
        page = std::make_unique<CMaintenanceDlg>(env);
        page->setBackendFactory(std::make_shared<sim::BltBackendFactory>(radioState));
    }
    sim::BltRadio& radio() { return *radioState; }
    RadioData& held() { return page->conn().data; }
    int savedPort() const { return profile.getInt("Comm Settings", "Port Number", -99); }
    // Forgets what happened so far, keeping the radio and the held data.
    void clear() {
        ui.clear();
        radio().calls.clear();
        radio().openedPorts.clear();
    }
};

using Calls = std::vector<std::string>;
using Texts = std::vector<std::string>;

// Calls written "open 16 serial-close".
inline Calls calls(const std::string& words) {
    Calls out;
    std::istringstream in(words);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}
template <typename... Text>
Texts told(Text... texts) {
    return {std::string(texts)...};
}
inline sim::ModelOptions option(const char* key, const char* value) {
    return {{key, value}};
}

}  // namespace tw::blt::test
