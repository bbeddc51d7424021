// Report lines of the BLT page: every tracking block, the feature and serial lines and the
// status text.
#include <gtest/gtest.h>

#include <algorithm>

#include "families/blt/blt_report.h"
#include "families/blt/tracking_layout.h"

namespace tw::blt::test {
namespace {

using Lines = std::vector<std::string>;

// Every tracking word holds its own place among the 237 words, so a row shows which words
// stand behind it.
RadioData numbered(int version) {
    RadioData d;
    for (std::size_t i = 0; i < kTrackingWords; ++i)
        d.trackingArrays[i] = static_cast<std::uint32_t>(i);
    d.trackingArrays[5] = 70000;  // printed as a 16-bit word
    d.trackingVersion = version;
    d.radioTypeCode = 'e';
    return d;
}

bool contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(BltReport, EveryVersionBlockShowsItsWords) {
    struct Row {
        int version;
        const char* line;
    };
    const Row rows[] = {
        {1, "                SQUELCH        18   19   20   21   22"},
        {1, "      TX DATA DEVIATION      4464"},
        {1, "     42         122  123  124  125  126       127  128  129  130  131"},
        {1, "    START FREQUENCY               0               1"},
        {2, "                             WIDE BAND"},
        {3, "                SQUELCH        18   19   20   21   22       33   34   35   36   37"},
        {3, " TX DATA FILTER DIVISOR         4                            6"},
        {4, "      End Frequency               2               3"},
        {4, "         Narrow Band              6              7              8"},
        {4, "     RSSI @ -100 dBm   24   25"},
        {5, "                 TX MODULATOR              30              31"},
        {6, "   222      223  224   225     226  227  228     229  230  231     232   233   234"},
        {7, "  TX DATA DEVIATION SCALER:  WIDE    7 MID    8 NARROW    9"},
        {7, "         TX POWER  164                            179"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.line);
        const Lines lines = bltReportLines(numbered(r.version));
        EXPECT_TRUE(contains(lines, r.line));
        EXPECT_EQ(lines.at(4), "RADIO TYPE NUMBER:   101 R310 System");
        EXPECT_EQ(lines.at(6), "TRACKING DATA");
    }
}

// The editor offers each word once, and nothing beyond the 237 words.
TEST(BltReport, EditorFieldsPerVersion) {
    for (int v = 1; v <= 7; ++v) {
        SCOPED_TRACE(v);
        ASSERT_NE(trackingLayout(v), nullptr);
        const auto fields = editorFields(v);
        for (const auto& f : fields) EXPECT_LT(f.word, kTrackingWords);
        for (std::size_t i = 1; i < fields.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) ASSERT_NE(fields[i].word, fields[j].word);
    }
    EXPECT_EQ(trackingLayout(0), nullptr);
    EXPECT_EQ(trackingLayout(8), nullptr);
}

TEST(BltReport, HeadLinesAndNoBlockWithoutTrackingData) {
    RadioData d;
    d.serialNumber = {0x01, 0xAB, 0x00, 0x10, 0xFF, 0x7C};
    d.featureWords[3] = 13;
    d.featureBlock[10] = 0x0A;
    d.featureBlock[11] = 0xB0;
    d.featureBlock[12] = 0xFF;
    d.trackingVersion = 8;
    const Lines lines = bltReportLines(d);
    const Lines expected = {
        "SERIAL NUMBER: 01  AB  00  10  FF  7C",
        "",
        "FEATURE DATA: 0AB0FF",
        "",
        " ",
        " ",
        "----------------------- Radio Status Information -----------------------",
        " ",
    };
    EXPECT_EQ(lines, expected);
}

// A feature length past the block (from a radio) is bounded to the block.
TEST(BltReport, FeatureBytesBoundedToTheBlock) {
    RadioData d;
    d.featureWords[3] = 100000;
    d.featureBlock.fill(0x11);
    const Lines lines = bltReportLines(d);
    EXPECT_EQ(lines.at(2), "FEATURE DATA: " + std::string(2 * (kFeatureBlockSize - 10), '1'));
    d.featureWords[3] = 10;
    EXPECT_EQ(bltReportLines(d).at(2), "FEATURE DATA: ");
}

// Every line of the status text is printed whole: an empty line, and a last line without
// CR LF too.
TEST(BltReport, StatusTextLines) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const std::string pad(10, ' ');
    const Case cases[] = {
        {"", {}},
        {"Type: Lyra\r\nLevel 4\r\n", {pad + "Type: Lyra", pad + "Level 4"}},
        {"A\r\n\r\nB", {pad + "A", pad, pad + "B"}},
        {"\r\n", {pad}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(statusReportLines(c.text), c.lines);
    }
}

}  // namespace
}  // namespace tw::blt::test
