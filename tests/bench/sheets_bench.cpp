// The test sheets against tunewright-sim hdt paced at 19200 baud: each streaming test with the
// radio sending as fast as the line carries (events sent, handled, worst lag behind the
// line), the RSSI tick's cost against its 1 s period, and start-to-running per page.
//   sheets_bench [--events N]
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
#include "testtune/facet_pages.h"
#include "testtune/launcher.h"
#include "testtune/sheet_steps.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace {

using namespace tw;
using namespace tw::testtune;
using Steady = std::chrono::steady_clock;

double since(Steady::time_point t) {
    return std::chrono::duration<double>(Steady::now() - t).count();
}

struct Bench {
    e2e::TempDir dir;
    e2e::SimProcess sim;
    SteadyClock clock;
    ScriptedUi ui;
    std::unique_ptr<Profile> profile;
    QSerialDeviceFactory serial;
    std::unique_ptr<SerialLink> link;
    AppState state;
    std::unique_ptr<Env> env;
    std::unique_ptr<AlignmentBench> bench;

    bool start(const std::vector<std::string>& options) {
        std::vector<std::string> args{"--baud", "19200"};
        for (const auto& o : options) {
            args.push_back("--option");
            args.push_back(o);
        }
        if (!sim.start("hdt", args)) return false;
        profile = std::make_unique<Profile>(dir.file("novac4.ini"));
        link = std::make_unique<SerialLink>(*profile, serial, clock, ui);
        link->ports().setRunDevice(sim.devicePath());
        env = std::make_unique<Env>(Env{ui, clock, *profile, *link, state});
        bench = std::make_unique<AlignmentBench>(*env);
        return true;
    }
};

// One streaming test: `perEvent` changes reach the dialog for each event of `bytes` bytes.
void stream(const char* name, const char* option, int button, int events, int bytes, int perEvent) {
    Bench b;
    if (!b.start({option, "hdt.interval=1"})) {
        std::printf("  %s: no simulator\n", name);
        return;
    }
    CTestSheet* sheet = b.bench->launch(TestSheetChoice::Io);
    if (!sheet) {
        std::printf("  %s: no sheet\n", name);
        return;
    }
    std::vector<double> at;
    Steady::time_point t0;
    auto& page = static_cast<CKeypadPage&>(sheet->activePage());
    t0 = Steady::now();
    sheet->pressButton(button);
    if (!page.dialog()) return;
    int changes = 0;
    page.dialog()->changes().setNotify([&] {
        if (++changes % perEvent == 0) at.push_back(since(t0));
    });
    const double byteTime = 10.0 / 19200.0;
    const double streamTime = events * bytes * byteTime;
    sheet->wait(static_cast<Millis>(streamTime * 1000) + 1500);
    double worst = 0;
    for (std::size_t i = 0; i < at.size(); ++i)
        worst = std::max(worst, at[i] - at.front() - static_cast<double>(i) * bytes * byteTime);
    const int handled = page.dialog() ? page.dialog()->eventsHandled() : 0;
    if (page.dialog()) page.dialog()->Close();
    std::printf("  %-7s events sent %5d  handled %5d  line time %6.0f ms  worst lag %6.1f ms\n",
                name, events, handled, streamTime * 1e3, worst * 1e3);
}

std::string sequence(int n, bool keys) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        if (keys) {
            out += (i % 2) ? '2' : '1';
        } else {
            if (!out.empty()) out += ',';
            out += std::to_string(1 + i % 16);
        }
    }
    return out;
}

void rssiTick() {
    Bench b;
    if (!b.start({"hdt.rssi=40,41,42", "hdt.interval=1000"})) return;
    CTestSheet* sheet = b.bench->launch(TestSheetChoice::StandardRf);
    if (!sheet || !goToPage(*sheet, 6) || !sheet->pressButton(1141)) return;
    std::vector<double> cost;
    for (int i = 0; i < 5; ++i) {
        const auto t = Steady::now();
        CHdtLink& l = sheet->link();
        l.Drain();
        l.send({});
        cost.push_back(since(t));
    }
    const double worst = *std::max_element(cost.begin(), cost.end());
    double sum = 0;
    for (double c : cost) sum += c;
    std::printf("  rssi tick: mean %.1f ms  worst %.1f ms  of its 1000 ms period (%.0f%%)\n",
                sum / static_cast<double>(cost.size()) * 1e3, worst * 1e3, worst * 100);
    sheet->pressButton(kIdStop);
}

void startToRunning() {
    struct Page {
        TestSheetChoice sheet;
        int page, start;
        const char* name;
    };
    const Page pages[] = {
        {TestSheetChoice::StandardRf, 1, 1070, "RF 1 frequency error"},
        {TestSheetChoice::StandardRf, 2, 1150, "RF 2 power"},
        {TestSheetChoice::StandardRf, 3, 1094, "RF 3 I/Q balance"},
        {TestSheetChoice::StandardRf, 4, 1078, "RF 4 external mic"},
        {TestSheetChoice::StandardRf, 5, 1129, "RF 5 Tone Gate"},
        {TestSheetChoice::StandardRf, 6, 1141, "RF 6 RSSI"},
        {TestSheetChoice::Frontcap, 1, 1121, "FC 1 transmit audio"},
        {TestSheetChoice::Frontcap, 2, 1074, "FC 2 rated audio"},
        {TestSheetChoice::Frontcap, 3, 1122, "FC 4 squelch"},
        {TestSheetChoice::Frontcap, 4, 1138, "FC 6 SINAD"},
    };
    Bench b;
    if (!b.start({})) return;
    for (const Page& p : pages) {
        CTestSheet* sheet = b.bench->launch(p.sheet);
        if (!sheet || !goToPage(*sheet, p.page)) continue;
        const auto t = Steady::now();
        sheet->pressButton(p.start);
        const double s = since(t);
        std::printf("  %-22s start to running %6.0f ms%s\n", p.name, s * 1e3,
                    sheet->activePage().running() ? "" : " (did not start)");
        sheet->pressButton(kIdStop);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int events = 200;
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--events") == 0) events = std::atoi(argv[i + 1]);
    if (events <= 0) {
        std::fprintf(stderr, "usage: sheets_bench [--events N]\n");
        return 2;
    }
    std::printf("streaming tests, radio sending back to back at 19200 baud:\n");
    stream("keypad", ("hdt.keys=" + sequence(events, true)).c_str(), CKeypadPage::kKeypad, events,
           4, 1);
    stream("knob", ("hdt.knob=" + sequence(events, false)).c_str(), CKeypadPage::kKnob, events, 8,
           2);
    stream("volume", ("hdt.volume=" + sequence(events, false)).c_str(), CKeypadPage::kVolume,
           events, 9, 2);
    rssiTick();
    startToRunning();
    return 0;
}
