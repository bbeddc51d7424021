// WLB and MARTEN 60P tracking reads and writes over the real serial path against radios paced
// at 1200 baud, five times each. Each line gives the measured time, the floor (every character
// both ways at 8.333 ms, 8N1, plus every pause the flow takes, in series) and floor/measured.
//   wlb_bench [--runs N]
// The block answers are read to their exact length, so the floors hold no end-of-reply gap.
// Ratios above 1 come from pauses that run while bytes already written are still on the wire:
// the 50 ms after each read command passes while its eight characters (66.7 ms) go out, the
// 50 ms after "G2" while "G2" and the identity cross, and on a write the 2 ms after each
// character and the 50 ms before the next command pass while the queued characters (8.3 ms
// each) drain.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "adapters/qserial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "e2e/sim_process.h"
#include "families/compact/marten60p_page.h"
#include "families/compact/wlb_page.h"
#include "link/serial_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr double kCharSeconds = 10.0 / 1200;

struct Floor {
    int chars;
    int pauseMs;
    double seconds() const { return chars * kCharSeconds + pauseMs / 1000.0; }
};

// Connect: 0x55, ">", "G2", four characters; a 30 ms break and the 50 ms after "G2".
constexpr Floor kConnect{8, 80};

Floor readFloor(int blocks, int bytes) {
    return {kConnect.chars + 8 * blocks + 2 * bytes + 2, kConnect.pauseMs + 100 * blocks};
}

// Blocks with 50 ms before each command and 2 ms after each character, the read-back of the
// written blocks, "G9".
Floor writeFloor(int blocks, int bytes, int extraChars) {
    const int written = 8 * blocks + 2 * bytes + extraChars;
    const int writePause =
        50 * (blocks + (extraChars ? 1 : 0)) + 2 * (2 * bytes + (extraChars ? extraChars - 8 : 0));
    const Floor back = {8 * blocks + 2 * bytes, 100 * blocks};
    return {kConnect.chars + written + back.chars + 2,
            kConnect.pauseMs + writePause + back.pauseMs};
}

bool measure(const char* what, Floor floor, int runs, const std::function<bool()>& op) {
    double total = 0;
    bool allOk = true;
    for (int i = 0; i < runs; ++i) {
        const auto start = Steady::now();
        const bool ok = op();
        const double s = std::chrono::duration<double>(Steady::now() - start).count();
        total += s;
        allOk = allOk && ok;
        std::printf("  %-24s run %d  measured %6.3f s  floor %6.3f s  floor/measured %.3f%s\n",
                    what, i + 1, s, floor.seconds(), floor.seconds() / s, ok ? "" : "  (FAILED)");
    }
    const double mean = total / runs;
    std::printf("  %-24s mean   measured %6.3f s  floor %6.3f s  floor/measured %.3f\n\n", what,
                mean, floor.seconds(), floor.seconds() / mean);
    return allOk;
}

template <typename Page>
bool benchFamily(const std::string& family, const char* name, int runs, int blocks, int bytes,
                 int extraChars) {
    tw::e2e::TempDir dir;
    tw::e2e::SimProcess sim;
    if (!sim.start(family, {"--baud", "1200"})) {
        std::fprintf(stderr, "wlb_bench: %s\n", sim.error().c_str());
        return false;
    }
    tw::SteadyClock clock;
    tw::ScriptedUi ui;
    tw::Profile profile(dir.file("novac4.ini"));
    profile.writeString("Comm Settings", "Port Number", "1");
    tw::QSerialDeviceFactory devices;
    tw::SerialLink link(profile, devices, clock, ui);
    link.ports().setRunDevice(sim.devicePath());
    tw::AppState app;
    tw::Env env{ui, clock, profile, link, app};
    Page page(env);

    std::printf("%s on %s at 1200 baud\n", name, sim.devicePath().c_str());
    bool ok = measure((std::string(name) + " read").c_str(), readFloor(blocks + 1, bytes + 1), runs,
                      [&] { return page.ReadTrackingFromRadio(); });
    const Floor write = writeFloor(blocks, bytes, extraChars);
    const Floor back = {8 * blocks + 2 * bytes, 100 * blocks};
    std::printf("  write floor %.3f s without the read-back, %.3f s for the read-back\n",
                write.seconds() - back.seconds(), back.seconds());
    ok = measure((std::string(name) + " write+read-back").c_str(), write, runs,
                 [&] { return page.WriteTrackingToRadio(); }) &&
         ok;
    for (const auto& m : ui.messages()) std::printf("  message: %s\n", m.c_str());
    sim.stop();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
    if (runs <= 0) {
        std::fprintf(stderr, "usage: wlb_bench [--runs N]\n");
        return 2;
    }
    // WLB: six written blocks of 20 bytes and the seventh write of count 06 with twelve zero
    // bytes (20 characters); MARTEN 60P: five blocks of 16 bytes.
    const bool wlb = benchFamily<tw::compact::CWlbPage>("wlb", "WLB", runs, 6, 20, 20);
    const bool m60 =
        benchFamily<tw::compact::CMarten60PPage>("marten60p", "MARTEN 60P", runs, 5, 16, 0);
    return wlb && m60 ? 0 : 1;
}
