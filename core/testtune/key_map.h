#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tw::testtune {

// A key of the radio as its keypad events name it, the indicator of the keypad test dialog
// that shows it, and its label.
struct KeyIndicator {
    char key;
    int controlId;
    std::string_view label;
};

inline constexpr std::array<KeyIndicator, 23> kKeyMap = {{
    {'1', 1010, "1"},   {'2', 1011, "2"},   {'3', 1012, "3"},    {'4', 1013, "4"},
    {'5', 1014, "5"},   {'6', 1015, "6"},   {'7', 1016, "7"},    {'8', 1017, "8"},
    {'9', 1018, "9"},   {'0', 1019, "0"},   {'*', 1020, "*"},    {'#', 1021, "#"},
    {'P', 1022, "PTT"}, {'C', 1023, "CLR"}, {'O', 1024, "OPTN"}, {'E', 1025, "EMER"},
    {'U', 1026, "U"},   {'D', 1027, "D"},   {'M', 1028, "M"},    {'T', 1051, "OPT"},
    {'A', 1052, "A/D"}, {'S', 1053, "SCN"}, {'\0', 0, ""},  // no key
}};

// The keys a keypad test can see: every entry with an indicator.
inline constexpr int kKeyCount = [] {
    int n = 0;
    for (const auto& k : kKeyMap) n += k.controlId != 0 ? 1 : 0;
    return n;
}();

// The indicator of a key, or nothing for a character the map does not hold.
inline std::optional<int> keyIndicator(char key) {
    if (key == '\0') return std::nullopt;
    for (const auto& k : kKeyMap)
        if (k.key == key) return k.controlId;
    return std::nullopt;
}

// Rotary knob position n (1 to 16) lights control 1030 + n.
inline constexpr int kKnobIndicatorBase = 1030;
// The volume dialog's progress bar and its text.
inline constexpr int kVolumeProgress = 1029;
inline constexpr int kVolumeText = 1030;

}  // namespace tw::testtune
