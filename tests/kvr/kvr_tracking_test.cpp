#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "families/kvr/kvr_maint.h"
#include "families/kvr/tracking_values.h"
#include "history/read_history.h"
#include "kvr/kvr_fixture.h"

namespace tw::kvr {
namespace {

using test::KvrBench;

TrackingTexts filled(const std::string& text,
                     const std::vector<std::pair<int, std::string>>& edits = {}) {
    TrackingTexts t;
    t.fill(text);
    for (const auto& [control, value] : edits)
        for (std::size_t i = 0; i < kTrackingValueCount; ++i)
            if (kTrackingValues[i].control == control) t[i] = value;
    return t;
}

TEST(KvrTrackingCheck, FirstFailingCheckInTheTechniciansOrder) {
    const struct {
        const char* base;
        std::vector<std::pair<int, std::string>> edits;
        std::optional<std::string> message;
    } cases[] = {
        {"10", {}, std::nullopt},
        {"", {}, std::nullopt},  // empty boxes count as 0
        {"10", {{1005, "200"}, {1043, "40"}}, "Valid range for low modulation setting is 0-31."},
        {"10",
         {{1020, "12a"}, {1017, "300"}, {1013, "x"}},
         "Invalid character in mid range high power."},
        {"10",
         {{1087, "256"}, {1099, "32"}},
         "Valid range for mid talkaround low power setting is 0-255."},
        {"10",
         {{1087, "255"}, {1099, "32"}},
         "Valid range for high talkaround modulation setting is 0-31."},
        {"10", {{1009, "256"}, {1013, "999"}}, "Valid range for high squelch setting is 0-255."},
        {"10", {{1009, "256"}, {1013, " 1"}}, "Invalid character in high range squelch."},
        {"", {{1005, "-1"}}, "Invalid character in low range squelch."},
    };
    int n = 0;
    for (const auto& c : cases)
        EXPECT_EQ(checkTrackingTexts(filled(c.base, c.edits)), c.message) << "case " << n++;
}

TEST(KvrTrackingCheck, AllZeroNeedsEveryBoxToShowZero) {
    EXPECT_TRUE(allTrackingZero(filled("0")));
    EXPECT_FALSE(allTrackingZero(filled("0", {{1099, ""}})));
    EXPECT_FALSE(allTrackingZero(filled("0", {{1099, "00"}})));
}

TEST(KvrTrackingBlock, ModulationIsCappedAtThirtyOne) {
    std::string block(64, '0');
    block.replace(2 * 10, 2, "2A");  // modulation low
    block.replace(2 * 12, 2, "0C");  // modulation mid
    block.replace(2 * 14, 2, "3F");  // modulation high
    block.replace(2 * 0, 2, "FF");   // squelch low is not capped
    block.replace(2 * 2, 2, "a1");   // lower case is no digit
    const TrackingTexts t = decodeTrackingBlock(block);
    EXPECT_EQ((std::vector<std::string>{t[0], t[1], t[6], t[7], t[8]}),
              (std::vector<std::string>{"255", "1", "26", "12", "31"}));
}

// Page flows against the simulated radio.
struct KvrPageFlow : ::testing::Test {
    KvrBench bench;
    CKvrMaint page{bench.env};
};

// The window builds its boxes from the rows: each value's box once, each a control of the page.
TEST_F(KvrPageFlow, TrackingRowsHoldEveryValueOnce) {
    std::multiset<int> inRows;
    for (const auto& row : kTrackingRows) inRows.insert(row.controls.begin(), row.controls.end());
    std::multiset<int> values;
    for (const auto& v : kTrackingValues) values.insert(v.control);
    EXPECT_EQ(inRows, values);
    std::multiset<int> onPage;
    for (const auto& c : page.controls().all()) onPage.insert(c.id);
    for (int id : inRows) EXPECT_EQ(onPage.count(id), 1u) << id;
}

TEST_F(KvrPageFlow, ShortReadKeepsThePageValues) {
    page.controls().setText(1005, "7");
    bench.devices.faults().hangupAfter = 1 + 40;
    EXPECT_FALSE(page.ReadTrackingFromRadio());
    EXPECT_EQ(bench.ui.messages().back(), "Insufficient Tracking Data read.\nTurn off radio.");
    EXPECT_EQ(page.controls().text(1005), "7");
}

TEST_F(KvrPageFlow, WriteKeepsTheBytesThePageDoesNotShow) {
    auto& mem = bench.radio().memory();
    const std::vector<std::uint8_t> before(mem.begin() + 0x17E0, mem.begin() + 0x17E0 + 32);
    for (const auto& v : kTrackingValues) page.controls().setText(v.control, "5");
    page.controls().setText(1005, "255");
    ASSERT_TRUE(page.WriteTrackingToRadio());
    for (int b : {1, 3, 6, 8, 11, 13, 22, 24, 27, 29, 31})
        EXPECT_EQ(mem[0x17E0 + static_cast<std::size_t>(b)], before[static_cast<std::size_t>(b)])
            << "byte " << b;
    EXPECT_EQ(mem[0x17E0], 255);
    EXPECT_EQ(mem[0x17E0 + 30], 5);
    const std::string wire = bench.fromPc();
    EXPECT_EQ(wire.substr(0, 17), "UG42017E0G12017E0");
    EXPECT_EQ(wire.substr(17, 6), "FF1105");      // 0xFF, kept 0x11, 0x05
    EXPECT_EQ(wire.substr(17 + 64), "G42017E0");  // read back to see that the radio kept it
    EXPECT_EQ(bench.ui.messages().back(),
              "Tracking data written.\nTurn off radio and disconnect from cable.");
}

TEST_F(KvrPageFlow, WriteTheRadioDidNotKeepIsReportedAsFailed) {
    const struct {
        sim::ModelOptions options;
        long hangupAfter;
    } cases[] = {
        {{{"forget", "0"}}, -1},   // heard nothing of it
        {{{"forget", "10"}}, -1},  // kept the first ten bytes only
        {{}, 1 + 64},              // silent after the first read: no read-back
    };
    for (const auto& c : cases) {
        KvrBench b(c.options);
        CKvrMaint p(b.env);
        for (const auto& v : kTrackingValues) p.controls().setText(v.control, "3");
        b.devices.faults().hangupAfter = c.hangupAfter;
        EXPECT_FALSE(p.WriteTrackingToRadio());
        EXPECT_EQ(b.ui.messages().back(), "Error writing Tracking Data.\nTurn off radio.");
        EXPECT_EQ(b.ui.events().back().kind, "detail");  // the block may hold part of it
    }
}

TEST_F(KvrPageFlow, CheckFailureOrAllZeroAnsweredNoSendsNothing) {
    for (const bool zero : {false, true}) {
        for (const auto& v : kTrackingValues) page.controls().setText(v.control, zero ? "0" : "1");
        if (!zero) page.controls().setText(1043, "40");
        bench.ui.clear();
        bench.ui.answers = {false};
        EXPECT_FALSE(page.WriteTrackingToRadio());
        EXPECT_EQ(bench.ui.events().back().kind, zero ? "yesno" : "ok");
        EXPECT_EQ(
            bench.ui.messages(),
            std::vector<std::string>{zero ? "Tracking Data is set to 0.\n Proceed?"
                                          : "Valid range for low modulation setting is 0-31."});
        EXPECT_EQ(bench.devices.opens(), 0);
    }
}

// Every box is marked while typing exactly when the check before a write would refuse its
// text, and a refused write names the box its message is about.
TEST_F(KvrPageFlow, MarksWhileTypingAgreeWithTheWriteCheck) {
    for (const auto& v : kTrackingValues) {
        for (const char* text : {"0", "31", "32", "255", "256", "999", "1a", "-1", " 1"}) {
            int failed = 0;
            const bool refused =
                checkTrackingTexts(filled("0", {{v.control, text}}), &failed).has_value();
            EXPECT_EQ(page.fieldProblem(v.control, text).has_value(), refused)
                << v.control << "=" << text;
            EXPECT_EQ(failed, refused ? v.control : 0) << v.control << "=" << text;
        }
    }
    EXPECT_EQ(page.fieldProblem(1043, "32"), "Out of range. Allowed: 0 to 31");
    EXPECT_EQ(page.fieldProblem(1017, "x"), "Not a whole number. Allowed: 0 to 255");
    EXPECT_EQ(page.fieldProblem(1017, ""), std::nullopt);
    EXPECT_EQ(page.fieldProblem(CKvrMaint::kRadioTypeButton, "Radio Type"), std::nullopt);

    for (const auto& v : kTrackingValues) page.controls().setText(v.control, "1");
    page.controls().setText(1099, "40");
    page.controls().setText(1087, "300");
    EXPECT_FALSE(page.WriteTrackingToRadio());
    EXPECT_EQ(bench.ui.messages().back(),
              "Valid range for mid talkaround low power setting is 0-255.");
    EXPECT_EQ(page.takeFailedField(), 1087);
    EXPECT_EQ(page.takeFailedField(), 0);  // handed out once
}

TEST_F(KvrPageFlow, Tk1FileRoundTrip) {
    for (const auto& v : kTrackingValues) page.controls().setText(v.control, "0");
    page.controls().setText(1005, "5");
    page.controls().setText(1009, "255");
    const std::string path = bench.dir.file("a.tk1");
    bench.ui.files = {path};
    ASSERT_TRUE(page.WriteTrackingToDisk());
    EXPECT_EQ(test::readBytes(path), "05FF" + std::string(38, '0'));
    EXPECT_EQ(bench.ui.fileChoices()[0].filter, "Tracking Data|*.tk1|All Files|*.*||");

    CKvrMaint other(bench.env);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);  // read-only loads
    bench.ui.files = {path};
    ASSERT_TRUE(other.ReadTrackingFromDisk());
    for (const auto& v : kTrackingValues)
        EXPECT_EQ(other.controls().text(v.control), page.controls().text(v.control));
}

// Trailing blanks and line ends of an edited file are fine; any other length is refused.
TEST_F(KvrPageFlow, Tk1LengthsLoadedOrRefused) {
    const std::string pairs = "05" + std::string(40, '0');
    const std::pair<std::string, bool> cases[] = {
        {pairs + " \t\r\n\n", true},   {std::string(41, '1'), false},
        {std::string(43, '1'), false}, {"", false},
        {pairs + "\nX", false},        {pairs + std::string(5000, ' '), false}};
    for (const auto& [content, loads] : cases) {
        page.controls().setText(1005, "9");
        const std::string path = bench.dir.file("f.tk1");
        test::writeBytes(path, content);
        bench.ui.clear();
        bench.ui.files = {path};
        EXPECT_EQ(page.ReadTrackingFromDisk(), loads) << content.size();
        EXPECT_EQ(bench.ui.messages(), loads ? std::vector<std::string>{}
                                             : std::vector<std::string>{"Wrong size of the file."});
        EXPECT_EQ(page.controls().text(1005), loads ? "5" : "9");
    }
    bench.ui.files = {bench.dir.file("missing.tk1")};
    EXPECT_FALSE(page.ReadTrackingFromDisk());
    EXPECT_EQ(bench.ui.messages().back(), "Could not open file.");
}

TEST_F(KvrPageFlow, ReadsLeaveACopyThatLoadsBackThroughReadFromDisk) {
    const auto before = keptRadioReads(bench.app, "kvr");
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    const auto after = keptRadioReads(bench.app, "kvr");
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back().radio, "KVR");
    CKvrMaint other(bench.env);
    bench.ui.files = {after.back().path};
    ASSERT_TRUE(other.ReadTrackingFromDisk());
    for (const auto& v : kTrackingValues)
        EXPECT_EQ(other.controls().text(v.control), page.controls().text(v.control));

    bench.app.keepHistory = false;  // --no-history
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    EXPECT_EQ(keptRadioReads(bench.app, "kvr").size(), after.size());
}

// The block the write reads to keep its hidden bytes is also its copy: no second read.
TEST_F(KvrPageFlow, AWriteKeepsWhatTheRadioHeldFirst) {
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    TrackingTexts held;
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        held[i] = page.controls().text(kTrackingValues[i].control);
    for (const auto& v : kTrackingValues) page.controls().setText(v.control, "10");
    ASSERT_TRUE(page.WriteTrackingToRadio());
    const std::string copy = test::lastBeforeWrite(bench.app, "kvr");
    ASSERT_FALSE(copy.empty());
    CKvrMaint loaded(bench.env);
    bench.ui.files = {copy};
    ASSERT_TRUE(loaded.ReadTrackingFromDisk());
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        EXPECT_EQ(loaded.controls().text(kTrackingValues[i].control), held[i]) << i;
}

TEST_F(KvrPageFlow, FailedSaveLeavesNothingBehind) {
    // A target that cannot be replaced: the save fails after the data were written aside.
    const std::string path = bench.dir.file("keep.tk1");
    std::filesystem::create_directory(path);
    test::writeBytes(path + "/inside", "old");
    for (const auto& v : kTrackingValues) page.controls().setText(v.control, "1");
    bench.ui.files = {path};
    EXPECT_FALSE(page.WriteTrackingToDisk());
    EXPECT_EQ(bench.ui.messages().back(), "Could not open file.");
    EXPECT_EQ(test::readBytes(path + "/inside"), "old");
    // The profile and the directory; no temporary file left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(bench.dir.path), {}), 2);
}

TEST_F(KvrPageFlow, ReportShowsTheTypedValues) {
    page.controls().setText(1005, "12");
    page.controls().setText(1009, "7");
    page.controls().setText(1013, "255");
    page.controls().setText(1093, "3");
    const auto lines = page.ReportLines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "RADIO TYPE:   KVR TYPE");
    EXPECT_EQ(lines[4], "                       LOW        MID       HIGH");
    EXPECT_EQ(lines[5], "                       ---        ---       ----");
    EXPECT_EQ(lines[7], "        SQUELCH:        12          7        255");
    EXPECT_EQ(lines[13], "   TALK AROUND");
    EXPECT_EQ(lines[18], "     MODULATION:         3          0          0");
}

}  // namespace
}  // namespace tw::kvr
