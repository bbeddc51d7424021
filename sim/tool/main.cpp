// tunewright-sim: a simulated radio on a pseudo-terminal, for the program's real serial path.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "clock/clock.h"
#include "link/trace.h"
#include "sim/faults.h"
#include "sim/models.h"
#include "sim/tool/pty_port.h"
#include "sim/tool/sim_loop.h"

namespace {

using namespace tw;
using namespace tw::sim;

const char* kUsage =
    R"(Usage: tunewright-sim [options] FAMILY

Plays a radio of FAMILY on a pseudo-terminal. The first line on standard output is the
device path to give the program (--device PATH); the simulator runs until SIGTERM or SIGINT.
Each open of the device meets a freshly powered radio (its memory kept). A pseudo-terminal
carries no breaks and no modem lines: handshakes that need them work in-process only.

Options:
  --link PATH              also make PATH a symbolic link to the device (removed at exit)
  --baud N                 pace the radio's side of the line at N baud, 8N1 (default: the
                           family's own: 19200 for hdt and blt, 1200 for wlb and
                           marten60p, else 9600)
  --no-pace                pass bytes at once
  --log FILE               write every byte both ways and every open and close with its time
  --option K=V             option of the radio model (repeatable)
  --fault FAULT            line fault: silent, wrong, drop=N, garble=N, hangup=N,
                           drop@N, garble@N (repeatable)
  --exit-after-idle SECS   exit when nothing has moved for SECS seconds
  --help                   this text
)";

struct Options {
    std::string family, link, log;
    int baud = 0;  // 0: the family's own
    bool pace = true;
    long idleSeconds = 0;
    ModelOptions modelOptions;
    Faults faults;
};

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void onStopSignal(int) {
    stopRequested = 1;
}

int usageError(const std::string& why) {
    std::cerr << "tunewright-sim: " << why << "\nTry 'tunewright-sim --help'.\n";
    return 2;
}

bool parseNumber(const std::string& text, long low, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && out >= low;
}

// Returns 0 when parsed, 1 for --help, 2 for a usage error (with `why`).
int parse(int argc, char** argv, Options& o, std::string& why) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help") return 1;
        if (a == "--no-pace") {
            o.pace = false;
            continue;
        }
        if (a.rfind("--", 0) != 0) {
            if (!o.family.empty()) {
                why = "more than one FAMILY given";
                return 2;
            }
            o.family = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            why = a + " needs a value";
            return 2;
        }
        const std::string& v = args[++i];
        long n = 0;
        if (a == "--link")
            o.link = v;
        else if (a == "--log")
            o.log = v;
        else if (a == "--baud" && parseNumber(v, 1, n))
            o.baud = static_cast<int>(n);
        else if (a == "--exit-after-idle" && parseNumber(v, 1, n))
            o.idleSeconds = n;
        else if (a == "--option" && v.find('=') != std::string::npos)
            o.modelOptions[v.substr(0, v.find('='))] = v.substr(v.find('=') + 1);
        else if (a == "--fault" && o.faults.parse(v))
            continue;
        else {
            why = "bad option " + a + " " + v;
            return 2;
        }
    }
    if (o.family.empty()) {
        why = "no FAMILY given";
        return 2;
    }
    if (o.baud == 0) o.baud = modelBaud(o.family);
    return 0;
}

// Replaces an old link of ours at `path`, never a file that is not a link.
bool makeLink(const std::string& target, const std::string& path, std::string& why) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            why = path + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(path.c_str());
    }
    if (::symlink(target.c_str(), path.c_str()) != 0) {
        why = "cannot make the link " + path;
        return false;
    }
    return true;
}

std::string familyList() {
    std::string list;
    for (const auto& f : modelFamilies()) list += (list.empty() ? "" : " ") + f;
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string why;
    const int parsed = parse(argc, argv, o, why);
    if (parsed == 1) {
        std::cout << kUsage << "\nFamilies: " << familyList() << "\n";
        return 0;
    }
    if (parsed == 2) return usageError(why);
    if (o.baud == 0) o.baud = modelBaud(o.family);
    std::unique_ptr<RadioModel> model = createModel(o.family, o.modelOptions);
    if (!model) return usageError("no model of family " + o.family + " (" + familyList() + ")");

    // Stop signals stay blocked except while the loop waits, so none slips in unnoticed.
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals, waitMask;
    sigemptyset(&stopSignals);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&stopSignals, sig);
    ::sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigdelset(&waitMask, sig);

    PtyPort port;
    if (!port.open(why)) {
        std::cerr << "tunewright-sim: cannot create a pseudo-terminal: " << why << "\n";
        return 1;
    }
    if (!o.link.empty() && !makeLink(port.slavePath(), o.link, why)) {
        std::cerr << "tunewright-sim: " << why << "\n";
        return 1;
    }
    SteadyClock clock;
    std::unique_ptr<Trace> trace;
    if (!o.log.empty()) {
        trace = std::make_unique<Trace>(o.log, clock);
        if (!trace->isOpen()) return usageError("cannot write the log file " + o.log);
        trace->event(o.family + " radio on " + port.slavePath() +
                     (o.pace ? " at " + std::to_string(o.baud) + " baud" : ", unpaced") +
                     "; RX from the PC, TX to the PC");
    }
    if (port.watch() < 0)
        std::cerr << "tunewright-sim: opens of the port cannot be watched; one session only\n";

    std::cout << port.slavePath() << std::endl;

    SimLoop::Settings settings;
    settings.byteTime = o.pace ? PacedLine::byteTimeAt(o.baud) : 0;
    settings.exitAfterIdle = Nanos{o.idleSeconds} * 1'000'000'000;
    SimLoop loop(port, *model, o.faults, settings, trace.get());
    loop.run(stopRequested, &waitMask);

    if (trace) trace->event("stopped");
    if (!o.link.empty()) ::unlink(o.link.c_str());
    return 0;
}
