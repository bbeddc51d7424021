#include <gtest/gtest.h>

#include <algorithm>

#include "compact/wla_fixture.h"
#include "families/compact/srecord.h"
#include "support/progress_check.h"

namespace tw::compact {
namespace {

using wla_test::motFile;
using wla_test::readBytes;
using wla_test::WlaBench;
using wla_test::writeBytes;

const std::string kFlashPrompt = "Power cycle radio to place in flashing mode.";

// The S1 file flashed by most cases: 64 records from 0x2000, and two from the boot area that
// must never reach the radio.
std::string programFile(std::uint8_t salt = 0) {
    return motFile(64, 0x2000, salt) + motFile(2, 0x0100).substr(17);
}

struct WlaCodeTest : ::testing::Test {
    sim::ModelOptions options{{"erase-ms", "3000"}};
    std::string writeFile(WlaBench& b, const std::string& text) {
        const std::string path = b.dir.file("code.mot");
        writeBytes(path, text);
        return path;
    }
};

TEST_F(WlaCodeTest, ReflashWritesEveryBlockInOrder) {
    WlaBench b(options);
    const std::string path = writeFile(b, programFile());
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.ReflashRadioFromFile());
    EXPECT_EQ(b.ui.messages(), std::vector<std::string>{kFlashPrompt});
    EXPECT_EQ(b.ui.fileChoices().at(0).filter, "Wla App Code|*.mot|All Files|*.*||");
    auto status = b.ui.statusTexts();
    ASSERT_EQ(status.size(), 3u + 862u);
    status.erase(status.begin() + 4, status.end() - 1);
    EXPECT_EQ(status,
              (std::vector<std::string>{"Processing MOT file", "Handshake Radio ...",
                                        "Erasing Flash Part (Approx 20 sec.)",
                                        "Writing Flash at 8192", "Writing Flash at 63296"}));
    // One status window from the file to the last block.
    EXPECT_EQ(std::count_if(b.ui.events().begin(), b.ui.events().end(),
                            [](const auto& e) { return e.kind == "status-open"; }),
              1);

    // Wake, "FE", "FC", then 862 blocks of 73 bytes at rising addresses.
    const auto& wire = b.fromPc();
    ASSERT_EQ(wire.size(), 5u + 862u * 73u);
    for (std::size_t i = 0; i < 862; ++i) {
        const std::size_t at = 5 + i * 73;
        const std::uint32_t address = 0x2000 + static_cast<std::uint32_t>(i) * 64;
        ASSERT_EQ(wire[at + 6], address >> 8) << i;
        ASSERT_EQ(wire[at + 7], address & 0xFF) << i;
    }
    // The erase's "OK" comes 3 s after "FC" and is taken once the line has stayed quiet
    // after it. Each block's "OK" is taken the moment it is in, so the next block follows the
    // 10 ms pause at once; only the last answer is again checked for quiet.
    const Millis gap = LinkTiming{}.quietGapMs;
    const auto& t = b.radio().times;
    EXPECT_EQ(t[5] - t[4], 3000 + gap);
    for (std::size_t i = 0; i + 1 < 862; ++i)
        ASSERT_EQ(t[5 + (i + 1) * 73] - t[5 + i * 73 + 72], 10) << i;
    EXPECT_EQ(b.clock.now() - t.back(), 10 + gap);
    EXPECT_EQ(b.clock.now() - t[4], 3000 + gap + 861 * 10 + 10 + gap);
    auto& code = b.radio().code();
    EXPECT_EQ(code[0x2001], 5);
    EXPECT_EQ(code[0x2400], 0xFF);                     // a gap of the file: erased
    EXPECT_EQ(code[0x0100], (0x0100 * 3 + 1) & 0xFF);  // the boot area kept
    EXPECT_FALSE(b.radio().erased());
    // The erase polls once a second until the radio's answer is there.
    bool sawDetail = false;
    for (const auto& e : b.ui.events())
        if (e.kind == "detail" && e.text.find("32 bytes of the file lie outside") == 0)
            sawDetail = true;
    EXPECT_TRUE(sawDetail);
}

TEST_F(WlaCodeTest, RefusedFilesNeverReachTheRadio) {
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {motFile(49), "The input file does not contain enough S Records"},
        {motFile(60, 0x0000),
         "The input file holds no program code between 0x2000 and 0xF77F, "
         "so flashing it would only erase the radio."},
        {motFile(60) + "S1130000FF\n",
         "The file cannot be flashed.\nLine 62: 10 characters "
         "where the byte count 19 needs 42."},
        {motFile(60) + "S2080000000102030404\n",
         "The file cannot be flashed.\nLine 62: S2 records (addresses above 0xFFFF) cannot be "
         "flashed."},
    };
    for (const auto& c : cases) {
        WlaBench b(options);
        EXPECT_FALSE(b.page.reflashFrom(writeFile(b, c.text)));
        EXPECT_EQ(b.ui.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(b.devices.opens(), 0);
        EXPECT_TRUE(b.fromPc().empty());
        EXPECT_FALSE(b.ui.statusOpen());
    }
    WlaBench b(options);
    EXPECT_TRUE(b.page.reflashFrom(writeFile(b, motFile(50))));
    EXPECT_FALSE(b.page.reflashFrom(b.dir.file("none.mot")));
    EXPECT_EQ(b.ui.messages().back(), "Could not open file for reading.");
}

// Each fault stops the flash with its message, port and status closed; the radio is left
// half-written and answers only in flash mode, and the same file flashes it again.
TEST_F(WlaCodeTest, EveryFlashFaultThenAGoodReflash) {
    const struct {
        const char* key;
        const char* value;
        std::string message;
    } cases[] = {
        {"erase", "silent", "No response to clear flash command. Please retry"},
        {"ok-extra", "erase", "No response to clear flash command. Please retry"},
        {"ng", "5", "CRC failure on flash command. Please retry"},
        {"mute", "7", "Radio did not respond to flash command. Please retry"},
        {"ok-extra", "9", "Invalid Radio response to flash command. Please retry"},
    };
    for (const auto& c : cases) {
        sim::ModelOptions o = options;
        o[c.key] = c.value;
        WlaBench b(o);
        const std::string path = writeFile(b, programFile());
        EXPECT_FALSE(b.page.reflashFrom(path)) << c.key;
        EXPECT_EQ(b.ui.messages(), (std::vector<std::string>{kFlashPrompt, c.message}));
        EXPECT_FALSE(b.ui.statusOpen());
        EXPECT_FALSE(b.link.isOpen(1));
        EXPECT_TRUE(b.radio().erased());

        b.ui.clear();
        EXPECT_FALSE(b.page.ReadTrackingFromRadio());  // no answer in programming mode
        ASSERT_TRUE(b.page.reflashFrom(path)) << c.key << " " << b.ui.messages().back();
        EXPECT_FALSE(b.radio().erased());
        EXPECT_EQ(b.radio().code()[0x2001], 5);
        EXPECT_TRUE(b.page.ReadTrackingFromRadio());
    }
}

// A character that follows "OK" fails the flash: at the erase and the last block at once,
// at any other block with the next block's answer, which it spoils.
TEST_F(WlaCodeTest, ACharacterAfterOkFailsTheFlash) {
    const struct {
        const char* where;
        std::size_t blocksSent;
        std::string message;
    } cases[] = {
        {"erase", 0, "No response to clear flash command. Please retry"},
        {"0", 2, "Invalid Radio response to flash command. Please retry"},
        {"9", 11, "Invalid Radio response to flash command. Please retry"},
        {"861", 862, "Invalid Radio response to flash command. Please retry"},
    };
    for (const auto& c : cases) {
        sim::ModelOptions o = options;
        o["ok-extra"] = c.where;
        WlaBench b(o);
        EXPECT_FALSE(b.page.reflashFrom(writeFile(b, programFile()))) << c.where;
        EXPECT_EQ(b.ui.messages(), (std::vector<std::string>{kFlashPrompt, c.message}));
        EXPECT_EQ(b.fromPc().size(), 5 + c.blocksSent * 73) << c.where;
        EXPECT_FALSE(b.link.isOpen(1));
    }
}

// Each try of the two poll loops lasts about the loop's interval: the erase's polls of a
// second (answered or not), a block's of 50 ms after its 10 ms pause. A dead radio's erase
// therefore gives up after about 300 s, a dead block after about a second.
TEST_F(WlaCodeTest, PollsKeepTheirPace) {
    const Millis gap = LinkTiming{}.quietGapMs;
    const std::string kNoErase = "No response to clear flash command. Please retry";
    const std::string kNoBlock = "Radio did not respond to flash command. Please retry";
    const struct {
        const char* name;
        sim::ModelOptions model;
        long hangupAfter;        // radio bytes before the line goes dead (-1: never)
        std::size_t fromByte;    // the PC byte the time is taken from
        std::size_t blocksSent;  // in all
        Millis atLeast, atMost;  // from that byte to the first block, or to the end
        std::string message;     // "" for success
    } cases[] = {
        // From the "C" of "FC"; the wake answer and the identity are 22 bytes.
        {"dead erase", {}, 22, 4, 0, 295000, 305000, kNoErase},
        // From the last byte of block 100: 10 ms, then 20 polls of 50 ms.
        {"dead block", {{"mute", "100"}}, -1, 5 + 100 * 73 + 72, 101, 950, 1050, kNoBlock},
        {"line dead at a block", {}, 22 + 2 + 100 * 2, 5 + 100 * 73 + 72, 101, 950, 1050, kNoBlock},
        // An answer in the middle of a poll: the pause fills that poll's second.
        {"erase answered at 2.5 s", {{"erase-ms", "2500"}}, -1, 4, 862, 3000, 3000, ""},
        {"erase answered at 3 s", {{"erase-ms", "3000"}}, -1, 4, 862, 3000 + gap, 3000 + gap, ""},
    };
    for (const auto& c : cases) {
        sim::ModelOptions o = options;
        for (const auto& [k, v] : c.model) o[k] = v;
        WlaBench b(o);
        b.devices.faults().hangupAfter = c.hangupAfter;
        const bool ok = b.page.reflashFrom(writeFile(b, programFile()));
        EXPECT_EQ(ok, c.message.empty()) << c.name;
        EXPECT_EQ(b.fromPc().size(), 5 + c.blocksSent * 73) << c.name;
        const auto& t = b.radio().times;
        ASSERT_GT(t.size(), c.fromByte) << c.name;
        const Millis until = ok ? t.at(5) : b.clock.now();
        EXPECT_GE(until - t[c.fromByte], c.atLeast) << c.name;
        EXPECT_LE(until - t[c.fromByte], c.atMost) << c.name;
        std::vector<std::string> shown = {kFlashPrompt};
        if (!c.message.empty()) shown.push_back(c.message);
        EXPECT_EQ(b.ui.messages(), shown) << c.name;
    }
}

// The saved code flashing back unchanged is the end-to-end run's; here the file is written
// only when the radio's check byte matches.
TEST_F(WlaCodeTest, CodeReadWritesTheFileOnlyWhenItsCrcMatches) {
    const struct {
        const char* key;
        const char* value;
        std::string message;
    } cases[] = {
        {"erase-ms", "3000", "Radio Code written to file successfully"},
        {"code-crc", "bad",
         "The CRC byte for the radio code does not match! This means that the radio code was "
         "not correctly read from the radio."},
        {"code-short", "63999", "I/O Error"},
    };
    for (const auto& c : cases) {
        const bool ok = c.message == cases[0].message;
        sim::ModelOptions o = options;
        o[c.key] = c.value;
        WlaBench b(o);
        const std::string path = b.dir.file("out.mot");
        writeBytes(path, "old");
        EXPECT_EQ(b.page.writeCodeTo(path), ok) << c.key;
        EXPECT_EQ(b.ui.messages(), (std::vector<std::string>{kFlashPrompt, c.message}));
        EXPECT_FALSE(b.ui.statusOpen());
        if (!ok) {
            EXPECT_EQ(readBytes(path), "old") << c.key;
            continue;
        }
        EXPECT_EQ(readBytes(path).size(), 3960u * 43u);
        EXPECT_EQ(b.ui.statusTexts(), (std::vector<std::string>{
                                          "Read Flash Code (Approx. 70 seconds)", "Testing CRC"}));
    }
}

// The erase counts its polls against their limit, the flash its blocks, the code read its
// bytes; each stage is whole only once it has succeeded, and a line that goes dead stops the
// marks where the work stopped.
TEST_F(WlaCodeTest, ProgressMarksEachStageUntilItSucceeds) {
    constexpr long kIdentified = 22;  // the wake answer and the identity
    const struct {
        const char* name;
        bool reflash;
        long hangupAfter;  // radio bytes before the line goes dead (-1: never)
        std::vector<long> stages;
        bool ok;
        long reached;  // the last mark
    } cases[] = {
        {"reflash", true, -1, {300, 862}, true, 862},
        {"erase never answered", true, kIdentified, {300}, false, 299},
        // "OK" to the erase and to 100 blocks.
        {"flash broken off", true, kIdentified + 2 + 100 * 2, {300, 862}, false, 100},
        {"code read", false, -1, {64000}, true, 64000},
        {"code read broken off", false, kIdentified + 30000, {64000}, false, 30000},
    };
    for (const auto& c : cases) {
        WlaBench b(options);
        b.devices.faults().hangupAfter = c.hangupAfter;
        const bool ok = c.reflash ? b.page.reflashFrom(writeFile(b, programFile()))
                                  : b.page.writeCodeTo(b.dir.file("out.mot"));
        EXPECT_EQ(ok, c.ok) << c.name;
        const auto& marks = b.ui.progressMarks();
        EXPECT_TRUE(test::progressStages(marks, c.stages, c.ok)) << c.name;
        ASSERT_FALSE(marks.empty()) << c.name;
        EXPECT_EQ(marks.back().first, c.reached) << c.name;
    }
}

TEST_F(WlaCodeTest, CheckCodeOpensNoPort) {
    WlaBench b(options);
    EXPECT_TRUE(b.page.checkCodeFile(writeFile(b, programFile())));
    EXPECT_EQ(b.devices.opens(), 0);
    EXPECT_TRUE(b.ui.messages().empty());
    EXPECT_EQ(b.ui.events().back().text,
              "66 S1 records, 1024 bytes of program code in 0x2000-0xF77F, 862 blocks of 64 "
              "bytes to flash.");
}

}  // namespace
}  // namespace tw::compact
