#include "cli/terminal_progress.h"

#include <cstdio>
#include <ostream>

namespace tw::cli {
namespace {

// A terminal narrower than this still shows the start of the line; the rest would wrap and
// break the redraw.
constexpr std::size_t kMaxWidth = 79;

}  // namespace

std::string formatElapsed(std::chrono::milliseconds elapsed) {
    const long long s = elapsed.count() / 1000;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld:%02lld", s / 60, s % 60);
    return buf;
}

void TerminalProgress::text(const std::string& status) {
    if (!enabled_) return;
    if (!running_) {
        started_ = std::chrono::steady_clock::now();
        running_ = true;
    }
    status_ = status;
    draw();
}

void TerminalProgress::progress(long done, long total) {
    if (!enabled_ || total <= 0) return;
    if (!running_) {
        started_ = std::chrono::steady_clock::now();
        running_ = true;
    }
    done_ = done;
    total_ = total;
    draw();
}

void TerminalProgress::draw() {
    std::string line = status_;
    if (total_ > 0 && done_ >= 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s%ld/%ld %ld%%", line.empty() ? "" : "  ", done_, total_,
                      done_ * 100 / total_);
        line += buf;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started_);
    line += (line.empty() ? "" : "  ") + formatElapsed(elapsed);
    if (line.size() > kMaxWidth) line.resize(kMaxWidth);
    if (line == drawn_) return;
    out_ << "\r" << line << "\033[K" << std::flush;
    drawn_ = line;
}

void TerminalProgress::clear() {
    if (!drawn_.empty()) out_ << "\r\033[K" << std::flush;
    drawn_.clear();
    status_.clear();
    done_ = -1;
    total_ = 0;
    running_ = false;
}

}  // namespace tw::cli
