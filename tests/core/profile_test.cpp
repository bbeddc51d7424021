#include "config/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/port_apply.h"
#include "link/port_map.h"
#include "link/serial_link.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tw_profile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / "novac4.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void writeFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string readFile() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(ProfileTest, MissingFileOrKeyGivesDefaults) {
    Profile p(path_);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), -1);
    EXPECT_EQ(p.getString("Directory Settings", "Track", ""), "");
    writeFile("[Comm Settings]\nBaud=9600\n");
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), -1);
    EXPECT_EQ(p.getInt("Radio Settings", "Radio Type", 85), 85);
}

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutCase) {
    writeFile("[comm settings]\nPORT NUMBER = 3\n[Directory Settings]\ntrack=C:\\data\\tk\n");
    Profile p(path_);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 3);
    EXPECT_EQ(p.getString("DIRECTORY SETTINGS", "Track"), "C:\\data\\tk");
}

TEST_F(ProfileTest, AByteOrderMarkAtTheStartIsNoPartOfTheFile) {
    writeFile("\xEF\xBB\xBF[Comm Settings]\r\nPort Number=4\r\n");
    Profile p(path_);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 4);
    ASSERT_TRUE(p.writeString("Comm Settings", "Port Number", "5"));
    EXPECT_EQ(readFile(), "[Comm Settings]\r\nPort Number=5\r\n");
}

TEST_F(ProfileTest, NumbersReadLikeTheProfileFunctions) {
    writeFile("[A]\nneg=-1\nlead=12abc\nword=abc\nempty=\n");
    Profile p(path_);
    EXPECT_EQ(p.getInt("A", "neg", 7), -1);
    EXPECT_EQ(p.getInt("A", "lead", 7), 12);
    EXPECT_EQ(p.getInt("A", "word", 7), 0);
    EXPECT_EQ(p.getInt("A", "empty", 7), 0);
}

TEST_F(ProfileTest, WritingOneKeyKeepsEverythingElse) {
    writeFile(
        "; bench PC\n[Comm Settings]\nPort Number=2\nOther=x\n\n[Directory Settings]\n"
        "Track=/srv/tk\n");
    Profile p(path_);
    ASSERT_TRUE(p.writeString("COMM SETTINGS", "port number", "4"));
    const std::string text = readFile();
    EXPECT_NE(text.find("; bench PC"), std::string::npos);
    EXPECT_NE(text.find("Other=x"), std::string::npos);
    EXPECT_NE(text.find("Track=/srv/tk"), std::string::npos);
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 4);
    EXPECT_EQ(text.find("Port Number=2"), std::string::npos);
}

TEST_F(ProfileTest, NewKeysGoIntoTheirSectionAndNewSectionsAtTheEnd) {
    writeFile("[Comm Settings]\nPort Number=2\n\n[Radio Settings]\nRadio Type=85\n");
    Profile p(path_);
    ASSERT_TRUE(p.writeString("Comm Settings", "Extra", "1"));
    ASSERT_TRUE(p.writeString("Directory Settings", "Track", "/tmp"));
    const std::string text = readFile();
    EXPECT_LT(text.find("Extra=1"), text.find("[Radio Settings]"));
    EXPECT_GT(text.find("[Directory Settings]"), text.find("Radio Type=85"));
    EXPECT_EQ(p.getString("Directory Settings", "Track"), "/tmp");
    EXPECT_EQ(p.getInt("Radio Settings", "Radio Type", 0), 85);
}

// The temporary port write around opening the link.
class PortApplyTest : public ProfileTest {
  protected:
    PortApplyTest() : factory_(std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}), clock_) {}

    VirtualClock clock_;
    ScriptedUi ui_;
    sim::SimDeviceFactory factory_;
};

TEST_F(PortApplyTest, WithoutFileTheChosenPortOpensAndMinusOneIsWrittenBack) {
    Profile p(path_);
    SerialLink link(p, factory_, clock_, ui_);
    const SlkHandle h = openOnCurrentPort(link, p, 3, 9600);
    ASSERT_NE(h, kNoLink);
    EXPECT_EQ(factory_.lastPath(), "/dev/ttyUSB2");
    EXPECT_EQ(factory_.lastBaud(), 9600);
    EXPECT_EQ(p.getString("Comm Settings", "Port Number"), "-1");
}

TEST_F(PortApplyTest, SavedPortIsKeptWhileTheChosenOneOpens) {
    writeFile("[Comm Settings]\nPort Number=2\n");
    Profile p(path_);
    SerialLink link(p, factory_, clock_, ui_);
    ASSERT_NE(openOnCurrentPort(link, p, 4, 9600), kNoLink);
    EXPECT_EQ(factory_.lastPath(), "/dev/ttyUSB3");
    EXPECT_EQ(p.getInt("Comm Settings", "Port Number", -1), 2);
}

TEST_F(PortApplyTest, SamePortLeavesTheFileUntouched) {
    writeFile("[Comm Settings]\nPort Number = 2\n");
    const auto before = std::filesystem::last_write_time(path_);
    Profile p(path_);
    SerialLink link(p, factory_, clock_, ui_);
    ASSERT_NE(openOnCurrentPort(link, p, 2, 9600), kNoLink);
    EXPECT_EQ(readFile(), "[Comm Settings]\nPort Number = 2\n");
    EXPECT_EQ(std::filesystem::last_write_time(path_), before);
}

TEST_F(PortApplyTest, NoPortChosenFailsWithAReason) {
    Profile p(path_);
    SerialLink link(p, factory_, clock_, ui_);
    EXPECT_EQ(openOnCurrentPort(link, p, -1, 9600), kNoLink);
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
