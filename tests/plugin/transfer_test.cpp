// Personality transfers against the in-process HLN radio on a virtual clock.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "families/hln/radio_identity.h"
#include "history/read_history.h"
#include "hln/hln_fixture.h"
#include "personality_fixtures.h"
#include "plugin/transfer/link_parameters.h"
#include "plugin/transfer/personality_transfer.h"
#include "support/progress_check.h"
#include "util/file_io.h"
#include "util/text.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;
using O = TransferOutcome;

class Transfer : public hln::HlnTest {
  protected:
    Transfer() { settings_.dumpFolder = (dir_ / "dumps").string(); }

    std::vector<std::uint8_t> dump(const char* name) const {
        return loadWholeFile((dir_ / "dumps" / name).string(), 1 << 16)
            .value_or(std::vector<std::uint8_t>{});
    }
    std::string file(const char* name) const { return (dir_ / name).string(); }
    O read(CPersonality& p, bool radio, const std::string& path, RadioDescription d) {
        return ReadPers(*env_, settings_, p, radio, path, d);
    }
    O write(CPersonality& p, bool radio, const std::string& path, RadioDescription d,
            unsigned idOverride = 0) {
        return WritePers(*env_, settings_, p, idOverride, radio, path, d);
    }
    static RadioDescription desc(char letter, std::uint8_t b3 = 0, std::uint8_t b4 = 0) {
        return {static_cast<std::uint8_t>(letter), 0, 0, b3, b4};
    }

    TransferSettings settings_;
};

TEST(LinkParameters, SizesAndLetterFollowThePersonalityType) {
    struct Row {
        char type, letter;
        std::uint16_t size;
        std::uint8_t large, option, variant;
    } rows[] = {{'A', 'A', 2048, 0, 0, 0}, {'M', 'M', 2048, 0, 0, 0}, {'B', 'B', 8192, 1, 0, 8},
                {'T', 'T', 8192, 1, 0, 8}, {'H', 'H', 3072, 0, 1, 8}, {'K', 'K', 3072, 0, 1, 8},
                {'U', 'U', 4096, 1, 0, 8}, {'V', 'V', 4096, 1, 0, 8}, {'C', 'C', 8192, 1, 0, 8},
                {'R', 'C', 8192, 1, 0, 8}, {'Z', 'C', 8192, 1, 0, 8}};
    for (const Row& r : rows) {
        hln::RadioIdentity id;
        applyLinkParameters(CPersonality(static_cast<std::uint16_t>(r.type), "NAME"), id);
        EXPECT_EQ(id.typeLetter(), r.letter) << r.type;
        EXPECT_EQ(id.imageSize, r.size) << r.type;
        EXPECT_EQ(id.largeImage, r.large) << r.type;
        EXPECT_EQ(id.optionByte, r.option) << r.type;
        EXPECT_EQ(id.imageVariant, r.variant) << r.type;
        EXPECT_EQ(id.name, "NAME");
    }
}

TEST(LinkParameters, BandCodeAtEachThreshold) {
    const std::pair<double, int> rows[] = {{0, 11},     {135.9, 11}, {136, 13},  {149.99, 13},
                                           {150, 1},    {402.9, 1},  {403, 2},   {440, 5},
                                           {469.9, 5},  {470, 7},    {805.9, 7}, {806.0, 11},
                                           {894.9, 11}, {895, 12},   {960, 12}};
    for (auto [mhz, band] : rows) EXPECT_EQ(bandCodeOf(mhz), band) << mhz;
}

TEST(LinkParameters, FileRadioIdFromDescriptionAndBand) {
    hln::RadioIdentity id;
    setFileRadioId(id, {'U', 9, 9, 0x21, 0x34}, 5);
    EXPECT_EQ(id.radioId, (std::array<std::uint8_t, 6>{'U', 5, 0x21, 0, 0x34, 8}));
    setFileRadioId(id, {'A', 9, 9, 0x07, 0x01}, 13);
    EXPECT_EQ(id.radioId, (std::array<std::uint8_t, 6>{'A', 13, 0x07, 0, 0x01, 0}));
    setFileRadioId(id, {'M', 0, 0, 0, 0}, 1);
    EXPECT_EQ(id.radioId[5], 0);
}

// The file keeps the used bytes, the dump the whole image; a file cut at the end of data and
// a full-size one both read back the personality and dump the image size.
TEST_F(Transfer, FileWriteAndReadKeepUsedBytesAndDumpTheWholeImage) {
    CPersonality p = generatePersonality({'U', 2, false, 4});
    ASSERT_EQ(write(p, false, file("u.img"), desc('U')), O::Done);
    const auto bytes = loadWholeFile(file("u.img"), 1 << 16).value();
    auto whole = bytes;
    whole.resize(4096, 0);
    ASSERT_LT(bytes.size(), whole.size());
    EXPECT_EQ(dump("write.hex"), whole);
    ASSERT_TRUE(saveFileAtomically(file("full.img"), whole));
    for (const char* name : {"u.img", "full.img"}) {
        CPersonality back(p.radioType, p.GetName());
        back.bandLimits = p.bandLimits;
        ASSERT_EQ(read(back, false, file(name), desc('U')), O::Done) << name;
        EXPECT_EQ(dump("read.hex"), whole) << name;
        EXPECT_EQ(firstDifference(p, back), "") << name;
    }
}

TEST_F(Transfer, PreambleGoesToTheRadioOnly) {
    CPersonality p = generatePersonality({'C', 11, false, 5});
    ASSERT_EQ(write(p, false, file("c.img"), desc('C', 0x20, 1)), O::Done);
    EXPECT_EQ(dump("write.hex").at(0), 0);
    radio({{"type", "C"}, {"id1", "11"}, {"id2", "32"}});
    ui_.answers = {true};  // program mode prompt, then any question
    ASSERT_EQ(write(p, true, "", desc('C')), O::Done);
    const auto sent = dump("write.hex");
    EXPECT_EQ(std::vector<std::uint8_t>(sent.begin(), sent.begin() + 5),
              (std::vector<std::uint8_t>{1, 0, 3, 0, 9}));
    EXPECT_EQ(std::vector<std::uint8_t>(model().memory().begin(), model().memory().begin() + 8192),
              sent);
}

// That the radio keeps its records and reads back the personality is run end to end (host
// tests) and under line faults (fault matrix); here the order of the exchange.
TEST_F(Transfer, RadioWriteReadsTheRecordsAndDataVersionBeforeWriting) {
    radio({{"type", "U"}, {"id1", "7"}, {"version", "6.90"}});
    CPersonality p = generatePersonality({'U', 7, false, 6});
    const auto keptBefore = keptRadioReads(app_, hln::kHlnHistoryFamily).size();
    ASSERT_EQ(write(p, true, "", desc('U')), O::Done) << ui_.messages().back();
    const std::string sent = sentText();
    const auto gb = sent.find("GB");
    ASSERT_NE(gb, std::string::npos);
    EXPECT_LT(sent.find("GI"), gb);
    EXPECT_LT(sent.find(std::string("GC\x02\x02\x24", 5)), gb);  // data version at base + 36

    // The alignment those reads found is kept before the image goes out, as the HLN page's
    // tracking and feature files.
    const auto all = keptRadioReads(app_, hln::kHlnHistoryFamily);
    std::vector<std::string> kept;
    for (auto k = all.begin() + static_cast<long>(keptBefore); k != all.end(); ++k)
        if (k->beforeWrite) kept.push_back(fs::path(k->path).extension().string());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{".fea", ".tk2"}));
}

// The transfers show the image's progress: a write its chunks and the verify, a read the
// image and its second read. The write's pre-reads are too short to mark.
TEST_F(Transfer, RadioTransfersMarkTheImageStages) {
    radio({{"type", "U"}, {"id1", "7"}});
    CPersonality p = generatePersonality({'U', 7, false, 6});
    const struct {
        const char* name;
        bool write;
        long deadAfter;  // radio bytes from the start before the line goes dead (-1: never)
        std::vector<long> stages;
        O outcome;
    } cases[] = {
        {"write", true, -1, {32, 4096}, O::Done},
        {"read", false, -1, {4096, 4096}, O::Done},
        {"read, dead in the image", false, 1000, {4096}, O::Failed},
    };
    for (const auto& c : cases) {
        if (c.deadAfter >= 0)
            factory_->faults().hangupAfter = static_cast<long>(model().sent().size()) + c.deadAfter;
        ui_.clear();
        CPersonality back(p.radioType, p.GetName());
        EXPECT_EQ(c.write ? write(p, true, "", desc('U')) : read(back, true, "", desc('U')),
                  c.outcome)
            << c.name;
        EXPECT_TRUE(progressStages(ui_.progressMarks(), c.stages, c.outcome == O::Done)) << c.name;
    }
}

TEST_F(Transfer, RadioOfAnotherTypeIsAskedAboutAndTheTypeRestored) {
    radio({{"type", "U"}, {"id1", "7"}});
    CPersonality p = generatePersonality({'V', 7, false, 6});
    ui_.answers = {false};
    EXPECT_EQ(write(p, true, "", desc('V')), O::Cancelled);
    EXPECT_EQ(p.radioType, 'V');
    EXPECT_EQ(sentText().find("GB"), std::string::npos);
    EXPECT_NE(ui_.messages().back().find("Write the personality to this radio anyway?"),
              std::string::npos);
}

TEST_F(Transfer, BrokenPreWriteReadStopsBeforeAnythingIsSent) {
    radio({{"type", "U"}, {"id1", "7"}, {"featurecount", "60"}});
    CPersonality p = generatePersonality({'U', 7, false, 6});
    EXPECT_EQ(write(p, true, "", desc('U')), O::Failed);
    EXPECT_EQ(sentText().find("GB"), std::string::npos);
    EXPECT_EQ(ui_.messages().back(),
              "The radio's feature data could not be read, so the write would erase it. Nothing "
              "was sent to the radio.");
}

TEST_F(Transfer, RadioWithoutRecordsStillTakesThePersonality) {
    radio({{"type", "U"}, {"id1", "7"}, {"features", "0"}, {"aux", "0"}});
    CPersonality p = generatePersonality({'U', 7, false, 6});
    EXPECT_EQ(write(p, true, "", desc('U')), O::Done);
    EXPECT_NE(sentText().find("GB"), std::string::npos);
}

TEST_F(Transfer, BadFilesAndDescriptionsGiveTheirMessageAndOutcome) {
    CPersonality p = generatePersonality({'U', 2, false, 3});
    ASSERT_EQ(write(p, false, file("u.img"), desc('U')), O::Done);
    ASSERT_TRUE(saveFileAtomically(file("long.img"), std::vector<std::uint8_t>(4097, 0)));
    fs::create_directories(dir_ / "folder.img");
    CPersonality noBand('U', "X");
    struct Row {
        const char* label;
        bool isWrite;
        CPersonality* personality;
        std::string path;
        RadioDescription d;
        O outcome;
        std::string message;
    } rows[] = {
        {"missing", false, &p, file("none.img"), desc('U'), O::Failed,
         "Cannot open the image file " + file("none.img") + ": No such file or directory"},
        {"folder", false, &p, file("folder.img"), desc('U'), O::Failed,
         "Cannot read the image file " + file("folder.img") + ": Is a directory"},
        {"too long", false, &p, file("long.img"), desc('U'), O::Refused,
         "The image file " + file("long.img") +
             " holds 4097 bytes; a type \"U\" personality image is at most 4096 bytes. Nothing "
             "was read."},
        {"other letter", false, &p, file("u.img"), desc('C'), O::Refused,
         "The radio description is for type \"C\"; the personality is type \"U\". Nothing was "
         "transferred."},
        {"unknown letter", true, &p, file("x.img"), desc('Q'), O::Refused,
         "Radio type \"Q\" (code 81) has no personality images. Nothing was transferred."},
        {"no band", false, &noBand, file("u.img"), desc('U'), O::Refused, pers_text::kNoBandLimits},
        {"unwritable", true, &p, file("no/such/dir/u.img"), desc('U'), O::Failed,
         "Cannot write the image file " + file("no/such/dir/u.img") +
             ": No such file or directory"},
    };
    for (Row& r : rows) {
        ui_.clear();
        const CPersonality before = *r.personality;
        const O got = r.isWrite ? write(*r.personality, false, r.path, r.d)
                                : read(*r.personality, false, r.path, r.d);
        EXPECT_EQ(got, r.outcome) << r.label;
        ASSERT_FALSE(ui_.messages().empty()) << r.label;
        EXPECT_EQ(ui_.messages().back(), r.message) << r.label;
        EXPECT_EQ(firstDifference(before, *r.personality), "") << r.label;
    }
    EXPECT_FALSE(fs::exists(dir_ / "x.img"));
}

// An image file's own directory says whether it was cut short: its header, its directory,
// the CRC that closes it and every section must lie within the file. Overlapping sections
// and a CRC that no longer matches are only noted: a serviced radio's tracking and feature
// writes leave its CRC stale.
TEST_F(Transfer, DamagedImageFilesAreJudgedByTheirOwnDirectory) {
    CPersonality p = generatePersonality({'U', 2, false, 3});
    ASSERT_EQ(write(p, false, file("u.img"), desc('U')), O::Done);
    const auto good = loadWholeFile(file("u.img"), 1 << 16).value();
    const std::size_t n = good.size(), dir = good[33] << 8 | good[34];  // P is byte 0
    const auto entry = [&](int section) { return dir + 1 + 2 * section; };
    const std::size_t tracking = good[entry(10)] << 8 | good[entry(10) + 1];
    const std::size_t feature = good[entry(13)] << 8 | good[entry(13) + 1];
    const std::string path = file("damaged.img"), none;
    const auto cut = [&](std::size_t size, const std::string& why) {
        return "The image file is cut short: " + path + " holds " + std::to_string(size) +
               " bytes, but " + why + ". Nothing was read.";
    };
    const auto str = [](std::size_t v) { return std::to_string(v); };
    struct Row {
        const char* label;
        std::size_t size;                                         // bytes kept of the file
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes;  // changed
        std::string refusal, detail;                              // or a detail a read shows
    } rows[] = {
        {"cut inside the CRC",
         n - 1,
         {},
         cut(n - 1, "its directory places the CRC (section 34) at bytes " + str(n - 2) + " and " +
                        str(n - 1)),
         none},
        {"cut inside the directory",
         dir + 10,
         {},
         cut(dir + 10,
             "its header and section directory reach byte " + str(dir + 2 * (good[dir] + 1))),
         none},
        {"section 29 placed past the end",
         n,
         {{entry(29), (n + 4) >> 8}, {entry(29) + 1, n + 4}},
         cut(n, "its directory places section 29 at bytes " + str(n + 4) + " to " + str(n + 15)),
         none},
        {"section 29 placed inside section 10",
         n,
         {{entry(29), (tracking + 20) >> 8}, {entry(29) + 1, tracking + 20}},
         none,
         "Sections 10 and 29 overlap: section 29 begins at byte " + str(tracking + 20) +
             ", inside section 10 (bytes " + str(tracking) + " to " + str(tracking + 26) + ")."},
        {"sections 10 and 13 rewritten",
         n,
         {{tracking, 0xA5}, {feature + 3, 0x5A}},
         none,
         "The CRC (section 34) holds "},
    };
    for (const Row& r : rows) {
        std::vector<std::uint8_t> damaged(good.begin(), good.begin() + static_cast<long>(r.size));
        for (auto [at, value] : r.bytes) damaged[at] = value;
        ASSERT_TRUE(saveFileAtomically(path, damaged));
        fs::remove(dir_ / "dumps" / "read.hex");
        ui_.clear();
        CPersonality back(p.radioType, p.GetName());
        back.bandLimits = p.bandLimits;
        const CPersonality before = back;
        const O got = read(back, false, path, desc('U'));
        EXPECT_EQ(ui_.messages(), r.refusal.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{r.refusal})
            << r.label;
        if (!r.refusal.empty()) {
            EXPECT_EQ(got, O::Refused) << r.label;
            EXPECT_EQ(firstDifference(before, back), "") << r.label;
            EXPECT_FALSE(fs::exists(dir_ / "dumps" / "read.hex")) << r.label;
            continue;
        }
        EXPECT_EQ(got, O::Done) << r.label;
        EXPECT_EQ(firstDifference(p, back), "") << r.label;
        const auto& events = ui_.events();
        EXPECT_TRUE(std::any_of(events.begin(), events.end(), [&](const auto& e) {
            return e.kind == "detail" && e.text.rfind(r.detail, 0) == 0;
        })) << r.label;
    }
}

// A radio's image is held to the same bounds: the raw image is kept, the read fails and a
// personality can still be written over it.
TEST_F(Transfer, RadioImageCutShortIsKeptAndTheReadFails) {
    radio({{"type", "U"}, {"id1", "7"}});
    CPersonality p = generatePersonality({'U', 7, false, 6});
    ASSERT_EQ(write(p, true, "", desc('U')), O::Done);
    auto& memory = model().memory();
    const std::size_t crcEntry = (memory[33] << 8 | memory[34]) + 1 + 2 * 34;
    memory[crcEntry] = 0x0F;  // the CRC at bytes 4095 and 4096
    memory[crcEntry + 1] = 0xFF;
    CPersonality back(p.radioType, "Held");
    const CPersonality before = back;
    EXPECT_EQ(read(back, true, "", desc('U')), O::Failed);
    EXPECT_EQ(ui_.messages().back(),
              "The image read from the radio is cut short: it holds 4096 bytes, but its directory "
              "places the CRC (section 34) at bytes 4095 and 4096. The personality was not "
              "changed.");
    EXPECT_EQ(firstDifference(before, back), "");
    EXPECT_EQ(dump("read.hex"), std::vector<std::uint8_t>(memory.begin(), memory.begin() + 4096));
    EXPECT_EQ(write(p, true, "", desc('U')), O::Done);
}

// A port that never opens, as when the programming cable is unplugged.
class NoPorts : public DeviceFactory {
  public:
    OpenResult open(const std::string&, int) override { return OpenError{"no such device"}; }
};

TEST_F(Transfer, PortThatDoesNotOpenIsCommNotOpenForBothDirections) {
    NoPorts none;
    SerialLink serial(profile_, none, clock_, ui_);
    Env env{ui_, clock_, profile_, serial, app_};
    CPersonality p = generatePersonality({'U', 7, false, 6});
    const CPersonality before = p;
    EXPECT_EQ(ReadPers(env, settings_, p, true, "", desc('U')), O::Failed);
    EXPECT_EQ(WritePers(env, settings_, p, 0, true, "", desc('U')), O::Failed);
    EXPECT_EQ(ui_.messages(), (std::vector<std::string>{"Comm not open", "Comm not open"}));
    EXPECT_EQ(firstDifference(before, p), "");
    EXPECT_EQ(ui_.busyDepth(), 0);
}

TEST_F(Transfer, ImageTooLargeIsRefusedAndNothingWritten) {
    CPersonality p = generatePersonality({'A', 2, false, 8}, 12);
    EXPECT_EQ(write(p, false, file("a.img"), desc('A')), O::Refused);
    EXPECT_EQ(ui_.messages().back(), "Personality too big for radio!");
    EXPECT_FALSE(fs::exists(dir_ / "a.img"));
}

}  // namespace
}  // namespace tw::test
