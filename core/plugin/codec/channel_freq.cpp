#include "plugin/codec/channel_freq.h"

#include <cmath>

namespace tw {
namespace {

struct Grid {
    double base, step;
    int multiplier;  // channel numbers counted in doubled steps
};

Grid channelGrid(const FreqContext& c, bool upper, bool fine, bool firstNumber) {
    switch (c.band) {
        case 7: {
            const bool high = c.type == 'T' && (firstNumber || c.version690);
            return {high ? 480.0 : 470.0, fine ? 0.00625 : 0.005, c.type == 'T' ? 1 : 2};
        }
        case 11:
            if (upper) return {c.type == 'J' ? 851.0 : 850.9875, 0.0125, 1};
            return {c.type == 'J' ? 806.0 : 805.9875, 0.0125, 1};
        case 12:
            return {upper ? 935.0 : 896.0, 0.0125, 1};
        default:
            return {upper ? 850.9875 : 805.9875, 0.0125, 1};
    }
}

constexpr double kHz1 = 1e-6;  // MHz

// A whole number of steps within 1 Hz, or nothing.
std::optional<long> stepsOf(double mhz, double base, double step) {
    if (!std::isfinite(mhz)) return std::nullopt;
    const double steps = (mhz - base) / step;
    const double whole = std::round(steps);
    if (std::fabs(steps - whole) * step > kHz1 || whole < 0 || whole > 1e7) return std::nullopt;
    return static_cast<long>(whole);
}

double countStep(const FreqContext& c, bool fine) {
    const bool doubled = c.type == 'T' && (c.band == 2 || c.band == 5 || c.band == 7);
    return (fine ? 0.00625 : 0.005) * (doubled ? 2 : 1);
}

double secondOffset(const FreqContext& c) {
    return c.band == 1 || c.band == 13 ? -45.0 : 45.0;
}

}  // namespace

double channelToMHz(const FreqContext& c, int number, bool upper, bool fine, bool firstNumber) {
    const Grid g = channelGrid(c, upper, fine, firstNumber);
    const int steps = (number * g.multiplier) & 0xFFFF;
    return g.base + steps * g.step;
}

std::optional<int> mhzToChannel(const FreqContext& c, double mhz, bool upper, bool fine,
                                bool firstNumber) {
    const Grid g = channelGrid(c, upper, fine, firstNumber);
    auto steps = stepsOf(mhz, g.base, g.step);
    if (!steps || *steps % g.multiplier != 0) return std::nullopt;
    const long number = *steps / g.multiplier;
    if (number > 0xFFF) return std::nullopt;
    return static_cast<int>(number);
}

double countToMHz(const FreqContext& c, int count, bool fine, bool second) {
    return count * countStep(c, fine) + (second ? secondOffset(c) : 0.0);
}

std::optional<int> mhzToCount(const FreqContext& c, double mhz, bool fine, bool second) {
    auto steps = stepsOf(mhz, second ? secondOffset(c) : 0.0, countStep(c, fine));
    if (!steps || *steps > 0x1FFFF) return std::nullopt;
    return static_cast<int>(*steps);
}

}  // namespace tw
