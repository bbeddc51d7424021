#pragma once

#include <memory>
#include <string>

#include "families/blt/radio_data.h"

namespace tw {
struct Env;
}

namespace tw::blt {

// What reaches a BLT radio. The connection object keeps the held data and runs the
// operations on held data itself; everything that talks to a radio (or to the desktop
// frequency-select board) goes through one backend. A backend works on the held data it is
// given and changes it only when an operation succeeded. Each transfer is one call, so the
// page cannot tell how far it is: a backend that moves code or files in pieces reports its
// own progress through the Env's Ui.
class RadioBackend {
  public:
    virtual ~RadioBackend() = default;
    // Opens the given port and identifies the radio: 1 ready for reading, -1 the port did
    // not open, 0 or another value otherwise. Tells Ui::detail why not.
    virtual int open(RadioData& held, int port) = 0;
    // A radio operation (jump, writes, status read, code and ADI/DSP reads, board flash,
    // recovery); non-zero on success. `path` only for the operations that take one. The code
    // and file reads and the flash tell Ui::progress how many bytes they have moved.
    virtual int command(ECommand command, RadioData& held, const std::string& path) = 0;
    virtual int fillStatus(const RadioData& held, RadioStatus& status) = 0;
    // Sets held.hardwareLevel from the radio; returns it.
    virtual int calcHardwareLevel(RadioData& held) = 0;
    virtual void serialClose() = 0;
    virtual void closeRadio() = 0;
    virtual bool isConnected() const = 0;
};

// Makes one backend per connection object (the desktop reflash uses a second one).
class RadioBackendFactory {
  public:
    virtual ~RadioBackendFactory() = default;
    virtual std::unique_ptr<RadioBackend> create(Env& env) = 0;
};

// No connection library at all: nothing opens, and Ui::detail says so. Files, editing and
// the report still work on held data.
std::shared_ptr<RadioBackendFactory> noRadioBackend();

}  // namespace tw::blt
