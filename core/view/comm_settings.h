#pragma once

#include <string>

namespace tw {

// The Comm Settings dialog without widgets: a drop-down of "COM 1" to "COM 9" whose
// selection becomes the application's current port on OK.
namespace comm_settings {

inline constexpr const char* kCaption = "Communications Settings";
inline constexpr const char* kLabel = "Serial Port:";
inline constexpr int kPortListId = 789;
inline constexpr int kEntryCount = 9;

// "COM 1" for entry 0.
std::string entryText(int entry);

// Entry selected when the dialog opens: the current port's, the first when no port was ever
// chosen (-1), none (-1) for a port number the list does not hold.
int initialEntry(int currentPort);

// The current port after OK with `entry` selected; a dialog left without a selection keeps
// the port it had.
int portAfterOk(int entry, int currentPort);

}  // namespace comm_settings
}  // namespace tw
