#pragma once

namespace tw {

// What a cancelled operation may have left in the radio.
enum class RadioWork {
    Read,   // nothing changed
    Write,  // part of the new data
    Flash,  // half-written program code
};

}  // namespace tw
