// How long a technician waits for a verdict from a radio that stops answering, in the
// link's own (virtual) time: an HLN read time-out, an HLN Get Status on a radio that fell
// silent after identifying itself, and a MARTEN 30 read from a radio silent from its first
// block. Run by hand; figures only.
//   verdict_bench
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/hln/hln_connect.h"
#include "families/hln/hln_page_ops.h"
#include "families/kvr/marten30_page.h"
#include "link/serial_link.h"
#include "sim/hln/hln_radio.h"
#include "sim/kvr/marten30_radio_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using namespace tw;

// One simulated radio on a virtual clock with a profile in a scratch folder.
struct Bench {
    Bench(std::unique_ptr<sim::RadioModel> model, const std::string& name)
        : profile(
              (std::filesystem::temp_directory_path() / ("tw_verdict_" + name + ".ini")).string()),
          devices(std::move(model), clock),
          link(profile, devices, clock, ui) {
        link.ports().setRunDevice("sim");
    }
    ~Bench() { std::filesystem::remove(profile.path()); }
    VirtualClock clock;
    ScriptedUi ui;
    Profile profile;
    sim::SimDeviceFactory devices;
    SerialLink link;
    AppState app{.currentPort = 1};
    Env env{ui, clock, profile, link, app};
};

std::unique_ptr<sim::RadioModel> hlnRadio() {
    return std::make_unique<sim::HlnRadio>(sim::ModelOptions{{"type", "U"}});
}

// Bytes an HLN radio sends while it is woken, identified and asked for its serial number.
long connectBytes() {
    Bench b(hlnRadio(), "count");
    hln::HlnLink link(b.link, b.ui);
    link.open();
    hln::RadioIdentity identity;
    hln::HlnConnect(link, 'U', identity);
    return static_cast<long>(b.devices.model().sent().size());
}

void report(const char* what, Millis ms, const std::string& messages) {
    std::printf("  %-44s %8.1f s  (%s)\n", what, static_cast<double>(ms) / 1000.0,
                messages.c_str());
}

std::string lastMessage(const ScriptedUi& ui) {
    const auto m = ui.messages();
    std::string text = m.empty() ? "no message" : m.front();
    return text.substr(0, text.find('\n'));
}

}  // namespace

int main() {
    std::printf("verdict_bench: virtual time to a verdict from a radio that stops answering\n");
    const long afterConnect = connectBytes();
    {
        Bench b(hlnRadio(), "wait");
        hln::HlnLink link(b.link, b.ui);
        link.open();
        const Millis start = b.clock.now();
        hln::HlnWaitChar(link);
        report("HLN read time-out (HlnWaitChar)", b.clock.now() - start, "no message");
    }
    {
        Bench b(hlnRadio(), "status");
        b.devices.faults().hangupAfter = afterConnect;
        hln::HlnLink link(b.link, b.ui);
        std::string model, serial, features, tracking;
        hln::HlnGetStatus(link, model, serial, features, tracking, 'U');
        report("HLN Get Status, silent after identification", b.clock.now(),
               std::to_string(b.ui.messages().size()) + " messages");
    }
    {
        Bench b(hlnRadio(), "silent");
        b.devices.faults().silent = true;
        hln::HlnLink link(b.link, b.ui);
        std::string model, serial, features, tracking;
        hln::HlnGetStatus(link, model, serial, features, tracking, 'U');
        report("HLN Get Status, silent radio", b.clock.now(), lastMessage(b.ui));
    }
    {
        Bench b(std::make_unique<sim::Marten30RadioModel>(sim::ModelOptions{}), "m30");
        b.devices.faults().hangupAfter = 10;  // ">", the identity and its prompt
        kvr::CMarten30Page page(b.env);
        page.ReadTrackingFromRadio();
        report("MARTEN 30 read, silent from the first block", b.clock.now(), lastMessage(b.ui));
    }
    return 0;
}
