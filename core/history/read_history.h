#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct AppState;
struct Env;

// A dated copy of what a radio gave us, in the family's own file format. Tracking data is
// unique to each radio and lost for good when a wrong file is written over it, so every
// successful read from a radio leaves one. It costs no radio traffic and never changes what
// the technician sees: a copy that cannot be written is only a background detail.
//   family:    folder name of the family ("kvr", "hln", "wla", ...)
//   radio:     the radio's serial number, or its model when it has none
//   extension: the family's file extension without the dot ("tk1", "fea", "bin", ...)
//   fileBytes: exactly what the family's Write to Disk would store
//
// Layout: <history folder>/<family>/<radio>/<UTC date and time>.<extension>, for example
// ~/.local/share/tunewright/history/hln/0102030405A6/2026-12-07T01-58-03Z.tk2. Runs with
// simulated radios keep theirs apart, under <history folder>/simulated/<family>/<radio>/.
// A second copy within the same second gets "-2", "-3", ... before the extension.
void keepRadioRead(Env& env, const std::string& family, const std::string& radio,
                   const std::string& extension, const std::vector<std::uint8_t>& fileBytes);

// The copy of what a radio holds, read inside a write's own connection before the first byte
// that changes the radio: nothing when that read failed.
using HeldCopy = std::optional<std::vector<std::uint8_t>>;

namespace history_text {
inline constexpr const char* kNotRead =
    "What the radio holds could not be read before the write, so no copy of it was kept.";
inline constexpr const char* kWriteWithoutCopy =
    "\nWrite to the radio without a copy of what it holds now?";
}  // namespace history_text

// Keeps `held` as the radio's copy before a write, marked "-before-write" in its name
// (2026-12-07T01-58-03Z-before-write.tk2), and says whether the write may go on. When the
// read failed or the copy cannot be saved, the technician is asked whether to write without
// a copy (a question a batch's --yes does not answer; --no-copy-before-write does). A run
// without history keeps no copy and lets every write go on, saying so once.
bool keepBeforeWrite(Env& env, const std::string& family, const std::string& radio,
                     const std::string& extension, const HeldCopy& held);

// One file of the copy of a write that replaces several records.
struct HeldFile {
    std::string extension;
    HeldCopy held;
};
// The same for several records: each is kept, and one question covers any that is not.
bool keepBeforeWrite(Env& env, const std::string& family, const std::string& radio,
                     const std::vector<HeldFile>& files);

// $XDG_DATA_HOME/tunewright/history (~/.local/share/tunewright/history when unset), with
// "/simulated" appended for a simulated run.
std::string historyFolder(const AppState& app);

// A radio's serial number or model as one safe folder name: no path separators, no "." or
// "..", no control characters, at most 64 characters; "unknown" when nothing is left.
std::string historyFolderName(const std::string& radio);

struct KeptRead {
    std::string path;
    std::string radio;
    std::string time;          // UTC, "2026-12-07 01:58:03"
    bool beforeWrite = false;  // taken just before a write replaced it
};

// The copies kept for one family, oldest first.
std::vector<KeptRead> keptRadioReads(const AppState& app, const std::string& family);

// The copy a file is, when it lies in the history of `family`: its radio and time.
std::optional<KeptRead> historyCopyAt(const AppState& app, const std::string& family,
                                      const std::string& path);

// Before a write of data loaded from `source`: true when the data came from no history copy,
// from a copy of the radio on the bench, or the bench radio tells no serial number (empty
// `benchSerial`); else the technician is asked (a question --yes does not answer;
// --allow-other-radio does).
bool confirmOtherRadio(Env& env, const std::optional<KeptRead>& source,
                       const std::string& benchSerial);

}  // namespace tw
