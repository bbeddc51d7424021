// How long the window stops answering while radio work runs: the application's own window
// (offscreen) over tunewright-sim paced at the radio's baud, timing every turn of its event
// loop during an HLN image read, a WLA flash, an HLN time-out (a radio that never answers)
// and a flash cancelled half-way. Prints the longest gap between two turns and, for the
// cancel, the time from the press to the port closed.
//   gui_latency_bench [--quick]
// --quick paces the flash at 115200 baud instead of 9600 (a 10 s run instead of 100 s).
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/page_widget.h"
#include "app/session.h"
#include "e2e/sim_process.h"
#include "ui/scripted_ui.h"

using namespace tw;
using namespace tw::app;

namespace {

// Every turn of the event loop restarts the clock; the longest time between turns is what a
// technician would feel as a frozen window.
class LoopWatch {
  public:
    LoopWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 gap = since_.restart();
            if (gap > longest_) longest_ = gap;
            ++turns_;
        });
    }
    void start() {
        longest_ = 0;
        turns_ = 0;
        since_.start();
        timer_.start(0);
    }
    void stop() { timer_.stop(); }
    qint64 longest() const { return longest_; }
    long turns() const { return turns_; }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
    long turns_ = 0;
};

struct Bench {
    QTemporaryDir dir;
    ScriptedUi ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;

    Bench(const std::string& device, int tab) {
        AppOptions o;
        o.device = device;
        o.ini = dir.filePath("novac4.ini").toStdString();
        o.noHistory = true;
        session = std::make_unique<Session>(o, ui);
        window = std::make_unique<MainWindow>(*session, false);
        window->tabs()->setCurrentIndex(tab);
        ui.defaultAnswer = true;
    }
};

void measure(const char* what, Bench& b, int tab, RadioWork work,
             const std::function<bool()>& operation, qint64 cancelAfterMs = -1) {
    LoopWatch watch;
    QElapsedTimer elapsed;
    watch.start();
    elapsed.start();
    if (!b.window->startOperation(b.window->pageWidget(tab), work, operation)) {
        std::printf("  %-26s did not start\n", what);
        return;
    }
    qint64 pressedAt = -1;
    if (cancelAfterMs >= 0) {
        QTimer::singleShot(static_cast<int>(cancelAfterMs), [&] {
            pressedAt = elapsed.elapsed();
            b.window->requestCancel();  // a flash asks first: the scripted answer is Yes
        });
    }
    const bool ok = b.window->waitForOperation();
    const qint64 total = elapsed.elapsed();
    watch.stop();
    std::printf("  %-26s %7.1f s  longest event-loop gap %4lld ms  turns %ld  %s", what,
                total / 1000.0, static_cast<long long>(watch.longest()), watch.turns(),
                ok ? "succeeded" : "failed");
    if (pressedAt >= 0)
        std::printf("  cancel to port closed %lld ms", static_cast<long long>(total - pressedAt));
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    QTemporaryDir files;
    const std::string image = files.filePath("radio.img").toStdString();
    const std::string code = files.filePath("code.mot").toStdString();
    std::printf("GUI latency (target: every gap under 50 ms)\n");

    {
        e2e::SimProcess sim;
        if (!sim.start("hln", {"--baud", "9600", "--option", "type=B"})) {
            std::fprintf(stderr, "%s\n", sim.error().c_str());
            return 1;
        }
        Bench b(sim.devicePath(), 1);
        b.ui.dialogScripts.push_back({{{"type", "B"}}, "OK"});
        FamilyPage& page = b.window->pageWidget(1)->page();
        measure("HLN image read (9600)", b, 1, RadioWork::Read, [&page, image] {
            for (auto& a : page.actions())
                if (a.step == "read-image") return a.run({image});
            return false;
        });
    }
    {
        e2e::SimProcess sim;
        if (!sim.start("hln", {"--baud", "9600", "--fault", "silent", "--option", "type=B"})) {
            std::fprintf(stderr, "%s\n", sim.error().c_str());
            return 1;
        }
        Bench b(sim.devicePath(), 1);
        b.ui.dialogScripts.push_back({{{"type", "B"}}, "OK"});
        MainView& view = b.session->view();
        measure("HLN silent radio", b, 1, RadioWork::Read,
                [&view] { return view.execute(Command::GetStatus); });
    }
    {
        e2e::SimProcess reader;
        if (!reader.start("wla",
                          {"--no-pace", "--option", "mode=flash", "--option", "erase-ms=300"})) {
            std::fprintf(stderr, "%s\n", reader.error().c_str());
            return 1;
        }
        QTemporaryDir ini;
        const auto r = e2e::runCli(reader.devicePath(), ini.filePath("x.ini").toStdString(),
                                   {"--no-history", "wla", "read-code", code});
        if (r.exitCode != 0) {
            std::fprintf(stderr, "code read failed:\n%s%s\n", r.out.c_str(), r.err.c_str());
            return 1;
        }
    }
    const std::string baud = quick ? "115200" : "9600";
    for (const bool cancel : {false, true}) {
        e2e::SimProcess sim;
        if (!sim.start("wla",
                       {"--baud", baud, "--option", "mode=flash", "--option", "erase-ms=300"})) {
            std::fprintf(stderr, "%s\n", sim.error().c_str());
            return 1;
        }
        Bench b(sim.devicePath(), 3);
        auto& wla = b.window->pageWidget(3)->page();
        b.ui.files.push_back(code);
        const auto flash = [&wla, code] {
            for (auto& a : wla.actions())
                if (a.step == "flash") return a.run({code});
            return false;
        };
        const std::string what =
            std::string(cancel ? "WLA flash, cancelled" : "WLA flash") + " (" + baud + ")";
        measure(what.c_str(), b, 3, RadioWork::Flash, flash, cancel ? 3000 : -1);
    }
    return 0;
}
