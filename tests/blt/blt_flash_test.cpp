// Read-backs, jump, recovery and the desktop-board reflash of the BLT page.
#include <gtest/gtest.h>

#include <algorithm>

#include "blt/blt_fixture.h"
#include "families/blt/blt_messages.h"

namespace tw::blt::test {
namespace {

namespace m = messages;

TEST(BltFlash, WriteCodeToFileReadsIntoTheChosenFile) {
    Bench b;
    const std::string path = b.dir.file(std::string(120, 'c') + ".BIN");  // no length limit
    b.ui.files = {path};
    ASSERT_TRUE(b.page->WriteCodeToFile());
    EXPECT_EQ(b.radio().calls, (Calls{"open", "16", "17", "36", "serial-close"}));
    EXPECT_EQ(b.ui.messages(), Texts{m::kReadCodeComplete});
    ASSERT_EQ(b.ui.fileChoices().size(), 1u);
    EXPECT_EQ(b.ui.fileChoices()[0].initialName, "RADIO.BIN");
    EXPECT_EQ(b.ui.fileChoices()[0].filter, "Radio Code|*.BIN|All Files|*.*||");
    EXPECT_EQ(readBytes(path), std::string(b.radio().code.begin(), b.radio().code.end()));
    // The status window's bar follows the read from nothing to the whole code.
    const auto size = static_cast<long>(b.radio().code.size());
    const auto& marks = b.ui.progressMarks();
    ASSERT_GE(marks.size(), 2u);
    EXPECT_EQ(marks.front(), std::make_pair(0L, size));
    EXPECT_EQ(marks.back(), std::make_pair(size, size));
    EXPECT_TRUE(std::is_sorted(marks.begin(), marks.end()));
}

TEST(BltFlash, WriteCodeFailuresAndCancel) {
    struct Case {
        const char* name;
        sim::ModelOptions options;
        bool named;  // a file was chosen
        const char* initialName;
        Texts messages;
        const char* calls;
    };
    const Case cases[] = {
        {"read fails", option("fail", "36"), true, "RADIO.BIN",
         told(m::kReadCodeFailed, m::kReadCodeComplete), "open 16 17 36 serial-close"},
        {"no name", option("fail", "17"), false, "untitled.bin", told(), "open 16 17 serial-close"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.options);
        const std::string good = b.dir.file("good.BIN");
        writeBytes(good, "GOOD");
        b.ui.files = {c.named ? std::optional<std::string>(good) : std::nullopt};
        EXPECT_FALSE(b.page->WriteCodeToFile());
        EXPECT_EQ(b.ui.messages(), c.messages);
        EXPECT_EQ(b.radio().calls, calls(c.calls));
        EXPECT_EQ(b.ui.fileChoices().at(0).initialName, c.initialName);
        EXPECT_EQ(readBytes(good), "GOOD");  // a failed read never replaces a good file
    }
}

TEST(BltFlash, AdiOrDspByRadioType) {
    struct Case {
        sim::ModelOptions options;
        const char* extension;
        const char* command;
        const char* status;
    };
    const Case cases[] = {
        {option("type", "D"), "ADI", "30", m::kReadingAdi},
        {sim::ModelOptions{{"type", "P"}, {"dspselect", "0"}}, "ADI", "30", m::kReadingAdi},
        {sim::ModelOptions{{"type", "P"}, {"dspselect", "1"}}, "DSP", "33", m::kReadingDsp},
        {option("type", "e"), "DSP", "33", m::kReadingDsp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        Bench b(c.options);
        const std::string path = b.dir.file("out.x");
        b.ui.files = {path};
        ASSERT_TRUE(b.page->WriteAdiDspToFile());
        EXPECT_EQ(b.radio().calls, (Calls{"open", "16", "fill", c.command, "serial-close"}));
        EXPECT_EQ(b.ui.fileChoices().at(0).defaultExtension, c.extension);
        EXPECT_EQ(b.ui.fileChoices().at(0).initialName, "radio.dsp");
        EXPECT_EQ(b.ui.statusTexts(), Texts{c.status});
        EXPECT_FALSE(b.ui.statusOpen());
        EXPECT_EQ(b.ui.messages(), Texts{m::kReadAdiDspComplete});
        const auto& expected = std::string(c.command) == "30" ? b.radio().adi : b.radio().dsp;
        EXPECT_EQ(readBytes(path), std::string(expected.begin(), expected.end()));
    }
}

TEST(BltFlash, AdiDspFailures) {
    Bench failing(sim::ModelOptions{{"fail", "30"}});
    failing.ui.files = {failing.dir.file("x.adi")};
    EXPECT_FALSE(failing.page->WriteAdiDspToFile());
    EXPECT_EQ(failing.ui.messages(), (Texts{m::kNoAdiFile, m::kReadAdiDspComplete}));
    EXPECT_FALSE(failing.ui.statusOpen());

    // Without the radio's type no file is chosen at all.
    Bench noStatus(sim::ModelOptions{{"fail", "fill"}});
    EXPECT_FALSE(noStatus.page->WriteAdiDspToFile());
    EXPECT_EQ(noStatus.ui.messages(), Texts{m::kStatusReadFailed});
    EXPECT_TRUE(noStatus.ui.fileChoices().empty());
    EXPECT_EQ(noStatus.radio().calls.back(), "serial-close");
}

TEST(BltFlash, JumpAndItsFailure) {
    Bench b;
    ASSERT_TRUE(b.page->Jump());
    EXPECT_EQ(b.radio().calls, (Calls{"open", "16", "4", "serial-close"}));
    EXPECT_EQ(b.radio().jumps, 1);
    EXPECT_TRUE(b.ui.messages().empty());

    Bench failing(sim::ModelOptions{{"fail", "4"}});
    EXPECT_FALSE(failing.page->Jump());
    EXPECT_EQ(failing.ui.messages(), Texts{m::kJumpFailed});
}

TEST(BltFlash, RecoveryPaths) {
    struct Case {
        const char* name;
        sim::ModelOptions options;
        bool ok;
        Texts messages;
        const char* calls;
    };
    const Case cases[] = {
        {"answers after recovery", option("recover-first", "1"), true,
         told(m::kPowerCycleForRecovery), "open 42 16 close"},
        {"port fails", option("open", "-1"), false, told(m::kPowerCycleForRecovery, m::kPortInUse),
         "open close"},
        {"recovery fails", option("fail", "42"), false,
         told(m::kPowerCycleForRecovery, m::kRecoveryFailed), "open 42 close"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.options);
        EXPECT_EQ(b.page->Recovery(), c.ok);
        EXPECT_EQ(b.ui.messages(), c.messages);
        EXPECT_EQ(b.radio().calls, calls(c.calls));
        EXPECT_EQ(b.radio().openedPorts, std::vector<int>{3});
        EXPECT_EQ(b.savedPort(), 1);
        EXPECT_FALSE(b.page->conn().IsConnected());
    }
    Bench cancelled;
    cancelled.ui.answers = {false};
    EXPECT_FALSE(cancelled.page->Recovery());
    EXPECT_EQ(cancelled.radio().calls, Calls{"close"});

    // The hidden button works on the object as it is: without a connection it fails aloud.
    Bench hidden;
    EXPECT_FALSE(hidden.page->RadioRecovery());
    EXPECT_EQ(hidden.ui.messages(), Texts{m::kRecoveryFailed});
}

struct DesktopCase {
    const char* name;
    sim::ModelOptions options;
    const char* heldType;  // radio type of the last status read; "" none
    bool ok;
    Texts messages;  // after the question and the instructions
    int boardOpens;
};

TEST(BltFlash, DesktopReflashAttempts) {
    const std::string six = m::kCouldNotConnectBoard;
    const DesktopCase cases[] = {
        {"first attempt", sim::ModelOptions(), "", true, told(), 1},
        {"after a Lyra read", sim::ModelOptions(), "P", true, told(), 1},
        {"two failed writes", option("board-write-fails", "2"), "", true,
         told(m::kCouldNotCompleteWrite, m::kCouldNotCompleteWrite), 3},
        {"board never answers", option("board-open-fails", "6"), "", false,
         told(six, six, six, six, six, six, m::kAllAttemptsFailed), 6},
        {"answers on the sixth", option("board-open-fails", "5"), "", true,
         told(six, six, six, six, six), 6},
        {"other radio read last", sim::ModelOptions(), "e", false, told(m::kInvalidRadioType), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.options);
        b.held().radioTypeCode = static_cast<std::uint8_t>(c.heldType[0]);
        const std::string path = b.dir.file("board.BIN");
        writeBytes(path, "BOARDCODE");
        b.ui.files = {path};
        EXPECT_EQ(b.page->Desktop(), c.ok);
        Texts expected = {m::kDesktopQuestion, m::kDesktopInstructions};
        expected.insert(expected.end(), c.messages.begin(), c.messages.end());
        EXPECT_EQ(b.ui.messages(), expected);
        EXPECT_EQ(static_cast<int>(b.radio().openedPorts.size()), c.boardOpens);
        EXPECT_EQ(b.savedPort(), 1);
        EXPECT_EQ(b.radio().boardImage.size(), c.ok ? 9u : 0u);
        EXPECT_FALSE(b.page->conn().IsConnected());
    }
}

TEST(BltFlash, DesktopCancelled) {
    Bench b;
    b.ui.files = {std::nullopt};
    EXPECT_FALSE(b.page->Desktop());
    EXPECT_EQ(b.ui.messages(),
              (Texts{m::kDesktopQuestion, m::kDesktopInstructions, m::kAllAttemptsFailed}));
    EXPECT_EQ(b.ui.fileChoices().at(0).initialName, "*.BIN");
    Bench no;
    no.ui.answers = {false};
    EXPECT_FALSE(no.page->Desktop());
    EXPECT_EQ(no.ui.messages(), Texts{m::kDesktopQuestion});
}

}  // namespace
}  // namespace tw::blt::test
