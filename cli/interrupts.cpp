#include "cli/interrupts.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace tw::cli {
namespace {

std::atomic<int> gCaught{0};
CancelSignal* gCancel = nullptr;
char gFinishing[160];
std::size_t gFinishingLength = 0;

extern "C" void onSignal(int number) {
    int none = 0;
    if (gCaught.compare_exchange_strong(none, number)) {
        if (gCancel) gCancel->request();
        return;
    }
    // Only async-signal-safe calls here.
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, gFinishing, gFinishingLength);
}

}  // namespace

void cancelOnSignals(CancelSignal& cancel, const char* program) {
    gCancel = &cancel;
    const char* text = ": finishing: leaving the radio safe before exiting.\n";
    gFinishingLength = 0;
    for (const char* p : {program, text}) {
        const std::size_t len = std::min(std::strlen(p), sizeof gFinishing - gFinishingLength);
        std::memcpy(gFinishing + gFinishingLength, p, len);
        gFinishingLength += len;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A read from the terminal (a question) goes on; the cancel takes effect after it.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int caughtSignal() {
    return gCaught.load();
}

int signalExitStatus(int signal) {
    return 128 + signal;
}

std::string cancelledRunLine(const char* program, const std::string& step, RadioWork work,
                             int signal) {
    const std::string consequence = cancelConsequence(work);
    return std::string(program) + ": " + (signal == SIGTERM ? "SIGTERM" : "SIGINT") + ": step " +
           step + " cancelled; " +
           (consequence.empty() ? "nothing in the radio was changed." : consequence);
}

}  // namespace tw::cli
