// Small images kept in tests/data/personality, compared byte for byte: they pin the whole
// layout (section order and offsets, long and short records, the pointer-table slots of the
// radio's records, checksum, CRC, the preamble). A deliberate layout change regenerates them
// with TW_WRITE_GOLDEN=1 (then review the difference).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "hand_built.h"
#include "plugin/codec/image_bounds.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"
#include "util/file_io.h"

namespace tw::test {
namespace {

// The source path is relative to the build folder, which holds the tests folder of this
// binary.
std::filesystem::path goldenDir() {
    std::filesystem::path source = __FILE__;
    if (source.is_relative())
        source = std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / source;
    return source.parent_path().parent_path() / "data" / "personality";
}

struct Golden {
    const char* file;
    char type;
    int band;
    bool preamble;
};

class GoldenImage : public ::testing::TestWithParam<Golden> {};

// Reading an image back and writing it again is run over every radio in round_trip_test.cpp.
TEST_P(GoldenImage, EncoderWritesTheKeptBytes) {
    const Golden g = GetParam();
    const hln::RadioIdentity id = identityFor(g.type, g.band, g.preamble);
    CPersonality p = handBuilt(g.type);
    if (g.band == 1) {
        p.bandLimits = {150, 150, 174, 174};
        for (auto& ch : p.SetAt<CTrunkSet>(0)->items) ch = {805.9875, 850.9875, 0, false, false};
        p.SetAt<CConvSet>(0)->items[0].rxFreq = 155.0;
        p.SetAt<CConvSet>(0)->items[0].txFreq = 155.0;
    }
    auto gen = std::make_unique<CGenRadioOpts>();
    gen->SetCallbackMessage("CALL ME ");
    p.PutOption(std::move(gen));
    hln::PersonalityImage image = imageFor(id);
    ScriptedUi ui;
    EncodeRequest request;
    request.toRadio = g.preamble;
    ASSERT_EQ(encodePersonality(image, p, request, id, ui), kEncodeDone);
    const std::vector<std::uint8_t> bytes(
        image.buffer.begin(), image.buffer.begin() + static_cast<long>(image.endOfData));
    const auto path = goldenDir() / g.file;
    if (std::getenv("TW_WRITE_GOLDEN")) {
        std::filesystem::create_directories(goldenDir());
        ASSERT_TRUE(saveFileAtomically(path.string(), bytes));
    }
    const auto kept = loadWholeFile(path.string(), 1 << 16).value_or(std::vector<std::uint8_t>{});
    ASSERT_FALSE(kept.empty()) << path;
    EXPECT_EQ(bytes, kept);
    std::vector<std::uint8_t> whole = kept;
    whole.resize(id.imageSize, 0);
    const ImageBounds bounds = checkImageBounds(whole, kept.size());
    EXPECT_EQ(bounds.cutShort, "");
    EXPECT_EQ(bounds.notes, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Kept, GoldenImage,
                         ::testing::Values(Golden{"trv_band11.bin", 'C', 11, false},
                                           Golden{"trv_band11_preamble.bin", 'C', 11, true},
                                           Golden{"hln_band1.bin", 'A', 1, false}),
                         [](const auto& param) {
                             return std::string(1, param.param.type) + std::to_string(param.index);
                         });

}  // namespace
}  // namespace tw::test
