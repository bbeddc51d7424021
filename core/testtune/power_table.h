#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tw::testtune {

// One row of the transmit power tracking table: a scroll bar of the power page and the
// transmitter setting it selects.
struct PowerRow {
    int controlId;
    std::int64_t hz800;  // transmit frequency of an 800 MHz radio
    std::int64_t hz900;  // of a 900 MHz radio
    int level;           // 0 low, 1 mid, 2 high
    int mode;            // 0 trunking, 1 talk-around
    int point;           // frequency point 0..2
    std::uint8_t powerLabel;
    std::uint8_t modeLabel;
};

inline constexpr std::array<std::string_view, 4> kPowerLabels = {"300 mW", "1.12 W", "2.2 W",
                                                                 "3.2 W"};
inline constexpr std::array<std::string_view, 2> kModeLabels = {"Trunking", "Talk Around"};

// Rows Low/Mid/High per frequency point; three trunking points, then three talk-around ones.
// The high level is 3.2 W when trunking and 2.2 W in talk-around.
inline constexpr std::array<PowerRow, 18> kPowerTable = {{
    {1092, 806000000, 896000000, 0, 0, 0, 0, 0},
    {1093, 806000000, 896000000, 1, 0, 0, 1, 0},
    {1110, 806000000, 896000000, 2, 0, 0, 3, 0},
    {1094, 815000000, 899000000, 0, 0, 1, 0, 0},
    {1095, 815000000, 899000000, 1, 0, 1, 1, 0},
    {1111, 815000000, 899000000, 2, 0, 1, 3, 0},
    {1096, 824000000, 902000000, 0, 0, 2, 0, 0},
    {1097, 824000000, 902000000, 1, 0, 2, 1, 0},
    {1112, 824000000, 902000000, 2, 0, 2, 3, 0},
    {1098, 851000000, 935000000, 0, 1, 0, 0, 1},
    {1099, 851000000, 935000000, 1, 1, 0, 1, 1},
    {1113, 851000000, 935000000, 2, 1, 0, 2, 1},
    {1100, 860000000, 938000000, 0, 1, 1, 0, 1},
    {1101, 860000000, 938000000, 1, 1, 1, 1, 1},
    {1114, 860000000, 938000000, 2, 1, 1, 2, 1},
    {1102, 869000000, 941000000, 0, 1, 2, 0, 1},
    {1103, 869000000, 941000000, 1, 1, 2, 1, 1},
    {1115, 869000000, 941000000, 2, 1, 2, 2, 1},
}};

const PowerRow* powerRow(int controlId);

}  // namespace tw::testtune
