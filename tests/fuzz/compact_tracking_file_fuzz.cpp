// .tk5 and .tk6 files of any content: a file of the wrong size is refused with the size
// message and leaves every text of the page as it was; a file of the right size loads, shows
// only values 0 to 255, and saves back byte for byte.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/compact/hex_link.h"
#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "link/serial_link.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace {

std::string scratch(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("tw_fuzz_compact_" + std::to_string(::getpid()) + "_" + name))
        .string();
}

std::vector<std::string> texts(const tw::Controls& c) {
    std::vector<std::string> out;
    for (const auto& control : c.all()) out.push_back(control.text);
    return out;
}

template <typename Page>
void check(const std::uint8_t* data, std::size_t size) {
    tw::ScriptedUi ui;
    tw::VirtualClock clock;
    tw::Profile profile(scratch("novac4.ini"));
    tw::sim::SimDeviceFactory devices(
        std::make_unique<tw::sim::LoopbackModel>(tw::sim::ModelOptions{}), clock);
    tw::SerialLink link(profile, devices, clock, ui);
    tw::AppState app;
    tw::Env env{ui, clock, profile, link, app};
    Page page(env);
    for (const auto& f : page.model().fields) page.controls().setText(f.control, "7");
    const auto before = texts(page.controls());

    const std::string in = scratch("in.tk");
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ui.files.push_back(in);
    const bool loaded = page.ReadTrackingFromDisk();
    if (size != page.model().recordSize) {
        if (loaded || texts(page.controls()) != before ||
            ui.messages() != std::vector<std::string>{tw::compact::messages::kWrongFileSize})
            __builtin_trap();
        return;
    }
    if (!loaded || !ui.messages().empty()) __builtin_trap();
    for (const auto& f : page.model().fields) {
        const std::string& t = page.controls().text(f.control);
        if (t.empty() || t.size() > 3 || std::stoi(t) > 255) __builtin_trap();
    }
    const std::string out = scratch("out.tk");
    ui.files.push_back(out);
    if (!page.WriteTrackingToDisk()) __builtin_trap();
    std::ifstream back(out, std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(back), std::istreambuf_iterator<char>()};
    if (saved != std::string(reinterpret_cast<const char*>(data), size)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 64) return 0;
    check<tw::compact::CWlbPage>(data, size);
    check<tw::compact::CMarten60PPage>(data, size);
    return 0;
}
