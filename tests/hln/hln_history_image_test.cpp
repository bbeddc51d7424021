// Copies of radio reads in the history, raw image writes, and .tk2 files a person edited.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "families/hln/hln_files.h"
#include "families/hln/hln_page.h"
#include "families/hln/radio_identity.h"
#include "history/read_history.h"
#include "hln_fixture.h"

namespace tw::hln {
namespace {

using namespace ids;
using Messages = std::vector<std::string>;

class HlnKeptTest : public HlnTest {
  protected:
    HlnKeptTest() { page_ = std::make_unique<CHlnmaintDlg>(*env_); }
    void choose(char letter) {
        ui_.dialogScripts.push_back(DialogScript{{{"type", std::string(1, letter)}}, "OK"});
    }
    std::string text(int id) const { return page_->controls().text(id); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> trackingTexts() const {
        std::vector<std::string> t;
        for (const auto& f : kHlnTrackingFields) t.push_back(text(f.control));
        return t;
    }
    // The copy the last read left, found by what was not there before.
    std::string newCopy(const std::vector<KeptRead>& before) {
        const auto after = keptRadioReads(app_, kHlnHistoryFamily);
        EXPECT_EQ(after.size(), before.size() + 1);
        for (const auto& k : after) {
            bool old = false;
            for (const auto& b : before) old = old || b.path == k.path;
            if (!old) return k.path;
        }
        return {};
    }
    std::unique_ptr<CHlnmaintDlg> page_;
};

TEST_F(HlnKeptTest, ReadsLeaveCopiesThatLoadBackThroughReadFromDisk) {
    auto before = keptRadioReads(app_, kHlnHistoryFamily);
    choose('U');
    ASSERT_TRUE(page_->ReadTrackingFromRadio());
    const std::string tk2 = newCopy(before);
    ASSERT_NE(tk2.find("/hln/00A1B2C3D4E5/"), std::string::npos) << tk2;
    ASSERT_EQ(std::filesystem::path(tk2).extension(), ".tk2");
    const auto shown = trackingTexts();
    for (const auto& f : kHlnTrackingFields) page_->controls().setText(f.control, "");
    ui_.files.push_back(tk2);
    ASSERT_TRUE(page_->ReadTrackingFromDisk());
    EXPECT_EQ(trackingTexts(), shown);

    before = keptRadioReads(app_, kHlnHistoryFamily);
    choose('U');
    ASSERT_TRUE(page_->ReadFeaturesFromRadio());
    const std::string fea = newCopy(before);
    const std::string features = text(kFeatures);
    page_->controls().setText(kFeatures, "");
    ui_.files.push_back(fea);
    ASSERT_TRUE(page_->ReadFeaturesFromDisk());
    EXPECT_EQ(text(kFeatures), features);

    before = keptRadioReads(app_, kHlnHistoryFamily);
    choose('U');
    ASSERT_TRUE(page_->readImageToFile(path("image.bin")));
    std::ifstream a(path("image.bin"), std::ios::binary), b(newCopy(before), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
              std::string(std::istreambuf_iterator<char>(b), {}));
}

TEST_F(HlnKeptTest, GetStatusKeepsTheRecordsItRead) {
    const struct {
        char type;
        std::vector<std::string> extensions;
    } cases[] = {{'U', {".fea", ".tk2"}}, {'I', {".fea"}}};  // a UKT 20 has no tracking data
    for (const auto& c : cases) {
        radio({{"type", std::string(1, c.type)}, {"serial", "0000000000C1"}});
        page_ = std::make_unique<CHlnmaintDlg>(*env_);
        choose(c.type);
        ASSERT_TRUE(page_->GetStatus());
        std::vector<std::string> kept;
        for (const auto& k : keptRadioReads(app_, kHlnHistoryFamily))
            if (k.radio == "0000000000C1")
                kept.push_back(std::filesystem::path(k.path).extension());
        std::sort(kept.begin(), kept.end());
        EXPECT_EQ(kept, c.extensions) << c.type;
        for (const auto& k : keptRadioReads(app_, kHlnHistoryFamily))
            if (k.radio == "0000000000C1") std::filesystem::remove(k.path);
    }
}

TEST_F(HlnKeptTest, ImageWriteRefusesAWrongSizeBeforeThePortOpensAndAsksFirst) {
    const struct {
        std::uintmax_t size;
        bool answer;
        std::string first;  // first message or question
        bool written;
    } cases[] = {
        {4095, true, "The image file holds 4095 bytes; an image of radio type ZKT is 4096 bytes.",
         0},
        {50u << 20, true, "The image file holds 52428800 bytes;", false},
        {4096, false, "Write the image file to the radio?", false},
        {4096, true, "Write the image file to the radio?", true},
    };
    for (const auto& c : cases) {
        radio({{"type", "U"}});
        page_ = std::make_unique<CHlnmaintDlg>(*env_);
        ui_.clear();
        std::ofstream(path("in.bin"), std::ios::binary) << std::string(100, '\x5A');
        std::filesystem::resize_file(path("in.bin"), c.size);  // sparse: costs no disk
        ui_.answers = {c.answer};
        choose('U');
        EXPECT_EQ(page_->writeImageFromFile(path("in.bin")), c.written);
        ASSERT_FALSE(ui_.events().empty());
        const auto& shown = ui_.events()[1];  // after the Select Radio Type dialog
        EXPECT_EQ(shown.text.substr(0, c.first.size()), c.first) << shown.text;
        EXPECT_EQ(factory_->opens(), c.written ? 1 : 0);
        EXPECT_EQ(model().memory()[0x10] == 0x5A, c.written);
    }
}

// An image replaces everything: the whole image the radio held is kept first, and loads back
// as an image file that restores it.
TEST_F(HlnKeptTest, AnImageWriteKeepsTheWholeImageItReplaces) {
    choose('U');
    ASSERT_TRUE(page_->readImageToFile(path("old.bin")));
    std::ifstream in(path("old.bin"), std::ios::binary);
    std::string image(std::istreambuf_iterator<char>(in), {});
    image[0x10] = 0x5A;
    std::ofstream(path("new.bin"), std::ios::binary) << image;
    const auto before = keptRadioReads(app_, kHlnHistoryFamily);
    ui_.answers = {true};
    choose('U');
    ASSERT_TRUE(page_->writeImageFromFile(path("new.bin")));
    const std::string copy = newCopy(before);
    EXPECT_NE(copy.find("-before-write.bin"), std::string::npos) << copy;
    std::ifstream kept(copy, std::ios::binary), old(path("old.bin"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}),
              std::string(std::istreambuf_iterator<char>(old), {}));
    EXPECT_EQ(model().memory()[0x10], 0x5A);
}

// Data loaded from the history copy of another radio is written to the radio on the bench
// only when the technician says so, or the run allowed it beforehand.
TEST_F(HlnKeptTest, DataFromAnotherRadiosCopyAsksBeforeItIsWritten) {
    const std::string question =
        "This data was read from radio 0102030405A6 on 2026-01-02 03:04:05 UTC; the radio on "
        "the bench is 00A1B2C3D4E5. Write it anyway?";
    const struct {
        const char* radio;  // whose copy is loaded
        bool allowed, answer;
        bool asked, written;
    } cases[] = {
        {"0102030405A6", false, false, true, false},
        {"0102030405A6", false, true, true, true},
        {"0102030405A6", true, false, false, true},
        {"00A1B2C3D4E5", false, false, false, true},
    };
    HlnTrackingBytes values{};
    values.fill(20);
    for (int i : {24, 25, 26}) values[static_cast<std::size_t>(i)] = 200;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.radio) + (c.allowed ? " allowed" : ""));
        const auto folder =
            std::filesystem::path(historyFolder(app_)) / kHlnHistoryFamily / c.radio;
        std::filesystem::create_directories(folder);
        const std::string copy = (folder / "2026-01-02T03-04-05Z.tk2").string();
        std::ofstream(copy) << encodeTk2(values);
        app_.allowOtherRadio = c.allowed;
        ui_.clear();
        ui_.files.push_back(copy);
        ASSERT_TRUE(page_->ReadTrackingFromDisk());
        ui_.riskyAnswers = {c.answer};
        ui_.answers = {false};  // not a ZKT
        choose('U');
        EXPECT_EQ(page_->WriteTrackingToRadio(), c.written);
        const auto shown = ui_.messages();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), question), c.asked ? 1 : 0);
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "Tracking data written successfully."),
                  c.written ? 1 : 0);
        std::filesystem::remove(copy);
    }
    app_.allowOtherRadio = false;
}

TEST_F(HlnKeptTest, Tk2AcceptsTrailingBlanksOnlyAndRefusesHugeFilesBySize) {
    const std::string pairs = "0A" + std::string(52, '1');
    const struct {
        std::string name, content;
        std::uintmax_t size;  // 0: as written
        bool loads;
    } cases[] = {
        {"blanks.tk2", pairs + " \t\r\n\n", 0, true},
        {"extra.tk2", pairs + "\r\nFF", 0, false},
        {"short.tk2", pairs.substr(0, 53), 0, false},
        {"huge.tk2", pairs, 1ull << 30, false},
    };
    for (const auto& c : cases) {
        page_->controls().setText(kDataModHigh, "7");
        ui_.clear();
        std::ofstream(path(c.name), std::ios::binary) << c.content;
        if (c.size) std::filesystem::resize_file(path(c.name), c.size);
        ui_.files.push_back(path(c.name));
        EXPECT_EQ(page_->ReadTrackingFromDisk(), c.loads) << c.name;
        EXPECT_EQ(text(kDataModHigh), c.loads ? "10" : "7");
        EXPECT_EQ(ui_.messages().size(), c.loads ? 0u : 1u);
    }
    EXPECT_NE(ui_.messages().at(0).find("1073741824 bytes"), std::string::npos);
}

}  // namespace
}  // namespace tw::hln
