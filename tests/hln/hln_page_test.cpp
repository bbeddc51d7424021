#include <fstream>
#include <iterator>
#include <set>

#include "families/hln/hln_checks.h"
#include "families/hln/hln_files.h"
#include "families/hln/hln_page.h"
#include "families/hln/radio_identity.h"
#include "families/hln/select_radio_type.h"
#include "history/read_history.h"
#include "hln_fixture.h"

namespace tw::hln {
namespace {

using namespace ids;
using Messages = std::vector<std::string>;

class HlnPageTest : public HlnTest {
  protected:
    void makePage() { page_ = std::make_unique<CHlnmaintDlg>(*env_); }
    void page(const sim::ModelOptions& options) {
        radio(options);
        makePage();
    }
    // The next Select Radio Type answer.
    void choose(char letter) {
        ui_.dialogScripts.push_back(DialogScript{{{"type", std::string(1, letter)}}, "OK"});
    }
    std::string text(int id) const { return page_->controls().text(id); }
    bool enabled(int id) const { return page_->controls().enabled(id); }
    void set(int id, const std::string& t) { page_->controls().setText(id, t); }
    // Fills every tracking field with a value that passes all checks.
    void validTracking() {
        for (const auto& f : kHlnTrackingFields) set(f.control, "20");
        for (int id : {kSquelchLow, kSquelchMid, kSquelchHigh}) set(id, "200");
    }
    // Busy cursor depth while the message box `text` was up (-1: not shown).
    int busyAt(const std::string& text) const {
        int depth = 0;
        for (const auto& e : ui_.events()) {
            if (e.kind == "busy") ++depth;
            if (e.kind == "unbusy") --depth;
            if (e.kind == "ok" && e.text == text) return depth;
        }
        return -1;
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string readAll(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::unique_ptr<CHlnmaintDlg> page_;
};

TEST_F(HlnPageTest, RadioTypeDialogPreselection) {
    profile_.writeString("Radio Settings", "Radio Type", "67");
    makePage();
    int seen = -1;
    ui_.onDialog = [&](Dialog& d) {
        auto& s = dynamic_cast<SelectRadioTypeDialog&>(d);
        seen = s.position();
        s.setPosition(0);  // UKT
        return true;
    };
    page_->ReadTrackingFromRadio();
    EXPECT_EQ(seen, 5);  // from the profile
    EXPECT_EQ(page_->lastRadioType(), 'I');
    page_->ReadTrackingFromRadio();
    EXPECT_EQ(seen, 0);  // the last type of this run wins over the profile
    SelectRadioTypeDialog d('U');
    EXPECT_FALSE(d.set("type", "X"));
    EXPECT_TRUE(d.set("type", "m"));
    EXPECT_EQ(d.letter(), 'M');
}

TEST_F(HlnPageTest, GetStatusKeepsDefaultsForMissingDataAndShortRecordsRepeatSquelch) {
    page({{"features", "0"}, {"version", "6.50"}});
    choose('U');
    ASSERT_TRUE(page_->GetStatus());
    EXPECT_EQ(ui_.messages(),
              (Messages{"Radio Did Not Return Data", "Radio has no feature data."}));
    EXPECT_EQ(text(kFeatures), "01FF09FFFFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(text(kSquelchMid), text(kSquelchLow));
    EXPECT_EQ(text(kSquelchHigh), text(kSquelchLow));
}

TEST_F(HlnPageTest, ReadTrackingOfAnOktRadioLeavesThePageUnchanged) {
    page({{"type", "K"}});
    set(kModel, "before");
    choose('K');
    EXPECT_FALSE(page_->ReadTrackingFromRadio());
    EXPECT_EQ(ui_.messages(), Messages{"This radio does not contain tracking data."});
    EXPECT_EQ(text(kModel), "before");
    EXPECT_FALSE(link_->isOpen());
}

TEST_F(HlnPageTest, WriteTrackingChecksThenSendsRecordOrder) {
    page({{"bank", "0"}});
    validTracking();
    set(kSquelchMid, "0");
    choose('U');
    ui_.answers = {false};  // not a ZKT
    EXPECT_FALSE(page_->WriteTrackingToRadio());
    EXPECT_EQ(ui_.messages(),
              (Messages{"Is this an ZKT radio?", "Valid range for squelch setting is 144-226."}));
    EXPECT_EQ(factory_->opens(), 0);

    // A Yes that the checks then stop does not leave an unconfirmed model on the page.
    ui_.clear();
    set(kModel, "before");
    set(kSquelchLow, "143");
    choose('U');
    ui_.answers = {true};
    EXPECT_FALSE(page_->WriteTrackingToRadio());
    EXPECT_EQ(ui_.messages().back(), "Valid range for squelch setting is 144-226.");
    EXPECT_EQ(text(kModel), "before");

    ui_.clear();
    for (std::size_t i = 0; i < kHlnTrackingFields.size(); ++i)
        set(kHlnTrackingFields[i].control, std::to_string(i < 24 ? i : 200 + i));
    choose('U');
    ui_.answers = {true};  // a ZKT
    ASSERT_TRUE(page_->WriteTrackingToRadio());
    EXPECT_EQ(ui_.messages(),
              (Messages{"Is this an ZKT radio?", "Tracking data written successfully."}));
    for (std::size_t i = 0; i < 27; ++i)
        EXPECT_EQ(model().memory()[0x100 + i], i < 24 ? i : 200 + i) << i;
    EXPECT_FALSE(enabled(kHighPowerLow));
    EXPECT_TRUE(enabled(kModLow));
}

// A write keeps what the radio held first: the record a read of the same radio gave when
// nothing was written to it since, else a read of its own inside the write's connection.
TEST_F(HlnPageTest, AWriteKeepsWhatTheRadioHeldReadingItOnlyWhenItMust) {
    page({{"bank", "0"}});
    validTracking();
    auto write = [&] {
        choose('U');
        ui_.answers = {false};  // not a ZKT
        const std::size_t from = sentText().size();
        EXPECT_TRUE(page_->WriteTrackingToRadio());
        const std::string sent = sentText().substr(from);
        int reads = 0;
        for (auto at = sent.find("GC"); at != std::string::npos; at = sent.find("GC", at + 1))
            ++reads;
        return reads;
    };
    auto heldCopy = [&] {
        std::string copy;
        for (const auto& k : keptRadioReads(app_, kHlnHistoryFamily))
            if (k.beforeWrite) copy = k.path;
        const auto values = decodeTk2(readAll(copy));
        return values ? std::vector<int>(values->begin(), values->end()) : std::vector<int>{};
    };
    auto memory = [&] {
        return std::vector<int>(model().memory().begin() + 0x100,
                                model().memory().begin() + 0x100 + 27);
    };

    const auto before = memory();
    const int ownRead = write();
    EXPECT_EQ(heldCopy(), before);

    set(kHlnTrackingFields[0].control, "33");
    const auto afterFirst = memory();
    choose('U');
    ASSERT_TRUE(page_->GetStatus());
    EXPECT_LT(write(), ownRead);  // the status read's record stands in: no read of its own
    EXPECT_EQ(heldCopy(), afterFirst);

    EXPECT_EQ(write(), ownRead);  // written since: read again
}

// All zero answered No, or a ZKT's locked field that is no byte: nothing reaches the radio.
TEST_F(HlnPageTest, AllZeroAnsweredNoAndLockedNonBytesSendNothing) {
    for (const bool zero : {true, false}) {
        page({});
        validTracking();
        for (const auto& f : kHlnTrackingFields)
            if (zero) set(f.control, "0");
        set(kModel, zero ? "" : "ZKT");
        if (!zero) set(kTaHighPowerLow, "999");  // the checks pass a locked field
        choose('A');
        ui_.clear();
        ui_.answers = {false};
        EXPECT_FALSE(page_->WriteTrackingToRadio());
        EXPECT_EQ(ui_.messages(), Messages{zero ? "Tracking Data is set to 0.\n Proceed?"
                                                : "Tracking values must be within 0-255."});
        EXPECT_EQ(factory_->opens(), 0);
    }
}

TEST_F(HlnPageTest, TrackingChecksStopAtTheFirstFailureInOrder) {
    makePage();
    struct Case {
        int control;
        const char* value;
        const char* model;
        const char* message;
    };
    for (const Case& c :
         {Case{kModLow, "1a", "", "Invalid character in low range modulation."},
          Case{kDataModHigh, "64", "", "Valid range for data modulation setting is 0-63."},
          Case{kSquelchLow, "143", "", "Valid range for squelch setting is 144-226."},
          Case{kSquelchLow, "400", "", "Valid range for squelch setting is 144-226."},
          Case{kHighPowerLow, "x", "", "Invalid character in low range high power."},
          Case{kHighPowerLow, "x", "ZKT", nullptr},
          Case{kTaLowPowerMid, "256", "", "Valid range for low power setting is 0-255."},
          Case{kTaDataModLow, "99", "", "Valid range for data modulation setting is 0-63."},
          Case{kSquelchHigh, "-1", "", "Invalid character in high range squelch."},
          Case{kModMid, "", "", nullptr}, Case{kSquelchLow, "226", "", nullptr}}) {
        validTracking();
        set(c.control, c.value);
        ui_.clear();
        EXPECT_EQ(ValidateHlnTracking(ui_, page_->controls(), c.model), c.message == nullptr)
            << c.control << "=" << c.value;
        EXPECT_EQ(ui_.messages(), c.message ? Messages{c.message} : Messages{});
    }
    // Two faults: the modulation digits check comes before the squelch range.
    validTracking();
    set(kSquelchLow, "1");
    set(kModHigh, "?");
    ui_.clear();
    ValidateHlnTracking(ui_, page_->controls(), "");
    EXPECT_EQ(ui_.messages(), Messages{"Invalid character in high range modulation."});
}

// Every tracking box is marked while typing exactly when the check before a write would
// refuse its text, and a refused write names the box its message is about.
TEST_F(HlnPageTest, MarksWhileTypingAgreeWithTheWriteCheck) {
    makePage();
    for (const auto& f : kHlnTrackingFields) {
        for (const char* value :
             {"0", "63", "64", "143", "144", "226", "227", "255", "256", "x", "-1"}) {
            validTracking();
            set(f.control, value);
            ui_.clear();
            int failed = 0;
            const bool refused = !ValidateHlnTracking(ui_, page_->controls(), "", &failed);
            EXPECT_EQ(page_->fieldProblem(f.control, value).has_value(), refused)
                << f.control << "=" << value;
            EXPECT_EQ(failed, refused ? f.control : 0) << f.control << "=" << value;
        }
    }
    EXPECT_EQ(page_->fieldProblem(kSquelchMid, "143"), "Out of range. Allowed: 144 to 226");
    EXPECT_EQ(page_->fieldProblem(kTaDataModLow, "6 4"), "Not a whole number. Allowed: 0 to 63");
    EXPECT_EQ(page_->fieldProblem(kSquelchLow, ""), std::nullopt);
    EXPECT_EQ(page_->fieldProblem(kFeatures, "zz"), std::nullopt);

    validTracking();
    set(kLowPowerMid, "256");
    set(kLowPowerLow, "300");
    EXPECT_FALSE(page_->WriteTrackingToDisk());
    EXPECT_EQ(ui_.messages().back(), "Valid range for low power setting is 0-255.");
    EXPECT_EQ(page_->takeFailedField(), kLowPowerMid);
}

TEST_F(HlnPageTest, FeatureChecks) {
    const std::pair<const char*, Messages> cases[] = {
        {"01FF09FFFFFFFFFFFFFFFFFFFFFF", {}},
        {"01FF2EFFFF", {"Feature data invalid"}},
        {"01FF2DFFFF", {}},
        {"01FF0", {"Feature data must be entered in two digit bytes."}},
        {"01FF", {"Feature data must contain at least five bytes."}},
        {"01ff09FFFF",
         {"Invalid character - only Hex characters allowed.",
          "Invalid character in feature data."}},
    };
    for (const auto& [text, messages] : cases) {
        ui_.clear();
        EXPECT_EQ(ValidateHlnFeatures(ui_, text), messages.empty()) << text;
        EXPECT_EQ(ui_.messages(), messages) << text;
    }
}

// Reading back what was written (count N, N + 5 bytes) is the end-to-end run's.
TEST_F(HlnPageTest, FeatureWritesTakeBlanksAndRefuseMoreThan50Bytes) {
    page({});
    choose('U');
    set(kFeatures, "01 02 03 AA BB CC DD EE");  // blanks separate the bytes
    ASSERT_TRUE(page_->WriteFeaturesToRadio());
    EXPECT_EQ(text(kFeatures), "010203AABBCCDDEE");
    EXPECT_EQ(model().memory()[0x343], 0xAA);  // base 0x200 + feature offset 0x140

    ui_.clear();
    choose('U');
    std::string tooLong = "01FF09";
    tooLong.append(100, 'A');
    set(kFeatures, tooLong);
    EXPECT_FALSE(page_->WriteFeaturesToRadio());
    EXPECT_EQ(ui_.messages(), Messages{"Feature data must not contain more than 50 bytes."});
}

TEST_F(HlnPageTest, Tk2SaveInFileOrderAsksBeforeOverwriting) {
    makePage();
    validTracking();
    set(kDataModHigh, "10");
    ui_.files.push_back(path("out.tk2"));
    ASSERT_TRUE(page_->WriteTrackingToDisk());
    const std::string saved = readAll(path("out.tk2"));
    EXPECT_EQ(saved.size(), 54u);
    EXPECT_EQ(saved.substr(0, 4), "0A14");  // Data Mod High, then High Power High
    EXPECT_EQ(ui_.fileChoices().back().filter, "Tracking Data|*.tk2|All Files|*.*||");
    EXPECT_TRUE(ui_.fileChoices().back().overwritePrompt);
}

TEST_F(HlnPageTest, FeaFilesKeepAtMost51Characters) {
    makePage();
    std::ofstream(path("long.fea"), std::ios::binary) << std::string(60, 'A');
    std::filesystem::permissions(path("long.fea"), std::filesystem::perms::owner_read);
    ui_.files.push_back(path("long.fea"));
    ASSERT_TRUE(page_->ReadFeaturesFromDisk());
    EXPECT_EQ(text(kFeatures), std::string(51, 'A'));
    EXPECT_EQ(decodeFea(std::string("01FF\0AB", 7)), "01FF");

    set(kFeatures, "01FF09FFFFFFFFFFFFFFFFFFFFFF");
    ui_.files.push_back(path("out.fea"));
    ASSERT_TRUE(page_->WriteFeaturesToDisk());
    EXPECT_EQ(readAll(path("out.fea")), "01FF09FFFFFFFFFFFFFFFFFFFFFF");

    ui_.files.push_back(path("missing/dir.fea"));
    EXPECT_FALSE(page_->WriteFeaturesToDisk());
    EXPECT_EQ(ui_.messages(), Messages{"Could not open file."});
}

TEST_F(HlnPageTest, TestModeThroughThePage) {
    page({});
    choose('U');
    ASSERT_TRUE(page_->SetTestMode(1));
    EXPECT_EQ(text(kModel), "ZKT");
    ASSERT_TRUE(page_->SetTestMode(0));
    EXPECT_EQ(ui_.messages(),
              (Messages{"ZKT", "12", "You have left the test mode for HLN radios"}));
    // The wait cursor covers the link operations, not the page's own messages.
    EXPECT_EQ(busyAt("ZKT"), 0);
    EXPECT_GT(busyAt("12"), 0);
    EXPECT_EQ(busyAt("You have left the test mode for HLN radios"), 0);
    ui_.clear();
    EXPECT_FALSE(page_->SetTestMode(0));
    EXPECT_EQ(ui_.messages(), (Messages{"Comm not open", "Error in leaving Test Mode"}));
}

TEST_F(HlnPageTest, ReportLines) {
    makePage();
    validTracking();
    set(kSerial, "00A1B2C3D4E5");
    set(kFeatures, "01 FF");
    set(kModel, "TRV");
    set(kDataModLow, "7");
    set(kTaHighPowerHigh, "NA");
    const auto lines = page_->ReportLines();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "SERIAL NUMBER:   00A1B2C3D4E5");
    EXPECT_EQ(lines[2], "FEATURE DATA:   01FF");
    EXPECT_EQ(lines[8], "                       LOW        MID       HIGH");
    EXPECT_EQ(lines[11], "        SQUELCH:       200        200        200");
    EXPECT_EQ(lines[16], "DATA MODULATION:         7         20         20");
    EXPECT_EQ(lines[21], "     HIGH POWER:        20         20          0");
}

// The window lays the page out from these tables: every box is a control of the page, shown
// once, and the two grids hold exactly the values the record carries.
TEST_F(HlnPageTest, WindowLayoutHoldsEveryTrackingValueOnce) {
    page({});
    std::multiset<int> shown;
    for (const auto& box : kHlnIdentityBoxes) shown.insert(box.id);
    std::set<int> grids;
    auto add = [&](const auto& rows) {
        for (const auto& row : rows)
            for (int id : row.boxes) {
                shown.insert(id);
                grids.insert(id);
            }
    };
    add(kHlnTrackingGrid);
    add(kHlnTalkAroundGrid);
    for (int id : shown) {
        EXPECT_TRUE(page_->controls().has(id)) << id;
        EXPECT_EQ(shown.count(id), 1u) << id;
    }
    std::set<int> record;
    for (const auto& f : kHlnTrackingFields) record.insert(f.control);
    EXPECT_EQ(grids, record);
}

}  // namespace
}  // namespace tw::hln
