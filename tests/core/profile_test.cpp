#include "config/profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/port_map.h"
#include "link/port_session.h"
#include "link/serial_link.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::remove(path_); }
    void TearDown() override { std::filesystem::remove(path_); }

    void writeFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string readFile() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    const std::string path_ = (std::filesystem::temp_directory_path() /
                               ("tw_profile_" + std::to_string(::getpid()) + ".ini"))
                                  .string();
};

TEST_F(ProfileTest, ReadsMatchWithoutCaseAndFallBackToDefaults) {
    Profile p(path_);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), -1);  // no file yet
    EXPECT_EQ(p.getString("Directory Settings", "Track", ""), "");
    writeFile(
        "[comm settings]\nPORT NUMBER = 3\n[Directory Settings]\ntrack=C:\\data\\tk\n"
        "[A]\nneg=-1\nlead=12abc\nword=abc\nempty=\n");
    EXPECT_EQ(p.getString("DIRECTORY SETTINGS", "Track"), "C:\\data\\tk");
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 3);
    EXPECT_EQ(p.getInt("Radio Settings", "Radio Type", 85), 85);
    EXPECT_EQ(p.getInt("A", "missing", 7), 7);
    // Numbers read like the profile functions read them.
    EXPECT_EQ(p.getInt("A", "neg", 7), -1);
    EXPECT_EQ(p.getInt("A", "lead", 7), 12);
    EXPECT_EQ(p.getInt("A", "word", 7), 0);
    EXPECT_EQ(p.getInt("A", "empty", 7), 0);
}

TEST_F(ProfileTest, AByteOrderMarkAtTheStartIsNoPartOfTheFile) {
    writeFile("\xEF\xBB\xBF[Comm Settings]\r\nPort Number=4\r\n");
    Profile p(path_);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 4);
    ASSERT_TRUE(p.writeString("Comm Settings", "Port Number", "5"));
    EXPECT_EQ(readFile(), "[Comm Settings]\r\nPort Number=5\r\n");
}

// Keys are replaced in place, new keys go at the end of their section, new sections at the
// end of the file, and everything else stays.
TEST_F(ProfileTest, WritingAKeyKeepsEverythingElse) {
    writeFile(
        "; bench PC\n[comm settings]\nPort Number=2\nOther=x\n\n[Radio Settings]\nRadio Type=85\n");
    Profile p(path_);
    ASSERT_TRUE(p.writeString("COMM SETTINGS", "port number", "4"));
    ASSERT_TRUE(p.writeString("Comm Settings", "Extra", "1"));
    ASSERT_TRUE(p.writeString("Directory Settings", "Track", "/tmp"));
    EXPECT_EQ(readFile(),
              "; bench PC\r\n[comm settings]\r\nPort Number=4\r\nOther=x\r\nExtra=1\r\n\r\n"
              "[Radio Settings]\r\nRadio Type=85\r\n[Directory Settings]\r\nTrack=/tmp\r\n");
}

// Opening on the chosen port reads the profile and never writes it.
class PortApplyTest : public ProfileTest {
  protected:
    VirtualClock clock_;
    ScriptedUi ui_;
    sim::SimDeviceFactory factory_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
};

TEST_F(PortApplyTest, TheChosenPortOpensAndTheSavedOneStays) {
    const struct {
        const char* before;  // nullptr: no file
        int port;
        const char *device, *after;
    } cases[] = {
        // No file at all stays no file.
        {nullptr, 3, "/dev/ttyUSB2", nullptr},
        {"[Comm Settings]\nPort Number=2\n", 4, "/dev/ttyUSB3", "[Comm Settings]\nPort Number=2\n"},
        // The same port leaves the file untouched, byte for byte.
        {"[Comm Settings]\nPort Number = 2\n", 2, "/dev/ttyUSB1",
         "[Comm Settings]\nPort Number = 2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        std::filesystem::remove(path_);
        if (c.before) writeFile(c.before);
        Profile p(path_);
        SerialLink link(p, factory_, clock_, ui_);
        PortSession port(link);
        ASSERT_TRUE(port.open(c.port, 9600));
        EXPECT_EQ(factory_.lastPath(), c.device);
        EXPECT_EQ(factory_.lastBaud(), 9600);
        if (c.after)
            EXPECT_EQ(readFile(), c.after);
        else
            EXPECT_FALSE(std::filesystem::exists(path_));
    }
}

TEST_F(PortApplyTest, NoPortChosenFailsWithAReason) {
    Profile p(path_);
    SerialLink link(p, factory_, clock_, ui_);
    EXPECT_FALSE(PortSession(link).open(-1, 9600));
    EXPECT_NE(link.lastOpenError().find("Comm Settings"), std::string::npos);
    EXPECT_EQ(factory_.opens(), 0);
}

TEST_F(PortApplyTest, PortDevicesOverrideAndRunDevice) {
    writeFile("[Port Devices]\nCOM2=/dev/serial/by-id/usb-cable\n");
    Profile p(path_);
    PortMap map(p);
    EXPECT_EQ(map.devicePath(2), "/dev/serial/by-id/usb-cable");
    EXPECT_EQ(map.devicePath(9), "/dev/ttyUSB8");
    EXPECT_EQ(map.devicePath(10), "");
    EXPECT_EQ(map.devicePath(0), "");
    map.setRunDevice("/dev/pts/7");
    EXPECT_EQ(map.devicePath(-1), "/dev/pts/7");
}

}  // namespace
}  // namespace tw
