#pragma once

#include <optional>

namespace tw {

// What a channel number or frequency count means depends on the radio: its band code
// (radio ID byte 1), its type letter and, for the Taiwan KVR, its data version.
struct FreqContext {
    int band = 0;
    char type = 'C';
    bool version690 = true;  // data version 6.90 or later
};

// Channel-number form (trunked channels, short conventional records): 12-bit number.
double channelToMHz(const FreqContext& c, int number, bool upper, bool fine, bool firstNumber);
// The number whose frequency lies within 1 Hz of `mhz`; nothing when none fits the field.
std::optional<int> mhzToChannel(const FreqContext& c, double mhz, bool upper, bool fine,
                                bool firstNumber);

// Count form (long conventional records): 17-bit count of 5 or 6.25 kHz.
double countToMHz(const FreqContext& c, int count, bool fine, bool second);
std::optional<int> mhzToCount(const FreqContext& c, double mhz, bool fine, bool second);

// Bands whose conventional records use the short form.
inline bool shortConvForm(int band) {
    return band == 11 || band == 12;
}

}  // namespace tw
