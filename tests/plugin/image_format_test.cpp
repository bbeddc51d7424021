#include <gtest/gtest.h>

#include "plugin/codec/channel_freq.h"
#include "plugin/codec/display_code.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/tone_gate.h"

namespace tw {
namespace {

TEST(ChannelNumbers, FrequencyByBandTypeUpperFineAndDirection) {
    struct Row {
        int band;
        char type;
        bool v690, upper, fine, first;
        int number;
        double mhz;
    };
    const Row rows[] = {
        {11, 'C', true, false, false, true, 1, 806.0},
        {11, 'J', true, false, false, true, 1, 806.0125},
        {11, 'C', true, true, false, true, 0, 850.9875},
        {11, 'J', true, true, false, false, 0, 851.0},
        {12, 'C', true, true, false, true, 2, 935.025},
        {12, 'C', true, false, false, true, 2, 896.025},
        {7, 'C', true, false, false, true, 1, 470.01},
        {7, 'C', true, false, true, true, 1, 470.0125},
        {7, 'T', true, false, false, true, 1, 480.005},
        {7, 'T', true, true, false, false, 1, 480.005},
        {7, 'T', false, true, false, false, 1, 470.005},
        {7, 'T', false, false, false, true, 1, 480.005},
        {1, 'C', true, false, false, true, 4, 806.0375},
        {5, 'U', true, true, false, false, 0, 850.9875},
    };
    for (const auto& r : rows) {
        const FreqContext c{r.band, r.type, r.v690};
        EXPECT_NEAR(channelToMHz(c, r.number, r.upper, r.fine, r.first), r.mhz, 1e-9)
            << r.band << r.type << r.number;
        EXPECT_EQ(mhzToChannel(c, r.mhz, r.upper, r.fine, r.first), r.number) << r.band << r.type;
    }
}

TEST(ChannelNumbers, AFrequencyWithoutANumberInTheFieldHasNone) {
    const FreqContext c{11, 'C', true};
    EXPECT_EQ(mhzToChannel(c, 806.0 + 0.0000009, false, false, true), 1);         // within 1 Hz
    EXPECT_FALSE(mhzToChannel(c, 806.0 + 0.000002, false, false, true));          // off the grid
    EXPECT_FALSE(mhzToChannel(c, 805.0, false, false, true));                     // below the base
    EXPECT_FALSE(mhzToChannel(c, 805.9875 + 4096 * 0.0125, false, false, true));  // 13 bits
    EXPECT_EQ(mhzToChannel(c, 805.9875 + 4095 * 0.0125, false, false, true), 4095);
    EXPECT_FALSE(mhzToChannel(FreqContext{7, 'C', true}, 470.005, false, false, true));  // odd step
}

TEST(FrequencyCounts, LongRecordsCountFiveOrSixAndAQuarterKilohertz) {
    struct Row {
        int band;
        char type;
        bool fine, second;
        int count;
        double mhz;
    };
    const Row rows[] = {
        {1, 'C', false, false, 30000, 150.0},     {1, 'C', false, true, 39000, 150.0},
        {13, 'C', true, true, 29000, 136.25},     {2, 'C', false, true, 71600, 403.0},
        {7, 'T', false, false, 47000, 470.0},     {7, 'T', true, false, 1, 0.0125},
        {5, 'C', false, false, 0x1FFFF, 655.355},
    };
    for (const auto& r : rows) {
        const FreqContext c{r.band, r.type, true};
        EXPECT_NEAR(countToMHz(c, r.count, r.fine, r.second), r.mhz, 1e-9) << r.band << r.count;
        EXPECT_EQ(mhzToCount(c, r.mhz, r.fine, r.second), r.count) << r.band << r.count;
    }
    EXPECT_FALSE(mhzToCount(FreqContext{5, 'C', true}, 655.36, false, false));  // 18 bits
    EXPECT_FALSE(mhzToCount(FreqContext{5, 'C', true}, 40.0, false, true));     // below the offset
}

// A digital code goes by its radio index: its octal value, save for 116 and 446; 377 is no
// standard code and 411 lies past one byte.
TEST(ToneGate, TextsOfTonesDigitalCodesAndSpecialMode) {
    struct Row {
        std::uint8_t first, second;
        bool special;
        const char* text;
    };
    const Row rows[] = {
        {0x02, 0x9E, false, "67.0"}, {0x0F, 0xFF, false, "409.5"}, {0x00, 0x01, false, "0.1"},
        {0x40, 19, false, " 23"},    {0x40, 48, false, "116"},     {0x40, 3, false, "446"},
        {0x40, 245, false, "365"},   {0x40, 0xFF, false, "#255"},  {0x40, 78, false, "#78"},
        {0x00, 0x00, false, ""},     {0x00, 0x00, true, "3052"},   {0x00, 0x01, true, "2919"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(decodeToneGate(r.first, r.second, r.special), r.text);
        // The no-transmit mark in bit 4 does not change the code.
        EXPECT_EQ(decodeToneGate(r.first | 0x10, r.second, r.special), r.text);
        std::string why;
        const auto back = encodeToneGate(r.text, r.special, why);
        ASSERT_TRUE(back) << r.text << why;
        EXPECT_EQ(back->second, r.second) << r.text;
        EXPECT_EQ(back->first, r.text[0] == 0 || r.special ? 0 : r.first) << r.text;
    }
    for (const char* refused : {"754", "377", "411", "12.34", "409.6", "3052", "x", "#0", "#256"}) {
        std::string why;
        EXPECT_FALSE(encodeToneGate(refused, false, why)) << refused;
        EXPECT_FALSE(why.empty());
    }
    std::string why;
    EXPECT_FALSE(encodeToneGate("67.0", true, why));
}

TEST(DisplayCode, NamesOfTheUktRadios) {
    const std::uint8_t bytes[] = {0x50, 0x51, 0x5A, 0x5B, 0x5C, 0x5D,
                                  0x11, 0x26, 0xD1, 0x00, 0x25, 0x27};
    EXPECT_EQ(decodeDisplayName(bytes, sizeof bytes), " 10*=_AUUV");
    for (char c : std::string(" 0123456789*=_ABCXYZ:"))
        EXPECT_EQ(decodeDisplayName(std::array<std::uint8_t, 1>{displayCodeOf(c)}.data(), 1),
                  std::string(1, c))
            << c;
    EXPECT_EQ(displayCodeOf('!'), 0x50);  // no code: a blank
}

// Trunked and conventional records, group and trunked sets are pinned by the kept images.
TEST(RecordSizes, OfSystemsByType) {
    EXPECT_EQ((std::vector<int>{systemFixedSize(0), systemFixedSize(1), systemFixedSize(2),
                                systemFixedSize(3), systemFixedSize(4)}),
              (std::vector<int>{5, 11, 11, 7, -1}));
}

}  // namespace
}  // namespace tw
