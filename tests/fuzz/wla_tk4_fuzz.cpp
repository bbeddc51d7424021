// Loading a ".tk4" file of any bytes: only a 21-byte file changes the page, and then into
// exactly its bytes; every other file leaves the record and the boxes as they were.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/wla_page.h"
#include "link/serial_link.h"
#include "sim/compact/wla_radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string dir = "/tmp/wla_tk4_fuzz_" + std::to_string(::getpid());
    static const bool made = (::mkdir(dir.c_str(), 0700), true);
    (void)made;
    const std::string path = dir + "/in.tk4";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile(dir + "/novac4.ini");
    sim::SimDeviceFactory devices(std::make_unique<sim::WlaRadioModel>(sim::ModelOptions{}), clock);
    SerialLink link(profile, devices, clock, ui);
    AppState app;
    Env env{ui, clock, profile, link, app};
    compact::CWlaPage page(env);
    compact::WlaRecord before{};
    before[3] = 42;
    page.setRecord(before);
    const Controls shown = page.controls();
    ui.files.push_back(path);
    const bool loaded = page.ReadTrackingFromDisk();
    if (loaded != (size == compact::kWlaRecordSize)) __builtin_trap();
    if (!loaded) {
        if (page.record() != before || page.controls().all().size() != shown.all().size())
            __builtin_trap();
        for (std::size_t i = 0; i < shown.all().size(); ++i)
            if (page.controls().all()[i].text != shown.all()[i].text) __builtin_trap();
        return 0;
    }
    for (std::size_t i = 0; i < size; ++i)
        if (page.record()[i] != data[i]) __builtin_trap();
    return 0;
}
