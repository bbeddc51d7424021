// Tracking files, Defaults and report lines of the WLB and MARTEN 60P pages.
#include <gtest/gtest.h>

#include "compact/wlb_fixture.h"
#include "families/compact/frequency_range_dlg.h"
#include "families/compact/hex_link.h"

namespace tw::compact {
namespace {

using test::Marten60PBench;
using test::WlbBench;

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

TEST(CompactFiles, Tk5KeepsOpeningBeforeClosingAndTheBand) {
    WlbBench b;
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());  // 440-470 MHz values
    // The radio's three deviations are alike; distinct ones show each in its own byte.
    b.page.controls().setText(2053, "146");
    b.page.controls().setText(2055, "151");
    const std::string path = b.dir.file("radio.tk5");
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.WriteTrackingToDisk());
    EXPECT_EQ(test::readBytes(path), bytes({131, 34,  38,  33,  37,  54,  56,  56, 99, 102, 108,
                                            115, 146, 149, 151, 255, 252, 252, 4,  5,  3}));
    const auto& choice = b.ui.fileChoices().at(0);
    EXPECT_EQ(choice.filter, "Tracking Data|*.tk5|All Files|*.*||");
    EXPECT_EQ(choice.defaultExtension, "tk5");
    EXPECT_TRUE(choice.overwritePrompt);

    WlbBench other;
    other.ui.files.push_back(path);
    ASSERT_TRUE(other.page.ReadTrackingFromDisk());
    EXPECT_EQ(other.page.record(), b.page.record());
    EXPECT_EQ(other.text(2040), "34");
    EXPECT_EQ(other.text(kBandSplitText), "440-470MHz");
}

TEST(CompactFiles, Tk6BandNameComesFromTheFileTable) {
    Marten60PBench b;
    const std::string path = b.dir.file("m.tk6");
    test::writeBytes(path, bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1}));
    b.ui.files.push_back(path);
    ASSERT_TRUE(b.page.ReadTrackingFromDisk());
    EXPECT_EQ(b.text(kBandSplitText), "150.775-174MHz");
    EXPECT_EQ(b.text(2040), "2");  // file byte 1: opening, wide band
    EXPECT_EQ(b.text(2042), "3");
    EXPECT_EQ(b.text(2063), "16");
    EXPECT_EQ(b.page.record()[1], 3);  // record byte 1: closing, wide band
    EXPECT_EQ(b.ui.fileChoices().at(0).filter, "Tracking Data|*.tk6|All Files|*.*||");
}

TEST(CompactFiles, WrongSizesAndMissingFilesChangeNothing) {
    WlbBench b;
    b.setAll("9");
    const std::pair<std::string, int> cases[] = {{"", 0}, {"20", 20}, {"22", 22}, {"1", 1}};
    for (const auto& [name, size] : cases) {
        const std::string path = b.dir.file("f" + name + ".tk5");
        test::writeBytes(path, std::string(static_cast<std::size_t>(size), '\x05'));
        b.ui.clear();
        b.ui.files.push_back(path);
        EXPECT_FALSE(b.page.ReadTrackingFromDisk());
        EXPECT_EQ(b.ui.messages(), std::vector<std::string>{messages::kWrongFileSize}) << size;
    }
    b.ui.clear();
    b.ui.files.push_back(b.dir.file("none.tk5"));
    EXPECT_FALSE(b.page.ReadTrackingFromDisk());
    EXPECT_EQ(b.ui.messages(), std::vector<std::string>{messages::kCouldNotOpenFile});
    b.ui.clear();
    b.ui.files.push_back(b.dir.file("no/such/dir/x.tk5"));
    EXPECT_FALSE(b.page.WriteTrackingToDisk());
    EXPECT_EQ(b.ui.messages(), std::vector<std::string>{messages::kCouldNotOpenFile});
    for (const auto& f : b.page.model().fields) EXPECT_EQ(b.text(f.control), "9");
    std::vector<std::uint8_t> taken(21, 9);  // the values were taken before the save failed
    taken[20] = 0;
    EXPECT_EQ(b.page.record(), taken);
}

// The factory values themselves are data (the end-to-end runs check a band of each family);
// here each band's choice fills every value field, names the band and clears the version.
template <typename Bench>
void checkEveryBand(const std::vector<std::string>& bandTexts) {
    for (int band = 0; band < 5; ++band) {
        Bench b;
        b.page.controls().setText(kVersionText, "5.9C");
        b.ui.dialogScripts.push_back({{{"range", std::to_string(band)}}, "OK"});
        ASSERT_TRUE(b.page.Defaults());
        for (const auto& f : b.page.model().fields)
            EXPECT_NE(b.text(f.control), "") << "control " << f.control << " band " << band;
        EXPECT_EQ(b.text(kBandSplitText), bandTexts[static_cast<std::size_t>(band)]);
        EXPECT_EQ(b.text(kVersionText), "");
        EXPECT_EQ(b.page.bandIndex(), band);
    }
}

TEST(CompactDefaults, EveryBandOfBothFamilies) {
    checkEveryBand<WlbBench>(
        {"136-155MHz", "150.8-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"});
    checkEveryBand<Marten60PBench>(
        {"136-155MHz", "150.775-174MHz", "403-440MHz", "440-470MHz", "470-512MHz"});
}

TEST(CompactDefaults, DialogListsAndPreselection) {
    WlbBench b({{"band", "4"}});
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    int seen = -2;
    int templateId = 0;
    std::vector<std::string> lines;
    b.ui.onDialog = [&](Dialog& d) {
        auto& range = dynamic_cast<CChooseFrequencyRangeDlg&>(d);
        seen = range.selection();
        templateId = range.templateId();
        lines = range.lines();
        return false;
    };
    const std::string before = b.text(2050);
    EXPECT_FALSE(b.page.Defaults());
    EXPECT_EQ(seen, 4);
    EXPECT_EQ(templateId, 153);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "VHF -   136.0000 - 155.0000", "VHF -   150.8000 - 174.0000",
                         "UHF -   403.0000 - 440.0000", "UHF -   440.0000 - 470.0000",
                         "UHF -   470.0000 - 512.0000"}));
    EXPECT_EQ(b.text(2050), before) << "Cancel changes nothing";
    EXPECT_EQ(b.text(kVersionText), "5.9C");

    CChooseFrequencyRangeDlg m60(marten60pModel(), 7);
    EXPECT_EQ(m60.selection(), -1);
    EXPECT_EQ(m60.templateId(), 155);
    for (const char* refused : {"5", "-1", "x", "01", ""}) EXPECT_FALSE(m60.set("range", refused));
    EXPECT_FALSE(m60.set("list", "1"));
}

TEST(CompactDefaults, NoBandChosenChangesOnlyTheEveryBandFieldAndVersion) {
    Marten60PBench b({{"band", "9"}});
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    EXPECT_EQ(b.text(kBandSplitText), "invalid");  // a band index beyond the radio's table
    b.page.controls().setText(2063, "1");
    b.ui.dialogScripts.push_back({{}, "OK"});  // nothing preselected, nothing chosen
    ASSERT_TRUE(b.page.Defaults());
    EXPECT_EQ(b.text(2063), "249");
    EXPECT_EQ(b.text(kVersionText), "");
    EXPECT_EQ(b.text(2050), "132");
    EXPECT_EQ(b.text(kBandSplitText), "invalid");
}

TEST(CompactReport, WlbLines) {
    WlbBench b;
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    b.page.controls().setText(2057, "7");
    b.page.controls().setText(2053, "146");
    b.page.controls().setText(2055, "151");
    const std::vector<std::string> expected = {
        "Radio Type = WLB",
        "Band Split    440-470MHz      Version     5.9C",
        "",
        "  Squelch:",
        "              Wide Band  Narrow Band",
        "Opening         34            33",
        "Closing         38            37",
        "Offset Low     252           252",
        "Offset High      4             5",
        "",
        "",
        " Talk Around:",
        "               Low     Mid     High",
        "RF Low Power    54      56      56",
        "RF High Power   99     102     108",
        "Tx Deviation   146     149     151",
        "",
        "",
        "Ref Oscillator Frequency Adjust     7",
        "",
        "Low Voltage Cutoff                131",
        "",
        "Adjustable Squelch Offset         255",
    };
    EXPECT_EQ(b.page.ReportLines(), expected);
}

TEST(CompactReport, Marten60PLinesOfAnAllZeroPage) {
    Marten60PBench b;
    b.setAll("0");
    std::vector<std::string> lines{"left over"};
    b.page.MartenReportLines(lines);
    const std::vector<std::string> expected = {
        "Radio Type = MARTEN 60P",
        "Band Split          Version     ",
        "  Squelch:",
        "              Wide Band  Narrow Band",
        "Opening          0             0",
        "Closing          0             0",
        "",
        "",
        " Talk Around:",
        "               Low     Mid     High",
        "RF Low Power     0       0       0",
        "RF High Power    0       0       0",
        "Tx Deviation     0       0       0",
        "",
        "",
        "Ref Oscillator Frequency Adjust     0",
        "Low Voltage Cutoff                  0",
        "Tx Deviation Offset           0",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(b.ui.messages().empty());

    // A field out of range is named; the report keeps the values taken before.
    b.page.controls().setText(2040, "300");
    b.page.MartenReportLines(lines);
    EXPECT_EQ(b.ui.messages(),
              std::vector<std::string>{"Valid range for Squelch Opening, Wide Band is 0-255."});
    EXPECT_EQ(lines.at(4), "Opening          0             0");
}

}  // namespace
}  // namespace tw::compact
