#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/wla_page.h"
#include "kvr/kvr_fixture.h"
#include "link/serial_link.h"
#include "sim/compact/wla_radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "util/text.h"
#include "view/env.h"

namespace tw::compact::wla_test {

// Scratch folders and whole-file helpers are the KVR fixture's.
using kvr::test::readBytes;
using kvr::test::TempDir;
using kvr::test::writeBytes;

// A WLA radio that also notes when each byte from the PC arrived.
class TimedWla : public sim::WlaRadioModel {
  public:
    using WlaRadioModel::WlaRadioModel;
    void onByte(std::uint8_t byte, Millis now) override {
        times.push_back(now);
        WlaRadioModel::onByte(byte, now);
    }
    std::vector<Millis> times;
};

// Scripted technician, virtual time, one simulated WLA radio, and the page.
struct WlaBench {
    TempDir dir;
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile{dir.file("novac4.ini")};
    sim::SimDeviceFactory devices;
    SerialLink link{profile, devices, clock, ui};
    AppState app;
    Env env{ui, clock, profile, link, app};
    CWlaPage page{env};

    explicit WlaBench(const sim::ModelOptions& options = {})
        : devices(std::make_unique<TimedWla>(options), clock) {
        profile.writeString("Comm Settings", "Port Number", "1");
    }
    TimedWla& radio() { return static_cast<TimedWla&>(devices.model()); }
    const std::vector<std::uint8_t>& fromPc() { return devices.model().received(); }
};

// An S1 file: `records` records of 16 bytes from `start`, byte value from the address.
inline std::string motFile(int records, std::uint32_t start = 0x2000, std::uint8_t salt = 0) {
    std::string out = "S00600004844521B\n";
    for (int r = 0; r < records; ++r) {
        const std::uint32_t a = start + static_cast<std::uint32_t>(r) * 16;
        unsigned sum = 0x13 + (a >> 8) + (a & 0xFF);
        std::string line = format("S113%04X", a);
        for (int i = 0; i < 16; ++i) {
            const auto b = static_cast<std::uint8_t>((a + i) * 5 + salt);
            line += format("%02X", b);
            sum += b;
        }
        out += line + format("%02X\n", ~sum & 0xFF);
    }
    return out;
}

}  // namespace tw::compact::wla_test
