// Byte-by-byte reception of a continuous stream over the real serial path (QSerialPort on a
// pseudo-terminal, tunewright-sim paced like a cable). The ratio wire/measured shows how close
// slkReadChar keeps up with the line; 1.0 is the line's own speed.
//   link_bench [--baud N] [--bytes N]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "adapters/qserial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "e2e/sim_process.h"
#include "link/serial_link.h"
#include "sim/loopback_model.h"
#include "ui/scripted_ui.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int baud = 9600;
    int bytes = 8192;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0) baud = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--bytes") == 0) bytes = std::atoi(argv[i + 1]);
    }
    if (baud <= 0 || bytes <= 0) {
        std::fprintf(stderr, "usage: link_bench [--baud N] [--bytes N]\n");
        return 2;
    }

    tw::e2e::TempDir dir;
    tw::e2e::SimProcess sim;
    if (!sim.start("loopback", {"--baud", std::to_string(baud), "--option",
                                "burst=" + std::to_string(bytes)})) {
        std::fprintf(stderr, "link_bench: %s\n", sim.error().c_str());
        return 1;
    }
    tw::SteadyClock clock;
    tw::ScriptedUi ui;
    tw::Profile profile(dir.file("novac4.ini"));
    tw::QSerialDeviceFactory devices;
    tw::SerialLink link(profile, devices, clock, ui);
    link.ports().setRunDevice(sim.devicePath());
    const tw::SlkHandle h = link.slkInit(1, baud);
    if (h == tw::kNoLink) {
        std::fprintf(stderr, "link_bench: %s\n", link.lastOpenError().c_str());
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    link.slkWriteChar(h, static_cast<char>(tw::sim::LoopbackModel::kBurstCommand));
    int received = 0;
    int wrong = 0;
    int byte = 0;
    while (received < bytes && link.slkReadChar(h, byte)) {
        if (byte != (received & 0xFF)) ++wrong;
        ++received;
    }
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();
    link.slkClose(h);
    sim.stop();

    // 8N1: ten bits on the wire per byte.
    const double wire = static_cast<double>(bytes) * 10.0 / baud;
    std::printf("link_bench: %d bytes at %d baud via slkReadChar\n", bytes, baud);
    std::printf("  received      %d (%d out of sequence)\n", received, wrong);
    std::printf("  wire time     %.3f s\n", wire);
    std::printf("  measured      %.3f s\n", measured);
    std::printf("  wire/measured %.3f (target >= 0.95)\n", wire / measured);
    return received == bytes && wrong == 0 ? 0 : 1;
}
