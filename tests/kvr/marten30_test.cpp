#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <tuple>

#include "families/kvr/marten30_dialogs.h"
#include "families/kvr/marten30_page.h"
#include "families/kvr/marten30_report.h"
#include "history/read_history.h"
#include "kvr/kvr_fixture.h"
#include "support/progress_check.h"

namespace tw::kvr {
namespace {

using test::Marten30Bench;

TEST(Marten30Image, SerialNumberSkipsTheFillNibble) {
    Marten30Image im{};
    im[103] = 0xF1;
    im[104] = 0xAB;
    im[105] = 0x0C;
    im[106] = 0xD9;
    EXPECT_EQ(serialNumberText(im), "1AB0CD9");
}

TEST(Marten30Report, LinesOfAMobileUsaRadioAndOfAEuropeanOne) {
    Marten30Image im{};
    im[0] = 0x20 | 0x01;  // mobile, USA, 150.76
    im[1] = 0x02;
    im[16] = 5;
    im[21] = 255;
    im[72] = 7;
    im[71] = 9;
    im[169] = 40;
    im[175] = 46;
    auto lines = marten30ReportLines(im);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[1], "Band Split    150.76 - 174.0");
    EXPECT_EQ(lines[9], "          Wide Band          5        0             0      255");
    EXPECT_EQ(lines[14], "\t\t      Tone TG                  7     Digital TG           0");
    EXPECT_EQ(lines[15], "        Peak Voice Deviation     0     Reference Osc        9");
    EXPECT_EQ(lines[22], "\t\t       40     40      0      0      0      0      0     46");
    EXPECT_EQ(lines[24].substr(0, 11), "\t\t       20");

    im[0] = 0xE3;
    lines = marten30ReportLines(im);
    ASSERT_EQ(lines.size(), 27u);
    EXPECT_EQ(lines[23].substr(0, 11), "\t\t       17");
    EXPECT_EQ(lines[25].substr(0, 11), "\t\t        9");
    EXPECT_EQ(lines[26].substr(0, 11), "\t\t        6");
}

struct Marten30Flow : ::testing::Test {
    Marten30Bench bench;
    CMarten30Page page{bench.env};
};

TEST_F(Marten30Flow, ReadFillsTheImageAndTheFields) {
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    EXPECT_EQ(page.image()[0], 0xA3);
    EXPECT_EQ(bench.radio().blockReads(), 64);
    const std::string wire = bench.fromPc();
    EXPECT_EQ(wire.substr(0, 20), "G0G2G4100200G4100200");
    EXPECT_EQ(wire.substr(wire.size() - 16), "G41003F0G41003F0");
    const auto status = bench.ui.statusTexts();
    EXPECT_EQ(
        (std::vector<std::string>{status[0], status[2], status.back()}),
        (std::vector<std::string>{"Handshaking", "Percent Complete = 0", "Percent Complete = 96"}));
    EXPECT_TRUE(bench.ui.messages().empty());
}

TEST_F(Marten30Flow, ReadLeavesACopyThatLoadsBackThroughReadFromDisk) {
    bench.app.simulated = true;  // a simulated radio's copies file apart
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    const auto kept = keptRadioReads(bench.app, "marten30");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.back().radio, "1234567");
    EXPECT_NE(kept.back().path.find("/history/simulated/marten30/1234567/"), std::string::npos);
    CMarten30Page other(bench.env);
    bench.ui.files = {kept.back().path};
    ASSERT_TRUE(other.ReadTrackingFromDisk());
    EXPECT_EQ(other.image(), page.image());
}

TEST_F(Marten30Flow, UnknownCountryIsSaidAndTheReadGoesOn) {
    Marten30Bench mobile(sim::ModelOptions{{"kind", "mobile"}, {"country", "0"}});
    ASSERT_TRUE(CMarten30Page(mobile.env).ReadTrackingFromRadio());
    EXPECT_EQ(mobile.ui.messages(), std::vector<std::string>{"Invalid Country Information"});
    // Bits 5 and 6 of the identity byte carry the country: each of the others is known.
    for (const char* country : {"1", "2", "3"}) {
        Marten30Bench known(sim::ModelOptions{{"kind", "mobile"}, {"country", country}});
        ASSERT_TRUE(CMarten30Page(known.env).ReadTrackingFromRadio()) << country;
        EXPECT_TRUE(known.ui.messages().empty()) << country;
    }
}

TEST_F(Marten30Flow, BlocksThatReadDifferentlyAbortAndKeepTheImage) {
    Marten30Bench flaky(sim::ModelOptions{{"flaky", "5"}});
    CMarten30Page p(flaky.env);
    Marten30Image old{};
    old[0] = 0x42;
    p.setImage(old);
    EXPECT_FALSE(p.ReadTrackingFromRadio());
    EXPECT_EQ(flaky.ui.messages(),
              std::vector<std::string>{"Invalid Read--Read Aborted. \nTurn off radio."});
    EXPECT_EQ(p.image(), old);
    // The identity is still shown.
    EXPECT_EQ(p.controls().text(CMarten30Page::kRadioCode), "41");
}

TEST_F(Marten30Flow, RadioSilentFromTheFirstBlockEndsTheReadThere) {
    Marten30Image old{};
    old[0] = 0x42;
    page.setImage(old);
    bench.devices.faults().hangupAfter = 10;  // ">", the identity and its prompt, then nothing
    EXPECT_FALSE(page.ReadTrackingFromRadio());
    EXPECT_EQ(bench.ui.messages(),
              std::vector<std::string>{"Invalid Read--Read Aborted. \nTurn off radio."});
    EXPECT_EQ(bench.fromPc(), "G0G2G4100200");
    EXPECT_EQ(page.image(), old);
    EXPECT_FALSE(bench.ui.statusOpen());
    // One block's bound after the identity, not one per remaining block.
    EXPECT_LT(bench.clock.now(), 1000 + 200);
}

// A silent radio's message is the fault matrix's silent row.
TEST_F(Marten30Flow, IdentifyFailures) {
    const std::string init =
        "Could not initialize radio. Check connection and confirm no other application is "
        "using comm port. ";
    const struct {
        sim::ModelOptions options;
        const char* openFailure;
        std::vector<std::string> messages;
    } cases[] = {
        {{{"mode", "normal"}}, "", {"Error: Radio not in Programming Mode", init}},
        {{{"code", "FF"}}, "", {"Radio Flash Code not present", init}},
        {{{"band", "2"}}, "", {"Invalid band split data", init}},
        // All three low bits count: 5 is no 1, 7 no 3.
        {{{"band", "5"}}, "", {"Invalid band split data", init}},
        {{{"band", "7"}}, "", {"Invalid band split data", init}},
        {{}, "busy", {"Comm Port not opened.", init}},
    };
    for (const auto& c : cases) {
        Marten30Bench b(c.options);
        b.devices.failOpens(c.openFailure);
        EXPECT_FALSE(CMarten30Page(b.env).ReadTrackingFromRadio());
        EXPECT_EQ(b.ui.messages(), c.messages) << c.messages.front();
        EXPECT_EQ(b.radio().blockReads(), 0);
        EXPECT_FALSE(b.ui.statusOpen());
    }
}

TEST_F(Marten30Flow, OpensTheSavedPortNotTheChosenOne) {
    bench.profile.writeString("Comm Settings", "Port Number", "2");
    bench.app.currentPort = 4;
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    EXPECT_EQ(bench.devices.lastPath(), PortMap::defaultDevicePath(2));
    EXPECT_EQ(bench.devices.lastBaud(), 9600);
}

// The end-to-end run changes bytes of the first blocks only: here every block is written.
TEST_F(Marten30Flow, WriteStoresEveryBlockWithFreshChecksums) {
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    const Marten30Image held = page.image();
    Marten30Image im = held;
    im[16] = 99;
    im[170] = 7;
    page.setImage(im);
    bench.radio().clearTraffic();
    ASSERT_TRUE(page.WriteTrackingToRadio());
    const auto& mem = bench.radio().memory();
    EXPECT_EQ(mem[0x200 + 16], 99);
    EXPECT_EQ(mem[0x200 + 170], 7);
    EXPECT_EQ(std::accumulate(mem.begin() + 0x200, mem.begin() + 0x280, 0u) & 0xFF, 0u);
    EXPECT_EQ(std::accumulate(mem.begin() + 0x280, mem.begin() + 0x2C0, 0u) & 0xFF, 0u);
    EXPECT_EQ(bench.radio().blockWrites(), 32);
    // The image as the radio held it is read and kept before the first block is written.
    const std::string sent = bench.fromPc();
    EXPECT_EQ(sent.substr(4, 8), "G4100200");
    EXPECT_GT(sent.find("G1100200"), sent.find("G41003F0"));
    EXPECT_EQ(test::readBytes(test::lastBeforeWrite(bench.app, "marten30")),
              std::string(held.begin(), held.end()));
    EXPECT_TRUE(bench.ui.messages().empty());
}

TEST_F(Marten30Flow, FailedVerifyStopsAtThatBlockAndLetsGo) {
    Marten30Bench stuck(sim::ModelOptions{{"stuck", "3"}});
    CMarten30Page p(stuck.env);
    Marten30Image im{};
    im[3 * 16] = 0x77;  // differs from what block 3 holds
    p.setImage(im);
    EXPECT_FALSE(p.WriteTrackingToRadio());
    EXPECT_EQ(stuck.ui.messages(), std::vector<std::string>{"Write not Verified."});
    EXPECT_EQ(stuck.radio().blockWrites(), 4);
    EXPECT_FALSE(stuck.ui.statusOpen());
    EXPECT_FALSE(stuck.link.isOpen(1));
}

// Blocks done at the start of each block; all 32 only once the image is read and checked or
// written and verified.
TEST(Marten30Progress, BlocksMarkedUntilTheImageIsGood) {
    const struct {
        const char* name;
        bool write;
        sim::ModelOptions options;
        long hangupAfter;  // radio bytes before the line goes dead (-1: never)
        bool ok;
        long reached;  // the last mark
    } cases[] = {
        {"read", false, {}, -1, true, 32},
        // ">", the identity and its prompt, then five blocks read twice.
        {"read, line dead in block 5", false, {}, 10 + 5 * 2 * 33, false, 5},
        {"read, two reads differ", false, {{"flaky", "5"}}, -1, false, 31},
        {"write", true, {}, -1, true, 32},
        {"write, block 3 not stored", true, {{"stuck", "3"}}, -1, false, 3},
    };
    for (const auto& c : cases) {
        Marten30Bench b(c.options);
        CMarten30Page page(b.env);
        Marten30Image im{};
        im[3 * 16] = 0x77;  // differs from what a stuck block 3 holds
        page.setImage(im);
        b.devices.faults().hangupAfter = c.hangupAfter;
        EXPECT_EQ(c.write ? page.WriteTrackingToRadio() : page.ReadTrackingFromRadio(), c.ok)
            << c.name;
        const auto& marks = b.ui.progressMarks();
        // A write reads the image it replaces first: a stage of its own.
        const std::vector<long> stages =
            c.write ? std::vector<long>{32, 32} : std::vector<long>{32};
        EXPECT_TRUE(::tw::test::progressStages(marks, stages, c.ok)) << c.name;
        ASSERT_FALSE(marks.empty()) << c.name;
        EXPECT_EQ(marks.back().first, c.reached) << c.name;
    }
}

TEST_F(Marten30Flow, Tk7RoundTripAndWrongSize) {
    Marten30Image im{};
    for (std::size_t i = 0; i < im.size(); ++i) im[i] = static_cast<std::uint8_t>(i * 3);
    im[0] = 0xE3;
    page.setImage(im);
    const std::string path = bench.dir.file("r.tk7");
    bench.ui.files = {path};
    ASSERT_TRUE(page.WriteTrackingToDisk());
    EXPECT_EQ(test::readBytes(path), std::string(im.begin(), im.end()));

    CMarten30Page other(bench.env);
    bench.ui.files = {path};
    ASSERT_TRUE(other.ReadTrackingFromDisk());
    EXPECT_EQ(other.image(), im);
    EXPECT_EQ(other.controls().text(CMarten30Page::kCountry), "Europe");
    EXPECT_EQ(other.controls().text(CMarten30Page::kRadioType), "Marten 30 Portable");

    test::writeBytes(path, std::string(511, '\1'));
    bench.ui.files = {path};
    EXPECT_FALSE(other.ReadTrackingFromDisk());
    EXPECT_EQ(bench.ui.messages().back(), "Wrong size of the file.");
    EXPECT_EQ(other.image(), im);
}

// What the boxes' windows show and which bytes they change is checked with the widgets; here
// the texts a script may type.
TEST(Marten30Dialogs, BoxesRefuseWhatTheirFieldCannotHold) {
    Marten30Image im{};
    im[47] = 0x12;
    auto dev = makeDeviationDialog(im);
    EXPECT_EQ(dev->value(1013), 1);
    EXPECT_EQ(dev->value(1015), 2);
    const std::tuple<const char*, const char*, bool> sets[] = {{"1013", "16", false},
                                                               {"1013", "15", true},
                                                               {"1005", "256", false},
                                                               {"1005", "255", true},
                                                               {"1014", "1", false}};
    for (const auto& [id, text, taken] : sets) EXPECT_EQ(dev->set(id, text), taken) << id << text;
    dev->apply(im);
    EXPECT_EQ(im[47], 0xF2);
    EXPECT_EQ(im[53], 255);
    im[0] = 0x60;
    EXPECT_EQ(makePowerDialog(im)->rowCaptions()[4], " 9");

    EXPECT_FALSE(makeCloningDialog(im)->set("2076", "yes"));
    im[0] = 0xFF;
    auto country = makeCountryDialog(im);
    EXPECT_FALSE(country->set("country", "4"));
    EXPECT_TRUE(country->set("country", "1"));
    country->apply(im);
    EXPECT_EQ(im[0], 0xBF);
}

// Power rows are captioned by their level in watts; the unit stands beside the caption and
// never joins it.
// Box ids come from hand-written tables; a repeated one would leave a box out of reach.
TEST(Marten30Dialogs, EachBoxOfADialogHasItsOwnId) {
    const Marten30Image image{};
    for (const auto& dlg :
         {makeSquelchDialog(image), makeDeviationDialog(image), makePowerDialog(image)}) {
        std::set<int> ids;
        for (const auto& box : dlg->boxes()) EXPECT_TRUE(ids.insert(box.id).second) << box.id;
    }
}

TEST(Marten30Dialogs, PowerLevelsCarryTheirUnitBesideTheCaption) {
    Marten30Image im{};
    im[0] = 0x20;  // USA: three levels, two blank rows
    auto power = makePowerDialog(im);
    std::vector<std::string> units;
    for (std::size_t r = 0; r < power->rowCaptions().size(); ++r)
        units.push_back(power->rowUnit(r));
    EXPECT_EQ(units, (std::vector<std::string>{"", "W", "", "W", "", "W"}));
    EXPECT_EQ(power->rowCaptions()[1], "40");
    EXPECT_EQ(power->describe()[2].substr(0, 18), "40 W  F1 [1005]=0 ");
    EXPECT_EQ(power->describe()[3].substr(0, 7), "(row)  ");

    im[0] = 0x60;  // Europe: five levels, one with a leading blank
    EXPECT_EQ(makePowerDialog(im)->rowUnit(4), "W");
    // Squelch rows are named, not numbered: no unit.
    auto squelch = makeSquelchDialog(im);
    EXPECT_EQ(squelch->rowUnit(0) + squelch->rowUnit(1), "");
}

TEST_F(Marten30Flow, EditChangesTheImageOnlyOnOk) {
    bench.ui.dialogScripts = {{{{"1005", "77"}}, "Cancel"}, {{{"1005", "77"}}, "OK"}};
    EXPECT_FALSE(page.EditSquelch());
    EXPECT_EQ(page.image()[16], 0);
    EXPECT_TRUE(page.EditSquelch());
    EXPECT_EQ(page.image()[16], 77);
}

}  // namespace
}  // namespace tw::kvr
