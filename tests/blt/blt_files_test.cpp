// The .Trk and .Enc files: layout, round trips and refused files.
#include <gtest/gtest.h>

#include "blt/blt_fixture.h"
#include "families/blt/blt_files.h"
#include "families/blt/blt_messages.h"

namespace tw::blt::test {
namespace {

RadioData sample() {
    RadioData d;
    for (std::size_t i = 0; i < kTrackingWords; ++i) d.trackingArrays[i] = 0x01020304u * (i % 7);
    d.trackingVersion = 5;
    d.trackingFormat = 100;
    d.featureWords = {7, 8, 9, 30};
    for (std::size_t i = 0; i < 30; ++i) d.featureBlock[i] = static_cast<std::uint8_t>(0xC0 + i);
    return d;
}

TEST(BltFiles, LayoutAndRoundTrip) {
    const RadioData d = sample();
    const auto trk = encodeTrackingFile(d);
    ASSERT_EQ(trk.size(), kTrackingFileSize);
    EXPECT_EQ(std::string(trk.begin(), trk.begin() + 4), "BTRK");
    EXPECT_EQ(trk[8], 5);
    EXPECT_EQ(trk[12], 100);
    EXPECT_EQ(trk[16 + 4], 0x04);  // word 1, little-endian
    const auto enc = encodeFeatureFile(d);
    ASSERT_EQ(enc.size(), 28u + 30u);
    EXPECT_EQ(std::string(enc.begin(), enc.begin() + 4), "BENC");
    EXPECT_EQ(enc[24], 0xC0);

    RadioData back;
    ASSERT_TRUE(decodeTrackingFile(trk, back));
    ASSERT_TRUE(decodeFeatureFile(enc, back));
    EXPECT_EQ(back.trackingArrays, d.trackingArrays);
    EXPECT_EQ(back.trackingVersion, 5);
    EXPECT_EQ(back.trackingFormat, 100);
    EXPECT_EQ(back.featureWords, d.featureWords);
    EXPECT_EQ(back.featureBlock, d.featureBlock);
    const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc32(check, sizeof check), 0xCBF43926u);
}

// Rewrites the checksum so that only the rule under test is broken.
std::vector<std::uint8_t> resealed(std::vector<std::uint8_t> b) {
    const std::size_t body = b.size() - 4;
    const auto crc = crc32(b.data(), body);
    for (int i = 0; i < 4; ++i) b[body + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    return b;
}

TEST(BltFiles, BrokenFilesAreRefusedAndChangeNothing) {
    const RadioData d = sample();
    const auto trk = encodeTrackingFile(d);
    const auto enc = encodeFeatureFile(d);
    using Bytes = std::vector<std::uint8_t>;
    auto patch = [](Bytes b, std::size_t at, std::uint8_t v) {
        b[at] = v;
        return b;
    };
    Bytes longTrk = trk;
    longTrk.push_back(0);
    const std::vector<Bytes> badTracking = {Bytes(),
                                            Bytes(trk.begin(), trk.end() - 1),
                                            longTrk,
                                            patch(trk, 100, 0xEE),
                                            resealed(patch(trk, 0, 'X')),
                                            resealed(patch(trk, 8, 0)),
                                            resealed(patch(trk, 8, 8)),
                                            resealed(patch(trk, 4, 2)),
                                            resealed(patch(trk, 6, 236))};
    for (std::size_t i = 0; i < badTracking.size(); ++i) {
        SCOPED_TRACE(i);
        RadioData held = sample();
        held.trackingVersion = 2;
        EXPECT_FALSE(decodeTrackingFile(badTracking[i], held));
        EXPECT_EQ(held.trackingVersion, 2);
        EXPECT_EQ(held.trackingArrays, d.trackingArrays);
    }
    // A length past the 256-byte block, no bytes at all, or a length word that disagrees.
    Bytes huge = enc;
    huge[6] = 0x01;
    huge[7] = 0x01;  // 257
    huge.insert(huge.end() - 4, 257 - 30, 0);
    const std::vector<Bytes> badFeatures = {Bytes(),
                                            patch(enc, 30, 0x00),
                                            resealed(huge),
                                            resealed(patch(enc, 20, 31)),
                                            resealed(patch(enc, 4, 9)),
                                            Bytes(enc.begin(), enc.end() - 2)};
    for (std::size_t i = 0; i < badFeatures.size(); ++i) {
        SCOPED_TRACE(i);
        RadioData held;
        held.featureWords = {1, 2, 3, 4};
        held.featureBlock[0] = 0x99;
        EXPECT_FALSE(decodeFeatureFile(badFeatures[i], held));
        EXPECT_EQ(held.featureWords, (std::array<std::uint32_t, 4>{1, 2, 3, 4}));
        EXPECT_EQ(held.featureBlock[0], 0x99);
    }
}

// Through the page: the file dialogs, a long path, and a refused file that changes nothing.
TEST(BltFiles, PageSavesLoadsAndRefuses) {
    Bench b;
    ASSERT_TRUE(b.page->ReadTrackingFromRadio());
    const std::string dir = b.dir.file(std::string(90, 'd'));
    std::filesystem::create_directories(dir);
    const std::string trk = dir + "/radio.Trk", enc = dir + "/radio.Enc";
    b.ui.files = {trk, enc};
    ASSERT_TRUE(b.page->WriteTrackingToDisk());
    ASSERT_TRUE(b.page->WriteFeaturesToDisk());
    EXPECT_EQ(b.ui.fileChoices()[0].filter, "Tracking Data|*.Trk|All Files|*.*||");
    EXPECT_EQ(b.ui.fileChoices()[1].filter, "Enc Data|*.Enc|All Files|*.*||");
    EXPECT_TRUE(b.ui.fileChoices()[0].overwritePrompt);

    Bench other;
    const std::string bad = other.dir.file("bad.Trk");
    writeBytes(bad, "not a tracking file");
    other.ui.files = {bad, trk, bad, enc};
    EXPECT_FALSE(other.page->ReadTrackingFromDisk());
    EXPECT_EQ(other.held().trackingVersion, 0);
    EXPECT_TRUE(other.page->ReadTrackingFromDisk());
    EXPECT_FALSE(other.page->ReadFeaturesFromDisk());
    EXPECT_EQ(other.held().featureLength(), 0u);
    EXPECT_TRUE(other.page->ReadFeaturesFromDisk());
    EXPECT_EQ(other.ui.messages(),
              (Texts{messages::kCouldNotReadTracking, messages::kCouldNotReadFeatures}));
    EXPECT_EQ(other.ui.fileChoices()[0].filter, "Trk File|*.Trk|All Files|*.*||");
    EXPECT_EQ(other.held().trackingArrays, b.held().trackingArrays);
    EXPECT_EQ(other.held().featureBlock, b.held().featureBlock);
    EXPECT_TRUE(other.page->controls().enabled(CMaintenanceDlg::kTrackingEditButton));
    EXPECT_TRUE(other.radio().calls.empty());

    // Nothing held: no file is written that could not be read back.
    Bench empty;
    empty.ui.files = {empty.dir.file("none.Trk")};
    EXPECT_FALSE(empty.page->WriteTrackingToDisk());
    EXPECT_EQ(empty.ui.messages(), Texts{messages::kCouldNotWriteTracking});
    EXPECT_FALSE(std::filesystem::exists(empty.dir.file("none.Trk")));
}

}  // namespace
}  // namespace tw::blt::test
