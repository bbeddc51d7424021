#pragma once

#include <string>

namespace tw {

// Where the values a page shows came from, said in one line for the status bar and the
// command line: a technician must never mistake a previous radio's alignment, or a file's,
// for the radio on the bench.
class ValueSource {
  public:
    enum class Kind { None, Read, Loaded, Defaults, Written, Saved };

    // The values now are those of `what` (a radio's serial number or model, a file, a band)
    // as of `time` ("14:02:11"); edits and an earlier failure no longer apply.
    void set(Kind kind, std::string what, std::string time);
    // An operation that should have replaced the values failed and left them as they were.
    void failed(std::string operation, std::string time);
    // The technician changed a value since.
    void edited();

    Kind kind() const { return kind_; }
    // The radio, file or band of the line.
    const std::string& what() const { return what_; }
    // "Read from radio 00A1B2C3D4E5 at 14:02:11", "Edited since loaded from ...", ...;
    // empty while the page shows what it started with.
    std::string line() const;

  private:
    std::string origin() const;      // "Read from radio X at T"
    std::string valuesFrom() const;  // "from radio X, read at T"

    Kind kind_ = Kind::None;
    std::string what_;
    std::string time_;
    bool edited_ = false;
    std::string failedOperation_;
    std::string failedTime_;
};

// The local wall-clock time as "HH:MM:SS".
std::string localClockText();

}  // namespace tw
