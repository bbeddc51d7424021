#include "families/file_compare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "families/blt/blt_files.h"
#include "families/blt/tracking_layout.h"
#include "families/compact/compact_tables.h"
#include "families/compact/wla_files.h"
#include "families/hln/hln_files.h"
#include "families/kvr/tracking_values.h"
#include "families/registry.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "util/text.h"
#include "view/env.h"

namespace tw {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(DiffValues, ListsChangedFieldsAndFieldsOnOneSideOnly) {
    const std::vector<ComparedValue> left = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    EXPECT_TRUE(diffValues(left, left).empty());
    EXPECT_EQ(diffSummary(0), "Same");
    const auto diffs = diffValues(left, {{"a", "1"}, {"b", "5"}, {"d", "4"}});
    ASSERT_EQ(diffs.size(), 3u);
    EXPECT_EQ(diffLine(diffs[0]), "b: 2 -> 5");
    EXPECT_EQ(diffLine(diffs[1]), "c: 3 -> (none)");
    EXPECT_EQ(diffLine(diffs[2]), "d: (none) -> 4");
    EXPECT_EQ(diffSummary(1), "1 field differs");
    EXPECT_EQ(diffSummary(3), "3 fields differ");
    EXPECT_EQ(byteValues({0x00, 0x3F}).back().label, "byte 0x01");
    EXPECT_EQ(byteValues({0x00, 0x3F}).back().value, "3F");
}

// A data file of one family, made by the family's codec: as it stands, with its first field
// changed, or with every field changed.
enum class Change { None, First, Every };
struct FileKind {
    const char* name;
    int tab;
    const char* extension;
    std::function<Bytes(Change)> bytes;
    std::string firstLabel;
    std::size_t fields;
    bool sizeChecked;  // a file one byte short is refused
};

Bytes kvrFile(Change c) {
    kvr::TrackingTexts t;
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = std::to_string(10 + i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) t[0] = "99";
    return kvr::encodeTk1(t);
}

Bytes hlnFile(Change c) {
    hln::HlnTrackingBytes v{};
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<std::uint8_t>(150 + i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) v[0] = 1;
    const std::string text = hln::encodeTk2(v);
    return {text.begin(), text.end()};
}

Bytes feaFile(Change c) {
    std::string text;
    for (int i = 0; i < 24; ++i) text += format("%02X", i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) text.replace(0, 2, "FF");
    return {text.begin(), text.end()};
}

Bytes wlaFile(Change c) {
    compact::WlaRecord r{};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<std::uint8_t>(i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) r[0] = 99;
    return compact::encodeTk4(r);
}

Bytes wlbFile(Change c) {
    const auto& model = compact::wlbModel();
    std::vector<std::uint8_t> record(model.recordSize, 0);
    for (const auto& f : model.fields)
        record[f.recordByte] = static_cast<std::uint8_t>(f.recordByte + (c == Change::Every));
    if (c == Change::First) record[model.fields[0].recordByte] = 99;
    return compact::recordToFile(model, record);
}

Bytes marten30File(Change c) {
    Bytes image(512);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) image[16] = 0;
    return image;
}

Bytes bltTrackingFile(Change c) {
    blt::RadioData data;
    data.trackingVersion = 1;
    const auto fields = blt::editorFields(1);
    for (const auto& f : fields)
        data.trackingArrays[f.word] = static_cast<std::uint32_t>(100 + (c == Change::Every));
    if (c == Change::First) data.trackingArrays[fields[0].word] = 7;
    return blt::encodeTrackingFile(data);
}

Bytes bltFeatureFile(Change c) {
    blt::RadioData data;
    data.featureWords[blt::kFeatureLengthWord] = 26;
    for (std::size_t i = 0; i < 26; ++i)
        data.featureBlock[i] = static_cast<std::uint8_t>(i + (c == Change::Every ? 1 : 0));
    if (c == Change::First) data.featureBlock[0] = 0xAA;
    return blt::encodeFeatureFile(data);
}

const std::vector<FileKind>& fileKinds() {
    static const std::vector<FileKind> kinds = {
        {"kvr", 0, "tk1", kvrFile, "Squelch, Low", 21, true},
        {"hln tracking", 1, "tk2", hlnFile, "low range high power", 27, true},
        {"hln features", 1, "fea", feaFile, "byte 0x00", 24, false},
        {"blt tracking", 2, "Trk", bltTrackingFile, blt::editorFields(1).at(0).label,
         blt::editorFields(1).size(), true},
        {"blt features", 2, "Enc", bltFeatureFile, "byte 0x00", 26, true},
        {"wla", 3, "tk4", wlaFile, "TX Low Power, Low", 21, true},
        {"wlb", 4, "tk5", wlbFile, compact::wlbModel().fields[0].name,
         compact::wlbModel().fields.size(), true},
        {"marten30", 6, "tk7", marten30File, "Squelch Wide Band Local Closing", 512, true},
    };
    return kinds;
}

class CompareTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::remove_all(dataHome_ / "tunewright"); }
    void TearDown() override {
        fs::remove_all(dir_);
        fs::remove_all(dataHome_ / "tunewright");
    }
    std::string write(const std::string& name, const Bytes& bytes) {
        fs::create_directories(dir_);
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    std::vector<std::string> shown() const { return ui_.messages(); }

    const fs::path dataHome_ = std::getenv("XDG_DATA_HOME");
    const fs::path dir_ = fs::temp_directory_path() / "tw_compare_test";
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(fs::temp_directory_path() / "tw_compare_none.ini").string()};
    sim::SimDeviceFactory devices_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
    SerialLink link_{profile_, devices_, clock_, ui_};
    AppState app_;
    Env env_{ui_, clock_, profile_, link_, app_};
};

TEST_F(CompareTest, FilesOfEveryFamilyCompareFieldByField) {
    for (const auto& k : fileKinds()) {
        SCOPED_TRACE(k.name);
        const std::string ext = std::string(".") + k.extension;
        const auto base = write(std::string("base") + ext, k.bytes(Change::None));
        const auto first = write(std::string("first") + ext, k.bytes(Change::First));
        const auto every = write(std::string("every") + ext, k.bytes(Change::Every));

        const auto same = compareFiles(env_, k.tab, base, base);
        ASSERT_TRUE(same);
        EXPECT_TRUE(same->empty());

        const auto one = compareFiles(env_, k.tab, base, first);
        ASSERT_TRUE(one);
        ASSERT_EQ(one->size(), 1u);
        EXPECT_EQ((*one)[0].label, k.firstLabel);
        EXPECT_NE((*one)[0].left, (*one)[0].right);

        const auto all = compareFiles(env_, k.tab, base, every);
        ASSERT_TRUE(all);
        EXPECT_EQ(all->size(), k.fields);

        // The page's values against a file: the page keeps them.
        ScriptedUi pageUi;
        Env pageEnv{pageUi, clock_, profile_, link_, app_};
        const auto page = createFamilyPage(pageEnv, k.tab);
        const DataSet set = *page->dataOfFile(base);
        pageUi.files.push_back(base);
        ASSERT_TRUE(page->loadDataFile(set));
        const auto before = page->comparedValues(set);
        const auto pageDiffs = compareWithFile(env_, k.tab, *page, first);
        ASSERT_TRUE(pageDiffs);
        ASSERT_EQ(pageDiffs->size(), 1u);
        EXPECT_EQ((*pageDiffs)[0].left, one->at(0).left);
        EXPECT_TRUE(diffValues(before, page->comparedValues(set)).empty());
        EXPECT_TRUE(shown().empty());

        if (k.sizeChecked) {
            Bytes shortBytes = k.bytes(Change::None);
            shortBytes.pop_back();
            const auto cut = write(std::string("short") + ext, shortBytes);
            EXPECT_FALSE(compareWithFile(env_, k.tab, *page, cut));
            EXPECT_FALSE(compareFiles(env_, k.tab, base, cut));
            ASSERT_EQ(shown().size(), 2u);
            EXPECT_EQ(shown()[0].rfind(cut + " cannot be compared:\n", 0), 0u) << shown()[0];
            EXPECT_TRUE(diffValues(before, page->comparedValues(set)).empty());
        }
        ui_ = ScriptedUi{};
    }
}

TEST_F(CompareTest, AFileOfAnotherFamilyOrKindIsRefusedInOneMessage) {
    const auto tk2 = write("radio.tk2", hlnFile(Change::None));
    const auto fea = write("radio.fea", feaFile(Change::None));
    EXPECT_FALSE(compareFiles(env_, 0, tk2, tk2));
    EXPECT_FALSE(compareFiles(env_, 1, tk2, fea));
    EXPECT_FALSE(compareFiles(env_, 1, tk2, (dir_ / "missing.tk2").string()));
    const auto said = shown();
    ASSERT_EQ(said.size(), 3u);
    EXPECT_EQ(said[0], tk2 +
                           " cannot be compared:\nIt is no data file of the KVR/ORBIT FTX "
                           "page (.tk1).");
    EXPECT_EQ(said[1],
              tk2 + " holds tracking data and " + fea + " feature data: they cannot be compared.");
    EXPECT_EQ(said[2].rfind((dir_ / "missing.tk2").string() + " cannot be compared:\n", 0), 0u);
}

TEST_F(CompareTest, HistoryChangesListEachCopyAgainstTheOneBefore) {
    // Named as the history names them, a day apart: a second's copies would list in any order.
    const fs::path folder = dataHome_ / "tunewright" / "history" / "kvr" / "KVR";
    fs::create_directories(folder);
    auto keep = [&](const std::string& name, const Bytes& bytes) {
        std::ofstream((folder / name).string(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    };
    keep("2026-01-01T08-00-00Z.tk1", kvrFile(Change::None));
    keep("2026-01-02T08-00-00Z.tk1", kvrFile(Change::None));
    keep("2026-01-03T08-00-00Z.idat", Bytes(16, 0));
    keep("2026-01-04T08-00-00Z-before-write.tk1", kvrFile(Change::First));
    const auto records = historyChanges(env_, 0, "KVR");
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1u);
    const auto& copies = records->front().copies;
    ASSERT_EQ(copies.size(), 4u);
    EXPECT_TRUE(copies[0].first);
    EXPECT_TRUE(copies[1].compared && !copies[1].first && copies[1].changes.empty());
    EXPECT_FALSE(copies[2].compared);  // the initial data is no file of the page
    EXPECT_TRUE(copies[3].copy.beforeWrite);
    ASSERT_EQ(copies[3].changes.size(), 1u);
    EXPECT_EQ(diffLine(copies[3].changes[0]), "Squelch, Low: 10 -> 99");

    const auto lines = historyChangesLines(*records);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Radio KVR:");
    EXPECT_NE(lines[1].find("tk1  first copy"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("tk1  no change"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("idat  not compared: It is no data file"), std::string::npos);
    EXPECT_NE(lines[4].find("tk1  before write  1 field changed"), std::string::npos);
    EXPECT_EQ(lines[5], "      Squelch, Low: 10 -> 99");
    EXPECT_TRUE(historyChanges(env_, 0, "*"));
    EXPECT_TRUE(shown().empty());

    EXPECT_FALSE(historyChanges(env_, 0, "other"));
    EXPECT_FALSE(historyChanges(env_, 1, "*"));
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[0].rfind("No copies of radio other are kept in ", 0), 0u);
    EXPECT_EQ(shown()[1].rfind("No radio reads of the hln family are kept in ", 0), 0u);
}

}  // namespace
}  // namespace tw
