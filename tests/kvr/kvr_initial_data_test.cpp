#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "families/kvr/band_split_file.h"
#include "families/kvr/band_split_sample.h"
#include "families/kvr/initial_data.h"
#include "families/kvr/kvr_maint.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "kvr/kvr_fixture.h"
#include "util/hex.h"

namespace tw::kvr {
namespace {

using test::KvrBench;

std::string blockText(const std::string& firstTwo) {
    std::string s = firstTwo;
    while (s.size() < 136) s += "00";
    return s;
}

TEST(KvrInitialData, TypeAndBandSplitFromTheFirstCharactersAndPairsStopAtANonDigit) {
    const struct {
        const char* firstTwo;
        int type, code;
        BandEdges edges;
    } cases[] = {{"75", 3, 5, {420e6, 440e6, 420e6, 440e6}},
                 {"1A", 1, 11, {806e6, 825e6, 851e6, 870e6}},
                 {"0F", 0, 15, {896e6, 902e6, 935e6, 941e6}},
                 {"0C", 0, 12, {136e6, 150.8e6, 136e6, 150.8e6}}};
    for (const auto& c : cases) {
        const InitialData d = decodeInitialData(blockText(c.firstTwo));
        EXPECT_EQ(d.radioType, c.type) << c.firstTwo;
        EXPECT_EQ(d.bandSplitCode, c.code) << c.firstTwo;
        EXPECT_EQ(d.edges, c.edges) << c.firstTwo;
    }
    // The radio's own code stays in the image, lower case included.
    const InitialData d = decodeInitialData(blockText("1a7xx7ff"));
    EXPECT_EQ(std::vector<int>(d.image.begin(), d.image.begin() + 4),
              (std::vector<int>{0x1A, 7, 0, 0xFF}));
}

TEST(KvrInitialData, ChecksumMakesTheBlockSumToZero) {
    std::array<std::uint8_t, 68> image{};
    for (int i = 1; i <= 18; ++i) image[i] = 0xFF;  // 0x11EE
    image[19] = 0x46;                               // 0x1234 in all
    EXPECT_EQ(encodeInitialData(image, 0, 0).substr(134), "CC");

    std::array<std::uint8_t, 68> hundred{};
    hundred[5] = 0x80;
    hundred[6] = 0x80;
    EXPECT_EQ(encodeInitialData(hundred, 0, 0).substr(134), "00");
    // Byte 0 is the chosen type and code, whatever the radio had.
    hundred[0] = 0x99;
    EXPECT_EQ(encodeInitialData(hundred, 2, 9).substr(0, 2), "29");
}

// A band-split file: 864 bytes of something else, then 16 records of 24 bytes.
std::string bandSplitFile(const std::vector<std::pair<int, BandEdges>>& present) {
    std::string f = std::string(864, '\x55') + std::string(432, '\0');
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<char>(v >> (8 * i));
    };
    for (const auto& [r, e] : present) {
        const std::size_t at = 864 + static_cast<std::size_t>(r) * 24;
        put(at, 1);
        int field = 2;
        for (double edge : {e.txLow, e.txHigh, e.rxLow, e.rxHigh})
            put(at + 4 * field++, static_cast<std::uint32_t>(edge));
    }
    return f;
}

TEST(KvrBandSplitFile, PathJoinsTheTranslatorsDirectory) {
    EXPECT_EQ(bandSplitFilePath(""), "rfdata.bin");
    EXPECT_EQ(bandSplitFilePath("/opt/tr"), "/opt/tr/rfdata.bin");
    EXPECT_EQ(bandSplitFilePath("/opt/tr/"), "/opt/tr/rfdata.bin");
    EXPECT_EQ(bandSplitFilePath("\\opt\\tr"), "/opt/tr/rfdata.bin");
}

TEST(KvrBandSplitFile, ShortFileOffersNothing) {
    test::TempDir dir;
    test::writeBytes(dir.file("rfdata.bin"), std::string(864 + 300, '\1'));
    std::vector<BandSplitRecord> records;
    EXPECT_EQ(loadBandSplitRecords(dir.file("rfdata.bin"), records), BandSplitLoad::TooShort);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(loadBandSplitRecords(dir.file("none.bin"), records), BandSplitLoad::NotFound);
}

// The simulated bench's band-split file: the layout of a real one, a record at each record
// number that stands for a code, with that code's edges.
TEST(KvrBandSplitSample, EveryCodedRecordIsPresentWithItsCodesEdges) {
    const std::vector<std::uint8_t> file = sampleBandSplitFile();
    ASSERT_EQ(file.size(), 864u + 432u);
    EXPECT_EQ(std::count(file.begin(), file.begin() + 864, 0), 864);
    // Record 9 (code 7, 450 to 470 MHz) as the bytes lie: flag 1, an unused zero word, then
    // 450000000 = 0x1AD27480 and 470000000 = 0x1C03A180, little-endian.
    const std::vector<std::uint8_t> record9(file.begin() + 864 + 9 * 24,
                                            file.begin() + 864 + 10 * 24);
    EXPECT_EQ(hexEncode(record9.data(), record9.size()),
              "01000000000000008074D21A80A1031C8074D21A80A1031C");

    std::vector<BandSplitRecord> records;
    ASSERT_EQ(bandSplitRecordsOfFile(file, records), BandSplitLoad::Ok);
    ASSERT_EQ(records.size(), 16u);
    std::vector<std::string> offered;
    for (const auto& r : records) {
        const auto code = bandSplitCodeOfRecord(r.number);
        EXPECT_EQ(r.present, code.has_value()) << r.number;
        if (!code) continue;
        EXPECT_EQ(r.edges, edgesOfBandSplit(*code)) << r.number;
        offered.push_back(bandSplitLine(r.edges));
    }
    EXPECT_EQ(
        offered,
        (std::vector<std::string>{
            "136.0000-150.8000    136.0000-150.8000", "146.0000-162.0000    146.0000-162.0000",
            "157.0000-174.0000    157.0000-174.0000", "403.0000-423.0000    403.0000-423.0000",
            "410.0000-430.0000    410.0000-430.0000", "420.0000-440.0000    420.0000-440.0000",
            "440.0000-460.0000    440.0000-460.0000", "450.0000-470.0000    450.0000-470.0000",
            "470.0000-492.0000    470.0000-492.0000", "492.0000-512.0000    492.0000-512.0000",
            "806.0000-825.0000    851.0000-870.0000"}));

    // A file in memory cut short is refused as one on disk is.
    EXPECT_EQ(bandSplitRecordsOfFile({file.begin(), file.begin() + 864 + 300}, records),
              BandSplitLoad::TooShort);
    EXPECT_TRUE(records.empty());
}

// The Radio Type button against a simulated radio of type 1, band split 7 (450-470 MHz).
struct RadioTypeFlow : ::testing::Test {
    KvrBench bench{sim::ModelOptions{{"type", "1"}, {"band", "7"}}};
    CKvrMaint page{bench.env};
    const BandEdges k450{450e6, 470e6, 450e6, 470e6};
    const BandEdges k136{136e6, 150.8e6, 136e6, 150.8e6};

    void SetUp() override {
        // Windows-style separators in the profile still find the file.
        std::string dir = bench.dir.path.string();
        for (char& c : dir)
            if (c == '/') c = '\\';
        bench.profile.writeString("Directory Settings", "Translators", dir);
    }
    void useFile(const std::vector<std::pair<int, BandEdges>>& records) {
        test::writeBytes(bench.dir.file("rfdata.bin"), bandSplitFile(records));
    }
    // Runs the button with a script; returns the dialog as it was when the script began.
    std::vector<std::string> run(DialogScript script, bool* written = nullptr) {
        std::vector<std::string> seen;
        bench.ui.onDialog = [&](Dialog& d) {
            seen = d.describe();
            std::string error;
            return applyDialogScript(d, script, &error);
        };
        page.RadioType(written);
        return seen;
    }
};

TEST_F(RadioTypeFlow, ImplausibleRecordsAreLeftOutAndCounted) {
    useFile({{1, k136},
             {2, {470e6, 450e6, 450e6, 470e6}},   // transmit range runs downwards
             {3, {450e6, 470e6, 0.5e6, 470e6}},   // receive low edge below 1 MHz
             {5, {450e6, 1200e6, 450e6, 470e6}},  // above 1000 MHz
             {9, k450}});
    const auto seen = run({{}, "Cancel"});
    ASSERT_GE(seen.size(), 9u);
    EXPECT_EQ(seen[6], "  0  136.0000-150.8000    136.0000-150.8000");
    EXPECT_EQ(seen[7], "* 1  450.0000-470.0000    450.0000-470.0000");
    std::vector<std::string> details;
    for (const auto& e : bench.ui.events())
        if (e.kind == "detail") details.push_back(e.text);
    ASSERT_EQ(details.size(), 1u);
    EXPECT_EQ(details[0].substr(0, 21), "3 band-split record(s");
}

TEST_F(RadioTypeFlow, WritesTheChosenTypeAndCodeWithANewChecksum) {
    useFile({{1, k136}, {9, k450}});
    const std::vector<std::uint8_t> held(bench.radio().memory().begin(),
                                         bench.radio().memory().begin() + 68);
    bool written = false;
    run({{{"1513", "3"}, {"1515", "0"}}, "Write To Radio"}, &written);
    EXPECT_TRUE(written);
    // The initial data as the radio held it, kept before the write, as the hex it sent.
    EXPECT_EQ(test::readBytes(test::lastBeforeWrite(bench.app, "kvr")),
              hexEncode(held.data(), held.size()));
    const auto& mem = bench.radio().memory();
    EXPECT_EQ(mem[0], 0x30);  // K-VR System, record 1 = code 0
    EXPECT_EQ(std::accumulate(mem.begin(), mem.begin() + 68, 0u) & 0xFF, 0u);
    const std::string wire = bench.fromPc();
    EXPECT_EQ(wire.substr(0, 9) + wire.substr(9, 8) + wire.substr(81, 8) + wire.substr(153, 8),
              "UG4440000G1200000G1200020G1040040");
    EXPECT_EQ(wire.size(), 169u);
    EXPECT_EQ(bench.ui.messages().back(),
              "Initial data written.\nTurn off radio and disconnect from cable.");
}

TEST_F(RadioTypeFlow, RecordWithoutCodeIsWrittenOnlyWhenItIsTheRadiosOwn) {
    useFile({{4, {1e6, 2e6, 1e6, 2e6}}, {14, k450}});
    run({{{"1515", "0"}}, "Write To Radio"});
    EXPECT_EQ(bench.ui.messages()[1],
              "The selected band split cannot be written to this radio.\nSelect another band "
              "split.");
    EXPECT_EQ(bench.fromPc(), "UG4440000");

    bench.radio().clearTraffic();
    run({{{"1515", "1"}}, "Write To Radio"});
    EXPECT_EQ(bench.radio().memory()[0], 0x17);  // the radio keeps its code 7
}

TEST_F(RadioTypeFlow, MissingFileStillOffersTheRadioTypeButNothingToWrite) {
    const auto seen = run({{}, "Cancel"});
    EXPECT_EQ(bench.ui.messages()[1], "Could not find bandsplit data file.");
    EXPECT_EQ(seen[6], "  (no band split)");
    EXPECT_EQ(seen[7], "Buttons: Write To Radio (greyed), Cancel");

    // Write To Radio cannot be pressed: no question, nothing sent, the dialog is cancelled.
    bench.radio().clearTraffic();
    run({{{"1513", "2"}}, "Write To Radio"});
    EXPECT_EQ(bench.ui.messages().back(),
              "Action cancelled.\nTurn off radio and disconnect from cable.");
    EXPECT_EQ(bench.ui.messages().size(), 6u);
    EXPECT_EQ(bench.fromPc(), "UG4440000");
}

TEST_F(RadioTypeFlow, SimulatedRadioOffersTheSampleWhateverTheProfileNames) {
    useFile({{1, k136}});  // a real bench's file, which a simulated session leaves alone
    bench.app.simulated = true;
    const auto seen = run({{}, "Cancel"});
    EXPECT_EQ(bench.ui.messages(),
              (std::vector<std::string>{"Power ON KVR Radio",
                                        "Action cancelled.\nTurn off radio and disconnect from "
                                        "cable."}));
    ASSERT_EQ(seen.size(), 6u + 11u + 1u);
    EXPECT_EQ(seen[13], "* 7  450.0000-470.0000    450.0000-470.0000");
    EXPECT_EQ(seen[16], "  10  806.0000-825.0000    851.0000-870.0000");
    EXPECT_EQ(seen[17], "Buttons: Write To Radio, Cancel");

    // The last line is record 13, written as code 11.
    run({{{"1513", "0"}, {"1515", "10"}}, "Write To Radio"});
    EXPECT_EQ(bench.radio().memory()[0], 0x0B);
}

TEST_F(RadioTypeFlow, ShortInitialDataRead) {
    bench.devices.faults().hangupAfter = 1 + 100;  // ">" and 100 of 136 characters
    run({{}, "Cancel"});
    EXPECT_EQ(bench.ui.messages().back(),
              "Error reading Initial Data.\nTurn off radio, check programming cable connection "
              "and retry.");
}

}  // namespace
}  // namespace tw::kvr
