#pragma once

namespace tw::testtune {

// How a test sheet left the radio's transmitter when it ended.
enum class TransmitterAfterSheet {
    Untold,   // the sheet cannot say: it never reached the radio, or lost it with nothing keyed
    Off,      // an unkey was answered, or the sheet ended in order with nothing keyed
    MayBeOn,  // keyed, and no unkey was answered after
};

// Told on the family page when a sheet ended with the transmitter possibly keyed; it stands
// there until a later sheet leaves the transmitter off.
inline constexpr const char* kTransmitterMayStillBeOn =
    "The radio's transmitter may still be on. Switch the radio off.";

}  // namespace tw::testtune
