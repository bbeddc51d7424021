// Writes of the WLB and MARTEN 60P pages: the zero question, the range check, the blocks in
// the radio's order, the read-back and the reset.
#include <gtest/gtest.h>

#include "compact/wlb_fixture.h"
#include "families/compact/hex_link.h"
#include "history/read_history.h"

namespace tw::compact {
namespace {

using test::Marten60PBench;
using test::WlbBench;

// Texts for every field from a record-order list of values.
template <typename Bench>
void fill(Bench& b, const std::vector<int>& values) {
    for (const auto& f : b.page.model().fields)
        b.page.controls().setText(f.control, std::to_string(values[f.recordByte]));
}

const std::vector<int> kWlbValues = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 200};

TEST(CompactWrite, WlbBlocksTheZeroWriteReadBackAndReset) {
    WlbBench b;
    fill(b, kWlbValues);
    ASSERT_TRUE(b.page.WriteTrackingToRadio());
    const std::string zeros(12, '\0');
    // What the radio held is read first (band block included), with no reset before the
    // writes: the radio would drop the unacknowledged blocks after one.
    EXPECT_EQ(b.fromPc(),
              "\x55G2"
              "G4030120G402012DG406013AG401014DG404016AG404018AG401000A"
              "G1030120010203G102012D0405G106013A060708090A0B"
              "G101014D0CG104016A0D0E0F10G104018A111213C8"
              "G106019A" +
                  zeros + "G4030120G402012DG406013AG401014DG404016AG404018AG9");
    // Break, "G2" pause, the seven reads of what it held, seven commands with 50 ms before
    // each, 2 ms after each of the 52 characters, and the six reads back.
    EXPECT_EQ(b.clock.now(), 30 + 50 + 7 * 100 + 7 * 50 + 52 * 2 + 6 * 100);
    EXPECT_EQ(b.radio().loggedWrites(), std::vector<std::string>{zeros});
    const auto& m = b.radio().memory();
    EXPECT_EQ(m[0x0120], 1);
    EXPECT_EQ(m[0x0121], 2);  // closing, wide band
    EXPECT_EQ(m[0x018D], 200);
    EXPECT_EQ(m[0x000A], 3) << "the band index is never written";
    EXPECT_EQ(b.radio().resets(), 1);
    EXPECT_TRUE(b.ui.messages().empty());
    EXPECT_EQ(b.ui.statusTexts(),
              (std::vector<std::string>{"Handshaking", "Writing Tracking Data"}));

    // The copy taken before the write loads back as the values the radio held.
    const auto copy = kvr::test::lastBeforeWrite(b.app, "wlb");
    EXPECT_NE(copy.find("-before-write.tk5"), std::string::npos);
    WlbBench loaded, fresh;
    loaded.ui.files.push_back(copy);
    ASSERT_TRUE(loaded.page.ReadTrackingFromDisk());
    ASSERT_TRUE(fresh.page.ReadTrackingFromRadio());
    EXPECT_EQ(loaded.page.record(), fresh.page.record());
    EXPECT_NE(loaded.page.record(), b.page.record());
}

TEST(CompactWrite, Marten60PBlocksAndReadBack) {
    Marten60PBench b;
    fill(b, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 255});
    ASSERT_TRUE(b.page.WriteTrackingToRadio());
    EXPECT_EQ(b.fromPc(),
              "\x55G2G4030120G402012DG406013AG404014AG401015DG401000A"
              "G10301200A0B0CG102012D0D0EG106013A0F1011121314"
              "G104014A15161718G101015DFF"
              "G4030120G402012DG406013AG404014AG401015DG9");
    EXPECT_EQ(b.clock.now(), 30 + 50 + 6 * 100 + 5 * 50 + 32 * 2 + 5 * 100);
    EXPECT_TRUE(b.radio().loggedWrites().empty());
}

TEST(CompactWrite, TheBandIndexSurvivesAWriteIntoTheNextFile) {
    WlbBench b({{"band", "2"}});
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    ASSERT_TRUE(b.page.WriteTrackingToRadio());
    EXPECT_EQ(b.page.bandIndex(), 2);
    const std::string path = b.dir.file("after.tk5");
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.WriteTrackingToDisk());
    EXPECT_EQ(test::readBytes(path).at(20), 2);
}

// A block that does not keep what was written fails the write at its read-back. A radio whose
// blocks do not read whole cannot give its copy either: the technician is asked, No writes
// nothing, Yes writes and the read-back then fails the write.
TEST(CompactWrite, AReadBackThatDiffersIsAFailedWrite) {
    const std::string noCopy =
        std::string(history_text::kNotRead) + history_text::kWriteWithoutCopy;
    const struct {
        const char* fault;
        const char* block;
        bool copyFails;
    } cases[] = {{"stuck", "013B", false}, {"short", "018A", true}, {"nonhex", "016D", true}};
    for (const bool writeAnyway : {false, true}) {
        for (const auto& c : cases) {
            WlbBench b({{c.fault, c.block}});
            fill(b, kWlbValues);
            b.ui.riskyAnswers.push_back(writeAnyway);
            EXPECT_FALSE(b.page.WriteTrackingToRadio()) << c.fault;
            std::vector<std::string> shown;
            if (c.copyFails) shown.push_back(noCopy);
            if (!c.copyFails || writeAnyway) shown.push_back(messages::kCouldNotWrite);
            EXPECT_EQ(b.ui.messages(), shown) << c.fault;
            EXPECT_EQ(b.fromPc().find("G1") != std::string::npos, !c.copyFails || writeAnyway)
                << c.fault;
            EXPECT_EQ(b.radio().resets(), 0) << "a radio with a bad block is not reset";
            EXPECT_FALSE(b.ui.statusOpen());
        }
    }
}

TEST(CompactWrite, ZeroQuestionComesFirstAndNoStopsBeforeThePort) {
    struct Case {
        std::string txDevHigh, other;
        bool asked;
    };
    const Case cases[] = {
        {"40", "0", true}, {"0", "0", true}, {"40", "", false}, {"0", "1", false}};
    for (const auto& c : cases) {
        Marten60PBench b;
        b.setAll(c.other);
        b.page.controls().setText(2042, "0");
        b.page.controls().setText(kTxDevHigh, c.txDevHigh);
        b.ui.answers.push_back(false);
        b.page.WriteTrackingToRadio();
        const auto shown = b.ui.messages();
        EXPECT_EQ(!shown.empty() && shown[0] == messages::kAllZero, c.asked)
            << c.txDevHigh << c.other;
        if (c.asked) {
            EXPECT_EQ(b.devices.opens(), 0);
        }
    }
}

TEST(CompactWrite, RangeCheckAfterTheHandshakeNamesTheFirstFieldInRecordOrder) {
    WlbBench b;
    fill(b, kWlbValues);
    b.page.controls().setText(2050, "abc");  // record byte 8
    b.page.controls().setText(2043, "256");  // record byte 3
    EXPECT_FALSE(b.page.WriteTrackingToRadio());
    EXPECT_EQ(b.ui.messages(),
              std::vector<std::string>{"Valid range for Squelch Closing, Narr Band is 0-255."});
    EXPECT_EQ(b.fromPc(), "\x55G2");
    EXPECT_FALSE(b.link.isOpen(1));
    EXPECT_FALSE(b.ui.statusOpen());
    EXPECT_EQ(b.page.record(), std::vector<std::uint8_t>(21, 0));

    // The same check before a file is chosen.
    b.ui.clear();
    EXPECT_FALSE(b.page.WriteTrackingToDisk());
    EXPECT_TRUE(b.ui.fileChoices().empty());
    for (const char* bad : {"", "-1", "1 2", "1000"}) {
        b.page.controls().setText(2043, bad);
        b.ui.clear();
        EXPECT_FALSE(b.page.WriteTrackingToDisk()) << bad;
    }
}

// Every value box is marked while typing exactly when the check before a write would refuse
// its text, and a refused write names the box its message is about.
TEST(CompactWrite, MarksWhileTypingAgreeWithTheWriteCheck) {
    Marten60PBench b;
    for (const auto& f : b.page.model().fields) {
        for (const char* value : {"0", " 255", "256", "0000", "1a", "-1", " "}) {
            b.setAll("1");
            b.page.controls().setText(f.control, value);
            b.ui.clear();
            b.page.WriteTrackingToDisk();  // no file is chosen: only the check can say a word
            const bool refused = !b.ui.messages().empty();
            EXPECT_EQ(b.page.fieldProblem(f.control, value).has_value(), refused)
                << f.control << "=" << value;
            EXPECT_EQ(b.page.takeFailedField(), refused ? f.control : 0)
                << f.control << "=" << value;
        }
    }
    EXPECT_EQ(b.page.fieldProblem(2063, "256"), "Out of range. Allowed: 0 to 255");
    EXPECT_EQ(b.page.fieldProblem(2063, "x"), "Not a whole number. Allowed: 0 to 255");
    // An empty box is refused by the write but carries no mark: a fresh page would open
    // with every box marked.
    EXPECT_EQ(b.page.fieldProblem(2063, ""), std::nullopt);
    EXPECT_EQ(b.page.fieldProblem(kVersionText, "x"), std::nullopt);
}

}  // namespace
}  // namespace tw::compact
