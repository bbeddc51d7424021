#pragma once

#include <functional>
#include <optional>
#include <string>

#include "clock/clock.h"
#include "link/device.h"
#include "plugin/transfer/transfer_outcome.h"
#include "run/radio_operation.h"
#include "tunewright_plugin.h"
#include "view/env.h"

namespace tw::plugin {

// What the host chose for the transfers: port 1's device, the profile file and the dump
// folder (each empty: the usual one).
struct HostChoices {
    std::string device, profile, dumpFolder;
};

using TransferFlow = std::function<TransferOutcome(Env&, const TransferSettings&)>;

// Runs one transfer of the host's on port 1 through `devices` and `clock`. A radio transfer
// (`work` set: what a cancel may leave in the radio) answers to the host's cancelRequested
// from its start: it stops at the next command boundary, the port is finished and closed,
// the host is told what the radio may hold instead of the flow's own failure messages, and
// the outcome is Cancelled whatever the flow returned. A file transfer is the flow alone. A
// write whose copy of what the radio held cannot be kept asks the host's askRisky, unless
// the host's writeWithoutCopy lets it go on.
TransferOutcome runHostTransfer(const TwHost* host, const HostChoices& choices,
                                DeviceFactory& devices, Clock& clock, std::optional<RadioWork> work,
                                const TransferFlow& flow);

}  // namespace tw::plugin
