#pragma once

#include <string>

#include "clock/clock.h"
#include "config/profile.h"
#include "link/serial_link.h"
#include "ui/ui.h"

namespace tw {

// What the application holds in memory: the port the next radio operation uses.
struct AppState {
    int currentPort = -1;
    // Started for service work (--service): test mode on the Radio menu, GVE Alignment, the
    // test-and-tune sheets.
    bool serviceMode = false;
    // Every successful read from a radio leaves a dated copy in the history folder, unless
    // the run was started with --no-history.
    bool keepHistory = true;
    // A write whose copy of what the radio held could not be kept goes on without asking
    // (--no-copy-before-write, for batch work); else the technician is asked.
    bool writeWithoutCopy = false;
    // Data loaded from another radio's history copy is written without asking
    // (--allow-other-radio); else the technician is asked.
    bool allowOtherRadio = false;
    // The run keeps no history, so no write has a copy: said once, at the first write.
    bool toldNoCopies = false;
    // Simulated radios answer (--simulate): their copies are kept apart from real radios'.
    bool simulated = false;
    // The radio the last kept read or before-write copy came from, as its history names it
    // (serial number, or model when it tells none), and how many of each there were: a page
    // tells by them whether an operation reached a radio's data, and whose.
    struct RadioContact {
        std::string radio;
        long reads = 0;
        long writes = 0;
    };
    RadioContact radioContact = {};
};

// Everything a page operation may reach. One per running program (or per test).
struct Env {
    Ui& ui;
    Clock& clock;
    Profile& profile;
    SerialLink& link;
    AppState& app;
};

}  // namespace tw
