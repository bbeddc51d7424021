#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

namespace tw::cli {

// One line on a terminal that shows what a long operation is doing: the status text, how
// far it is and the time taken, redrawn in place and cleared when it ends or before any
// other output. Off, it prints nothing at all (scripts, --json, a redirected stream).
class TerminalProgress {
  public:
    TerminalProgress(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}
    ~TerminalProgress() { clear(); }
    void enable(bool on) { enabled_ = on; }

    void text(const std::string& status);
    void progress(long done, long total);
    // Removes the line (the operation ended, or other output is about to be written).
    void clear();
    // What the line shows now ("" when nothing is drawn).
    const std::string& line() const { return drawn_; }

  private:
    void draw();

    std::ostream& out_;
    bool enabled_;
    std::string status_;
    long done_ = -1, total_ = 0;
    std::chrono::steady_clock::time_point started_;
    bool running_ = false;
    std::string drawn_;
};

// "1:05" for 65 seconds.
std::string formatElapsed(std::chrono::milliseconds elapsed);

}  // namespace tw::cli
