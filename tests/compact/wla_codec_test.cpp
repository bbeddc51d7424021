#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compact/wla_fixture.h"
#include "families/compact/crc8.h"
#include "families/compact/srecord.h"
#include "families/compact/wla_files.h"
#include "families/compact/wla_protocol.h"
#include "families/compact/wla_record.h"
#include "families/compact/wla_report.h"

namespace tw::compact {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(WlaCrc8, KnownValues) {
    const std::string ff(64, '\xFF');
    const struct {
        std::string data;
        std::uint8_t crc;
    } cases[] = {{"abc", 0xE8}, {"123456789", 0x2A}, {ff, 0x22}, {"", 0x00}};
    for (const auto& c : cases)
        EXPECT_EQ(crc8(reinterpret_cast<const std::uint8_t*>(c.data.data()), c.data.size()), c.crc)
            << c.data;
}

// The tracking commands' bytes are checked on the wire by the page's tests.
TEST(WlaCommands, FlashBlockBytes) {
    std::vector<std::uint8_t> data(64, 0xFF);
    const auto block = flashBlockCommand(0xF740, data.data());
    ASSERT_EQ(block.size(), kFlashBlockCommandSize);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 8),
              (std::vector<std::uint8_t>{0x46, 0x44, 0x00, 0x41, 0x00, 0x00, 0xF7, 0x40}));
    EXPECT_EQ(block[8], 0xFF);
    EXPECT_EQ(block.back(), 0x22);
}

TEST(WlaIdentity, ConfigurationByte) {
    const struct {
        std::uint8_t type, config;
        std::size_t count;
        bool ok;
        bool forty;
        int band;
        std::string problem;
    } cases[] = {
        {30, 5, 20, true, true, 2, ""},
        {31, 0, 4, true, false, 0, ""},
        {30, 9, 20, true, true, 4, ""},
        {30, 0xFF, 20, false, false, 0, "Invalid band split data"},
    };
    for (const auto& c : cases) {
        const std::uint8_t answer[4] = {c.type, 1, 2, c.config};
        std::string problem;
        const auto id = decodeIdentity(answer, c.count, problem);
        EXPECT_EQ(id.has_value(), c.ok) << int(c.config);
        EXPECT_EQ(problem, c.problem) << int(c.config);
        if (!id) continue;
        EXPECT_EQ(id->fortyWatts, c.forty);
        EXPECT_EQ(id->band, c.band);
    }
}

TEST(MotReader, RefusalsNameLineAndReason) {
    const std::string good = "S1130000000102030405060708090A0B0C0D0E0F74";
    const struct {
        std::string text;
        std::size_t line;
        std::string reason;
    } cases[] = {
        {good.substr(0, 40) + "75", 1, "checksum 75"},
        {"S1130000000102", 1, "where the byte count"},
        {"S1020000FD", 1, "byte count below 3"},
        {"S113000000010203040506070809GA0B0C0D0E0F74", 1, "not hexadecimal"},
        {"S2140000000001020304050607080910111213141516", 1, "S2 records"},
        {"S315000000000102030405060708090A0B0C0D0E0F73", 1, "S3 records"},
        {good + "\nS5030002FA", 2, "record count 2"},
        {"S40300FCFF", 1, "S4 is not"},
        {good + "\nhello", 2, "not an S-record"},
        {"S9030000FC\n" + good, 2, "after the end record"},
        {good + "\nS1130000FF0102030405060708090A0B0C0D0E0F75", 2, "given twice"},
        {"S1" + std::string(520, '0'), 1, "longer than 520"},
    };
    for (const auto& c : cases) {
        const auto result = readMotFile(bytesOf(c.text));
        const auto* refusal = std::get_if<MotRefusal>(&result);
        ASSERT_NE(refusal, nullptr) << c.text;
        EXPECT_EQ(refusal->line, c.line) << c.text;
        EXPECT_NE(refusal->reason.find(c.reason), std::string::npos) << refusal->reason;
    }
    const auto big = readMotFile(std::vector<std::uint8_t>(kMaxMotFileBytes + 1, '\n'));
    ASSERT_TRUE(std::holds_alternative<MotRefusal>(big));
    EXPECT_EQ(std::get<MotRefusal>(big).line, 0u);
}

TEST(MotReader, WhatPasses) {
    const std::string header = "S00600004844521B\r\n";
    const std::string rec = "S1132000000102030405060708090A0B0C0D0E0F54\r\n";
    const std::string high = "S105FFFE1234B7\n";  // a vector table: outside the image
    const std::string text = header + "\n" + rec + rec + high + "S5030003F9\nS9030000FC\n\n\x1A";
    const auto result = readMotFile(bytesOf(text));
    ASSERT_TRUE(std::holds_alternative<MotFile>(result)) << std::get<MotRefusal>(result).text();
    const MotFile& f = std::get<MotFile>(result);
    EXPECT_EQ(f.s1Records, 3);
    EXPECT_EQ(f.codeBytes, 16u);
    EXPECT_EQ(f.outsideBytes, 2u);
    ASSERT_EQ(f.image.size(), kCodeImageSize);
    EXPECT_EQ(f.image[0x2000], 0x00);
    EXPECT_EQ(f.image[0x200F], 0x0F);
    EXPECT_EQ(f.image[0x2010], 0xFF);  // gaps stay erased
    EXPECT_EQ(f.image[0x1FFF], 0xFF);
}

TEST(MotWriter, LinesOfTheWholeCodeArea) {
    std::vector<std::uint8_t> code(kCodeFileBytes);
    for (std::size_t i = 0; i < code.size(); ++i) code[i] = static_cast<std::uint8_t>(i * 13);
    const std::string text = writeMotFile(code.data(), code.size());
    ASSERT_EQ(text.size(), 3960u * 43u);
    EXPECT_EQ(text.substr(0, 43), "S1130000000D1A2734414E5B6875828F9CA9B6C3D4\n");
    EXPECT_EQ(text.substr(text.size() - 43, 8), "S113F770");
    // Every line's checksum covers its address: the reader takes the whole file back.
    const auto back = readMotFile(bytesOf(text));
    ASSERT_TRUE(std::holds_alternative<MotFile>(back)) << std::get<MotRefusal>(back).text();
    const auto& image = std::get<MotFile>(back).image;
    EXPECT_TRUE(std::equal(code.begin(), code.end(), image.begin()));
}

TEST(WlaRecordFields, SignedSquelchAndRangeChecks) {
    Controls c;
    for (const auto& f : kWlaFields) c.add(f.control);
    WlaRecord r{};
    r[0] = 255;
    r[6] = 31;
    r[14] = 0xF7;  // Squelch 12.5 Low: -9
    showRecord(r, c);
    EXPECT_EQ(c.text(1006), "255");
    EXPECT_EQ(c.text(1094), "-9");
    std::string problem;
    EXPECT_EQ(takeRecord(c, problem), r);

    const struct {
        int control;
        const char* text;
        const char* problem;
    } bad[] = {
        {1094, "-10", "Squelch 12.5 Low must be a whole number from -9 to 8."},
        {1038, "32", "TX Deviation SP1 Mid must be a whole number from 0 to 31."},
        {2012, "12a", "TX High Power Mid must be a whole number from 0 to 255."},
        {1100, "9", "Squelch 12.5 High must be a whole number from -9 to 8."},
    };
    for (const auto& b : bad) {
        Controls k = c;
        k.setText(b.control, b.text);
        EXPECT_FALSE(takeRecord(k, problem));
        EXPECT_EQ(problem, b.problem);
    }
}

TEST(WlaReport, ExactLines) {
    Controls c;
    for (const auto& f : kWlaFields) c.add(f.control);
    WlaRecord r{};
    for (std::size_t i = 0; i < 12; ++i) r[i] = static_cast<std::uint8_t>(i * 20);
    r[12] = 0xFE;  // Squelch 20 Low
    r[20] = 8;     // Squelch 12.5 High
    showRecord(r, c);
    const std::vector<std::string> expected = {
        "Radio Type = WLA",
        "Band Split = UHF-LOW",
        "Maximum Output Power = 40 Watts",
        "",
        "",
        "                    Low    Mid    High",
        "TX Low Power          0     20      40",
        "TX High Power        60     80     100",
        "TX Deviation SP1    120    140     160",
        "TX Deviation SP2    180    200     220",
        "",
        "",
        "Squelch 12.5          0      0       8",
        "Squelch 20.0         -2      0       0",
        "Squelch 25.0          0      0       0",
    };
    EXPECT_EQ(wlaReportLines(c, "Band Split = UHF-LOW", "Maximum Output Power = 40 Watts"),
              expected);
}

}  // namespace
}  // namespace tw::compact
