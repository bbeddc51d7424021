#pragma once

#include <csignal>
#include <cstdint>
#include <vector>

#include "link/trace.h"
#include "sim/paced_line.h"
#include "sim/radio_model.h"
#include "sim/tool/pty_port.h"

namespace tw::sim {

// Moves bytes between the pseudo-terminal and the radio model in real time until told to stop.
//
// What an open means: the radio model learns of a new session (RadioModel::onOpen: protocol
// state back to power-on, answers not yet read dropped) when the slave goes from no other
// holder to one. The program opens the port for every operation, so each operation meets a
// radio waiting for its handshake, just as with the in-process device. Where opens cannot be
// watched, the whole run is one session that starts with the simulator.
class SimLoop {
  public:
    struct Settings {
        Nanos byteTime = 0;       // 0: bytes pass at once
        Nanos exitAfterIdle = 0;  // 0: run until a signal
    };

    SimLoop(PtyPort& port, RadioModel& model, const Faults& faults, Settings settings,
            Trace* trace);

    // Returns when `stop` becomes non-zero (set by a signal handler) or the line has been
    // idle for the configured time. `waitMask` is the signal mask to wait with, so that a
    // signal blocked elsewhere interrupts the wait and is never lost between checks.
    void run(volatile std::sig_atomic_t& stop, const sigset_t* waitMask);

  private:
    Nanos now() const;
    void onPortEvents();
    void readFromPc();
    void writeToPc();

    PtyPort& port_;
    RadioModel& model_;
    PacedLine line_;
    Settings settings_;
    Trace* trace_;
    Nanos start_;
    Nanos lastActivity_ = 0;
    int clients_ = 0;
    long sessions_ = 0;
    bool watching_;
    std::vector<std::uint8_t> pending_;  // due for the PC, not yet taken by the pty
};

}  // namespace tw::sim
