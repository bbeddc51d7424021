// Round trips of the test link over the real serial path (QSerialPort on a pseudo-terminal,
// tunewright-sim hdt paced at 19200 baud): one "cmd 74 1" and one full Resync. The floor of
// an exchange is its bytes both ways at 1920 bytes/s, the 20 ms pause after each write and the
// link's end-of-reply gap per read (a Resync also waits one quiet character wait to know the
// line is empty); floor/mean shows how much the link adds on top.
//   hdt_bench [--rounds N]
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "adapters/qserial_device.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "e2e/sim_process.h"
#include "link/serial_link.h"
#include "testtune/hdt_link.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using namespace tw;

constexpr double kBytesPerSecond = testtune::CHdtLink::kBaud / 10.0;  // 8N1

// Counts the bytes that cross the line both ways.
class CountingFactory : public DeviceFactory {
  public:
    explicit CountingFactory(DeviceFactory& inner) : inner_(inner) {}
    OpenResult open(const std::string& path, int baud) override {
        OpenResult r = inner_.open(path, baud);
        if (auto* dev = std::get_if<std::unique_ptr<Device>>(&r))
            return std::unique_ptr<Device>(new Line(std::move(*dev), bytes));
        return r;
    }
    long bytes = 0;

  private:
    struct Line : Device {
        Line(std::unique_ptr<Device> in, long& n) : inner(std::move(in)), count(n) {}
        bool write(const std::uint8_t* d, std::size_t n) override {
            count += static_cast<long>(n);
            return inner->write(d, n);
        }
        std::size_t read(std::uint8_t* b, std::size_t max, Millis wait) override {
            const std::size_t n = inner->read(b, max, wait);
            count += static_cast<long>(n);
            return n;
        }
        bool sendBreak(int ms) override { return inner->sendBreak(ms); }
        bool setDtr(bool on) override { return inner->setDtr(on); }
        bool setRts(bool on) override { return inner->setRts(on); }
        std::unique_ptr<Device> inner;
        long& count;
    };
    DeviceFactory& inner_;
};

struct Figures {
    std::vector<double> seconds;
    double floor = 0;  // summed over the rounds
};

void print(const char* what, const Figures& f) {
    double sum = 0;
    for (double s : f.seconds) sum += s;
    const double n = static_cast<double>(f.seconds.size());
    const double mean = sum / n;
    const double worst = *std::max_element(f.seconds.begin(), f.seconds.end());
    const double floor = f.floor / n;
    std::printf(
        "  %-10s rounds %3zu  floor %7.1f ms  mean %7.1f ms  worst %7.1f ms  "
        "floor/mean %.3f (target >= 0.95)\n",
        what, f.seconds.size(), floor * 1e3, mean * 1e3, worst * 1e3, floor / mean);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int rounds = 20;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::atoi(argv[i + 1]);
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: hdt_bench [--rounds N]\n");
        return 2;
    }

    e2e::TempDir dir;
    e2e::SimProcess sim;
    if (!sim.start("hdt", {"--baud", std::to_string(testtune::CHdtLink::kBaud)})) {
        std::fprintf(stderr, "hdt_bench: %s\n", sim.error().c_str());
        return 1;
    }
    SteadyClock clock;
    ScriptedUi ui;
    Profile profile(dir.file("novac4.ini"));
    QSerialDeviceFactory serial;
    CountingFactory devices(serial);
    SerialLink link(profile, devices, clock, ui);
    link.ports().setRunDevice(sim.devicePath());
    AppState state;
    Env env{ui, clock, profile, link, state};
    testtune::CHdtLink hdt(env);
    if (!hdt.Connect()) {
        std::fprintf(stderr, "hdt_bench: no connection: %s\n", link.lastOpenError().c_str());
        return 1;
    }

    const SlkHandle h = hdt.port().handle();
    const double gap = static_cast<double>(link.quietGap(h)) / 1e3;
    const double quietCheck = static_cast<double>(link.charWait(h)) / 1e3;
    const double pause = testtune::CHdtPort::kAfterWritePauseMs / 1e3;
    using Steady = std::chrono::steady_clock;
    auto timed = [&](auto&& exchange, int reads, int quietChecks, Figures& f) {
        const long before = devices.bytes;
        const auto start = Steady::now();
        const bool ok = exchange();
        f.seconds.push_back(std::chrono::duration<double>(Steady::now() - start).count());
        f.floor += static_cast<double>(devices.bytes - before) / kBytesPerSecond +
                   reads * (pause + gap) + quietChecks * quietCheck;
        return ok;
    };

    Figures keyUp, resync;
    bool ok = true;
    for (int i = 0; i < rounds && ok; ++i) {
        ok = timed([&] { return hdt.run(testtune::HdtCommand::TransmitterOn); }, 1, 0, keyUp);
        hdt.run(testtune::HdtCommand::TransmitterOff);
    }
    // Drain's quiet check, the probe, three reads and test mode.
    for (int i = 0; i < rounds && ok; ++i) ok = timed([&] { return hdt.Resync(); }, 5, 1, resync);
    sim.stop();
    if (!ok) {
        std::fprintf(stderr, "hdt_bench: an exchange failed\n");
        return 1;
    }

    std::printf("hdt_bench: test link at %d baud over tunewright-sim hdt\n",
                testtune::CHdtLink::kBaud);
    std::printf("  end-of-reply gap %.1f ms, quiet check %.1f ms, pause after write %.0f ms\n",
                gap * 1e3, quietCheck * 1e3, pause * 1e3);
    print("cmd 74 1", keyUp);
    print("Resync", resync);
    // A reply split by a stall of the machine shows up as a failed read.
    std::printf("  messages shown %zu\n", ui.messages().size());
    for (const auto& m : ui.messages()) std::printf("    %s\n", m.c_str());
    return 0;
}
