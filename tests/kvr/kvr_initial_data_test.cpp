#include <gtest/gtest.h>

#include <numeric>

#include "families/kvr/band_split_file.h"
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

TEST_F(RadioTypeFlow, MissingFileStillOffersTheRadioType) {
    const auto seen = run({{}, "Cancel"});
    EXPECT_EQ(bench.ui.messages()[1], "Could not find bandsplit data file.");
    EXPECT_EQ(seen[6], "  (no band split)");
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
