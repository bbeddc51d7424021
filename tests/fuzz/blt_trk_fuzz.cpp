// .Trk files read through the BLT page: a refused file leaves the held data and the page's
// texts as they were and says so; an accepted file is exactly what the page would write, and
// its report block prints.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "families/blt/blt_files.h"
#include "families/blt/blt_messages.h"
#include "families/blt/blt_page.h"
#include "link/serial_link.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "support/file_target.h"
#include "ui/scripted_ui.h"
#include "util/file_io.h"
#include "view/env.h"

namespace {

using namespace tw;

struct Bench {
    std::string dir = "/tmp/tw_blt_trk_fuzz_" + std::to_string(::getpid());
    ScriptedUi ui;
    VirtualClock clock;
    Profile profile{dir + ".ini"};
    sim::SimDeviceFactory devices{sim::createModel("loopback", {}), clock};
    SerialLink link{profile, devices, clock, ui};
    AppState app;
    Env env{ui, clock, profile, link, app};
    blt::CMaintenanceDlg page{env};
};

void check(bool holds) {
    if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The rule every family's files keep: a refused file leaves the page's texts, an accepted
    // one saves back to the same bytes.
    fuzz::checkFileLoad(2, fuzz::DataFile::Tracking, true, data, size);
    static Bench b;
    auto& held = b.page.conn().data;
    held.trackingVersion = 2;
    held.trackingFormat = 0;
    held.trackingArrays.fill(0);
    held.trackingArrays[0] = 77;
    b.page.BltRefresh();
    const blt::RadioData before = held;
    const auto controlsBefore = b.page.controls().all();
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::string path = b.dir + ".Trk";
    if (!saveFileAtomically(path, bytes)) return 0;
    b.ui.clear();
    b.page.presetFile(path);
    const bool ok = b.page.ReadTrackingFromDisk();
    const auto shown = b.ui.messages();
    if (!ok) {
        check(held.trackingArrays == before.trackingArrays);
        check(held.trackingVersion == before.trackingVersion);
        check(held.trackingFormat == before.trackingFormat);
        const auto& after = b.page.controls().all();
        check(after.size() == controlsBefore.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            check(after[i].text == controlsBefore[i].text);
        check(shown.size() == 1 && shown[0] == blt::messages::kCouldNotReadTracking);
        return 0;
    }
    check(shown.empty());
    check(held.trackingVersion >= 1 && held.trackingVersion <= blt::kMaxTrackingVersion);
    check(blt::encodeTrackingFile(held) == bytes);
    check(b.page.ReportLines().size() > 8);
    return 0;
}
