#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

struct Env;

// A dated copy of what a radio gave us, in the family's own file format. Tracking data is
// unique to each radio and lost for good when a wrong file is written over it, so every
// successful read from a radio leaves one. It costs no radio traffic and never changes what
// the technician sees: a copy that cannot be written is only a background detail.
//   family:    folder name of the family ("kvr", "hln", "wla", ...)
//   radio:     the radio's serial number, or its model when it has none
//   extension: the family's file extension without the dot ("tk1", "fea", "bin", ...)
//   fileBytes: exactly what the family's Write to Disk would store
void keepRadioRead(Env& env, const std::string& family, const std::string& radio,
                   const std::string& extension, const std::vector<std::uint8_t>& fileBytes);

}  // namespace tw
