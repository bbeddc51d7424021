// WLA program-code transfers over the real serial path against tunewright-sim paced at 9600
// baud: the 862 flash blocks of a reflash and the 64000-byte code read-back. Each figure is
// the floor (wire time of the bytes both ways plus the pauses the flow must make) divided by
// the measured time of that phase.
//   wla_bench [--baud N] [--reply-gap MS]
// --reply-gap is the link's quiet gap that makes sure nothing follows the last block's "OK"
// (the other blocks' answers are taken as soon as their two characters are in); the block
// floor is given with and without it.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "adapters/qserial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "e2e/sim_process.h"
#include "families/compact/wla_page.h"
#include "link/serial_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using Steady = std::chrono::steady_clock;

// Notes when each status text first appeared, to time the phases of one operation.
class TimedUi : public tw::ScriptedUi {
  public:
    void setStatusText(const std::string& text) override {
        ScriptedUi::setStatusText(text);
        seen.emplace(text, Steady::now());
    }
    void closeStatus() override {
        ScriptedUi::closeStatus();
        closed = Steady::now();
    }
    double since(const std::string& text, Steady::time_point end) const {
        const auto it = seen.find(text);
        return it == seen.end() ? 0 : std::chrono::duration<double>(end - it->second).count();
    }
    std::map<std::string, Steady::time_point> seen;
    Steady::time_point closed;
};

void report(const char* what, double floor, double measured, bool ok) {
    std::printf("  %-34s floor %7.2f s  measured %7.2f s  floor/measured %.3f%s\n", what, floor,
                measured, measured > 0 ? floor / measured : 0.0, ok ? "" : "  (FAILED)");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int baud = 9600;
    double replyGapMs = 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0) baud = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--reply-gap") == 0) replyGapMs = std::atof(argv[i + 1]);
    }
    if (baud <= 0) {
        std::fprintf(stderr, "usage: wla_bench [--baud N] [--reply-gap MS]\n");
        return 2;
    }
    tw::e2e::TempDir dir;
    tw::e2e::SimProcess sim;
    if (!sim.start("wla", {"--baud", std::to_string(baud), "--option", "mode=flash", "--option",
                           "erase-ms=1000"})) {
        std::fprintf(stderr, "wla_bench: %s\n", sim.error().c_str());
        return 1;
    }
    tw::SteadyClock clock;
    TimedUi ui;
    tw::Profile profile(dir.file("novac4.ini"));
    tw::QSerialDeviceFactory devices;
    tw::SerialLink link(profile, devices, clock, ui);
    link.ports().setRunDevice(sim.devicePath());
    tw::AppState state;
    tw::Env env{ui, clock, profile, link, state};
    tw::compact::CWlaPage page(env);
    const double byteTime = 10.0 / baud;  // 8N1
    std::printf("wla_bench: WLA radio at %d baud on %s\n", baud, sim.devicePath().c_str());

    const std::string file = dir.file("code.mot");
    const bool readOk = page.writeCodeTo(file);
    // "FA" out, 64000 bytes and the check byte in, and the 5 s the flow waits for the latter.
    report("code read-back", (2 + 64000 + 1) * byteTime + 5.0,
           ui.since("Read Flash Code (Approx. 70 seconds)", ui.seen["Testing CRC"]), readOk);

    const bool flashOk = readOk && page.reflashFrom(file);
    const double blocks = ui.since("Writing Flash at 8192", ui.closed);
    // 862 blocks of 73 bytes out and "OK" in, 10 ms after each block.
    const double blockFloor = 862 * (75 * byteTime + 0.010);
    report("flash blocks (wire + 10 ms)", blockFloor, blocks, flashOk);
    report("flash blocks (+ last quiet check)", blockFloor + replyGapMs / 1000.0, blocks, flashOk);
    std::printf("  erase phase (radio 1 s, polls of 1 s)  measured %.2f s\n",
                ui.since("Erasing Flash Part (Approx 20 sec.)", ui.seen["Writing Flash at 8192"]));
    for (const auto& m : ui.messages()) std::printf("  message: %s\n", m.c_str());
    sim.stop();
    return readOk && flashOk ? 0 : 1;
}
