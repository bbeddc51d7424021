#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

class Ui;

// $XDG_STATE_HOME/tunewright (~/.local/state/tunewright when unset): where the transfers
// leave the raw images they read and wrote, for a fault report.
std::string defaultDumpFolder();

// Writes `name` ("read.hex", "write.hex") into the folder (made on demand), atomically. A
// dump is a diagnostic aid, so a failure is no message box: the detail line says where it
// went or why not. True when written.
bool writeDump(const std::string& folder, const char* name, const std::uint8_t* bytes,
               std::size_t count, Ui& ui);

}  // namespace tw
