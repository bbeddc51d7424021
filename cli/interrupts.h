#pragma once

#include <string>

#include "link/cancel.h"
#include "run/radio_operation.h"

namespace tw::cli {

// Turns SIGINT and SIGTERM into a cancel of the running operation: the operation stops at
// its next command boundary and its finishing step still runs, so a radio is never left in
// test mode or keyed by a Ctrl-C. A second signal only says that the program is finishing.
void cancelOnSignals(CancelSignal& cancel, const char* program);

// The signal caught (0: none yet).
int caughtSignal();
// The exit status for a run ended by `signal`: 128 + its number (130 for SIGINT).
int signalExitStatus(int signal);
// The last line of a run `signal` ended during `step`: what stopped and what the radio may
// hold ("<program>: SIGINT: step <step> cancelled; ...").
std::string cancelledRunLine(const char* program, const std::string& step, RadioWork work,
                             int signal);

}  // namespace tw::cli
