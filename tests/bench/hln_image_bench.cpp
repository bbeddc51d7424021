// HLN memory image transfers over the real serial path against a radio paced like a cable:
// an 8192-byte read with its verify read, and a write with its read-back. Each figure is
// the line's own time for the bytes both ways divided by the measured time (1.0: the link
// adds nothing to the wire).
//   hln_image_bench [--baud N] [--device PATH]
// Without --device it starts tunewright-sim with a TRW radio; with it, the radio already on
// PATH must be an HLN-family radio with an 8192-byte image that answers the first wake byte.
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
#include "families/hln/hln_connect.h"
#include "families/hln/hln_image.h"
#include "link/serial_link.h"
#include "ui/scripted_ui.h"

namespace {

using Steady = std::chrono::steady_clock;

double seconds(Steady::time_point since) {
    return std::chrono::duration<double>(Steady::now() - since).count();
}

void report(const char* what, double wire, double measured, bool ok) {
    std::printf("  %-28s wire %7.3f s  measured %7.3f s  wire/measured %.3f%s\n", what, wire,
                measured, wire / measured, ok ? "" : "  (FAILED)");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int baud = 9600;
    std::string device;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0) baud = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--device") == 0) device = argv[i + 1];
    }
    if (baud <= 0) {
        std::fprintf(stderr, "usage: hln_image_bench [--baud N] [--device PATH]\n");
        return 2;
    }

    tw::e2e::TempDir dir;
    tw::e2e::SimProcess sim;
    if (device.empty()) {
        if (!sim.start("hln", {"--baud", std::to_string(baud), "--option", "type=B"})) {
            std::fprintf(stderr, "hln_image_bench: %s\n", sim.error().c_str());
            return 1;
        }
        device = sim.devicePath();
    }
    tw::SteadyClock clock;
    tw::ScriptedUi ui;
    tw::Profile profile(dir.file("novac4.ini"));
    tw::QSerialDeviceFactory devices;
    tw::SerialLink serial(profile, devices, clock, ui);
    serial.ports().setRunDevice(device);
    tw::hln::HlnLink link(serial, ui,
                          [baud](tw::PortSession& port) { return port.openSaved(baud); });
    if (!link.open()) {
        std::fprintf(stderr, "hln_image_bench: %s\n", serial.lastOpenError().c_str());
        return 1;
    }
    tw::hln::RadioIdentity identity;
    if (!tw::hln::HlnConnect(link, 'B', identity)) {
        std::fprintf(stderr, "hln_image_bench: no handshake\n");
        return 1;
    }
    const double byteTime = 10.0 / baud;  // 8N1
    const double size = identity.imageSize;
    std::printf("hln_image_bench: %u-byte image at %d baud on %s\n",
                static_cast<unsigned>(identity.imageSize), baud, device.c_str());

    tw::hln::PersonalityImage image;
    auto start = Steady::now();
    const bool readOk = tw::hln::HlnReadImage(link, image, identity);
    // "GA" twice out, the image and its prompt twice in.
    report("read with verify", (4 + 2 * (size + 1)) * byteTime, seconds(start), readOk);

    for (std::size_t i = 0; i < image.buffer.size(); ++i)
        image.buffer[i] = static_cast<std::uint8_t>(image.buffer[i] ^ 0x55);
    start = Steady::now();
    const bool writeOk = tw::hln::HlnWriteImage(link, image, identity);
    // "GB" and the image out, the acknowledge in, "GA" out, the image and its prompt in.
    report("write with read-back", (2 + size + 1 + 2 + size + 1) * byteTime, seconds(start),
           writeOk);
    for (const auto& m : ui.messages()) std::printf("  message: %s\n", m.c_str());
    link.close();
    if (sim.running()) sim.stop();
    return readOk && writeOk ? 0 : 1;
}
