#include <gtest/gtest.h>

#include "compact/wla_fixture.h"
#include "families/compact/wla_record.h"
#include "history/read_history.h"

namespace tw::compact {
namespace {

using wla_test::readBytes;
using wla_test::WlaBench;
using wla_test::writeBytes;

const std::string kInit =
    "Could not initialize radio. Check connection and confirm no other application is using "
    "comm port. ";
const std::string kPowerCycle = "Power cycle radio to place in progamming mode.";

std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> out;
    for (int b : list) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

// Every tracking box is marked while typing exactly when the check before a write would
// refuse its text, and a refused write names the box its message is about.
TEST(WlaTracking, MarksWhileTypingAgreeWithTheWriteCheck) {
    WlaBench b;
    for (const auto& f : kWlaFields) {
        for (const char* value : {"0", "-9", "-10", "+8", "9", "31", "32", "255", "256", " 7 ",
                                  "1.5", "-", "1234567"}) {
            for (const auto& g : kWlaFields) b.page.controls().setText(g.control, "0");
            b.page.controls().setText(f.control, value);
            std::string problem;
            int failed = 0;
            const bool refused = !takeRecord(b.page.controls(), problem, &failed);
            EXPECT_EQ(b.page.fieldProblem(f.control, value).has_value(), refused)
                << f.control << "=" << value;
            EXPECT_EQ(failed, refused ? f.control : 0) << f.control << "=" << value;
        }
    }
    EXPECT_EQ(b.page.fieldProblem(1094, "-10"), "Out of range. Allowed: -9 to 8");
    EXPECT_EQ(b.page.fieldProblem(1038, "3a"), "Not a whole number. Allowed: 0 to 31");
    EXPECT_EQ(b.page.fieldProblem(1006, ""), std::nullopt);

    b.page.controls().setText(1041, "99");
    EXPECT_FALSE(b.page.WriteTrackingToDisk());
    EXPECT_EQ(b.ui.messages().back(), "TX Deviation SP1 High must be a whole number from 0 to 31.");
    EXPECT_EQ(b.page.takeFailedField(), 1041);
}

TEST(WlaTracking, ReadShowsIdentityAndRecord) {
    WlaBench b;
    b.app.currentPort = 4;  // Comm Settings' choice: this page opens the profile's port
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    EXPECT_EQ(b.devices.lastPath(), "/dev/ttyUSB0");
    EXPECT_EQ(b.devices.lastBaud(), 9600);
    EXPECT_EQ(b.profile.getInt("Comm Settings", "Port Number", -1), 1);
    EXPECT_EQ(b.ui.messages(), std::vector<std::string>{kPowerCycle});
    EXPECT_EQ(b.fromPc(), bytes({0x55, 'G', 'E', 'G', 'C', 0, 0x15, 0, 0, 0, 0x50}));
    const auto& c = b.page.controls();
    EXPECT_EQ(c.text(CWlaPage::kRadioType), "WLA");
    EXPECT_EQ(c.text(CWlaPage::kRfType), "UHF-LOW");
    EXPECT_EQ(c.text(CWlaPage::kMaxPower), "40W");
    EXPECT_EQ(c.text(1006), "120");
    EXPECT_EQ(c.text(1072), "-2");  // record byte 12, signed
    EXPECT_EQ(c.text(1100), "-1");
}

// Each check of the connection, in the order the radio meets them; a later check never runs
// once an earlier one failed, and the page's identity texts stay as they were.
TEST(WlaTracking, ConnectChecksInOrder) {
    const struct {
        sim::ModelOptions options;
        std::string fault;
        bool openFails;
        std::vector<std::string> messages;
        std::size_t bytesSent;
    } cases[] = {
        {{}, "", true, {"Comm Port not opened or busy.", kInit}, 0},
        {{}, "silent", false, {kPowerCycle, kInit}, 1},
        {{{"mode", "flash"}}, "", false, {kPowerCycle, "Radio in Unknown Mode!\n", kInit}, 1},
        {{{"idlen", "3"}}, "", false, {kPowerCycle, kInit}, 3},
        {{{"type", "29"}}, "", false, {kPowerCycle, "Wrong radio type number", kInit}, 3},
        {{{"config", "10"}}, "", false, {kPowerCycle, "Invalid band split data", kInit}, 3},
    };
    for (const auto& c : cases) {
        WlaBench b(c.options);
        if (!c.fault.empty()) {
            ASSERT_TRUE(b.devices.faults().parse(c.fault));
        }
        if (c.openFails) b.devices.failOpens("busy");
        b.page.controls().setText(CWlaPage::kMaxPower, "20W");
        EXPECT_FALSE(b.page.ReadTrackingFromRadio());
        EXPECT_EQ(b.ui.messages(), c.messages) << c.messages.at(c.messages.size() - 2);
        EXPECT_EQ(b.fromPc().size(), c.bytesSent);
        EXPECT_EQ(b.page.controls().text(CWlaPage::kMaxPower), "20W");
        EXPECT_EQ(b.page.powerText(), "");
    }
}

TEST(WlaTracking, ShortReadKeepsTheRecord) {
    WlaBench b;
    // Wake answer (2) and identification (20), then ten of the 21 record bytes.
    ASSERT_TRUE(b.devices.faults().parse("hangup=32"));
    WlaRecord old{};
    old[0] = 7;
    b.page.setRecord(old);
    EXPECT_FALSE(b.page.ReadTrackingFromRadio());
    EXPECT_EQ(b.ui.messages().back(), "Could not read Tracking Data.");
    EXPECT_EQ(b.page.record(), old);
    EXPECT_EQ(b.page.controls().text(1006), "7");
}

TEST(WlaTracking, WriteSendsEachByteWith40msGapsAndComparesTheReadBack) {
    WlaBench b;
    WlaRecord r{};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>(i < 12 ? i + 1 : i - 16);  // squelch -4 to 4
    b.page.setRecord(r);
    const std::vector<std::uint8_t> held(b.radio().eeprom().begin() + 0x50,
                                         b.radio().eeprom().begin() + 0x50 + 21);
    ASSERT_TRUE(b.page.WriteTrackingToRadio());
    EXPECT_EQ(b.ui.messages(), std::vector<std::string>{kPowerCycle});
    // Wake and identification, the read of what the radio holds, then the write.
    const auto& wire = b.fromPc();
    ASSERT_EQ(wire.size(), 3u + 8 + 8 + 21 + 8);
    EXPECT_EQ(std::vector<std::uint8_t>(wire.begin() + 3, wire.begin() + 11),
              bytes({'G', 'C', 0, 0x15, 0, 0, 0, 0x50}));
    EXPECT_EQ(std::vector<std::uint8_t>(wire.begin() + 11, wire.begin() + 19),
              bytes({'G', 'D', 0, 0x15, 0, 0, 0, 0x50}));
    EXPECT_EQ(std::vector<std::uint8_t>(wire.begin() + 19, wire.begin() + 40),
              std::vector<std::uint8_t>(r.begin(), r.end()));
    const auto& t = b.radio().times;
    // The radio is given 100 ms after the wake byte before the PC goes on.
    EXPECT_GE(t[1] - t[0], 100);
    for (std::size_t i = 20; i < 40; ++i) EXPECT_EQ(t[i] - t[i - 1], 40) << i;
    EXPECT_EQ(readBytes(kvr::test::lastBeforeWrite(b.app, "wla")),
              std::string(held.begin(), held.end()));
    EXPECT_EQ(std::vector<std::uint8_t>(b.radio().eeprom().begin() + 0x50,
                                        b.radio().eeprom().begin() + 0x50 + 21),
              std::vector<std::uint8_t>(r.begin(), r.end()));
}

TEST(WlaTracking, WriteFailures) {
    const struct {
        sim::ModelOptions options;
        std::string fault;
        std::string message;
    } cases[] = {
        {{{"refuse-write", "1"}}, "", "I/O error, please retry"},
        {{{"stuck", "4"}},
         "",
         "The Tracking Data read back from the radio differs from what was written.\nPlease "
         "retry."},
        // Wake, identification and the record as it was, then "O".
        {{}, "hangup=44", "I/O error, please retry"},
        {{}, "hangup=51", "Could not read Tracking Data to verify."},
    };
    for (const auto& c : cases) {
        WlaBench b(c.options);
        if (!c.fault.empty()) {
            ASSERT_TRUE(b.devices.faults().parse(c.fault));
        }
        b.page.controls().setText(1006, "99");
        EXPECT_FALSE(b.page.WriteTrackingToRadio()) << c.message;
        EXPECT_EQ(b.ui.messages(), (std::vector<std::string>{kPowerCycle, c.message}));
        EXPECT_FALSE(b.link.isOpen(1));
    }
}

TEST(WlaTracking, WritesStoppedBeforeTheLinkOpens) {
    const struct {
        int control;
        const char* text;
        bool answer;
        std::string message;
    } cases[] = {
        {1006, "0", false, "Tracking Data is set to 0.\n Proceed?"},
        {1080, "-10", true, "Squelch 20 High must be a whole number from -9 to 8."},
    };
    for (const auto& c : cases) {
        WlaBench b;
        for (const auto& f : kWlaFields) b.page.controls().setText(f.control, "0");
        b.page.controls().setText(c.control, c.text);
        b.ui.answers.push_back(c.answer);
        EXPECT_FALSE(b.page.WriteTrackingToRadio());
        EXPECT_EQ(b.ui.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(b.devices.opens(), 0);
    }
}

TEST(WlaTracking, Tk4FilesSaveAndLoad) {
    WlaBench b;
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    const std::string path = b.dir.file("radio.tk4");
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.WriteTrackingToDisk());
    EXPECT_EQ(b.ui.fileChoices().back().filter, "Wla Track|*.tk4|All Files|*.*||");
    EXPECT_EQ(b.ui.fileChoices().back().initialName, "*.tk4");
    EXPECT_EQ(readBytes(path), std::string(b.page.record().begin(), b.page.record().end()));

    const WlaRecord shown = b.page.record();
    for (std::size_t size : {0u, 20u, 22u}) {
        writeBytes(b.dir.file("bad.tk4"), std::string(size, '\x05'));
        b.ui.files.push_back(b.dir.file("bad.tk4"));
        EXPECT_FALSE(b.page.ReadTrackingFromDisk());
        EXPECT_EQ(b.ui.messages().back(), "Tracking data file is not correct size.");
        EXPECT_EQ(b.page.record(), shown);
    }
    b.ui.files.push_back(b.dir.file("missing.tk4"));
    EXPECT_FALSE(b.page.ReadTrackingFromDisk());
    EXPECT_EQ(b.ui.messages().back(), "Could not open file for reading.");

    writeBytes(path, std::string(21, '\x03'));
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.ReadTrackingFromDisk());
    EXPECT_EQ(b.page.controls().text(1100), "3");
    // A tracking file carries no band or power: the identification's texts stay.
    EXPECT_EQ(b.page.controls().text(CWlaPage::kRfType), "UHF-LOW");
    EXPECT_EQ(b.page.ReportLines().at(1), "Band Split = UHF-LOW");
    EXPECT_EQ(b.page.ReportLines().at(2), "Maximum Output Power = 40 Watts");
}

}  // namespace
}  // namespace tw::compact
