#include <gtest/gtest.h>

#include "personality_fixtures.h"
#include "plugin/codec/image_bounds.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

class RoundTrip : public ::testing::TestWithParam<FixtureSpec> {};

std::vector<std::uint8_t> used(const hln::PersonalityImage& image) {
    return {image.buffer.begin(), image.buffer.begin() + static_cast<long>(image.endOfData)};
}

// The encoded image also passes the directory check: nothing cut short, overlapping or stale.
TEST_P(RoundTrip, DecodingTheEncodedImageGivesThePersonalityBackAndReencodesToTheSameBytes) {
    for (int scale : {1, 2}) {
        Fixture f = makeFixture(GetParam(), scale);
        ScriptedUi ui;
        ASSERT_EQ(encodePersonality(f.image, f.personality, f.request, f.identity, ui), kEncodeDone)
            << (ui.messages().empty() ? "" : ui.messages()[0]);
        EXPECT_TRUE(ui.messages().empty());
        const ImageBounds bounds =
            checkImageBounds({f.image.buffer.data(), f.identity.imageSize}, f.image.endOfData);
        EXPECT_EQ(bounds.cutShort, "") << GetParam().label();
        EXPECT_EQ(bounds.notes, std::vector<std::string>{}) << GetParam().label();

        CPersonality back(f.personality.radioType, f.personality.GetName());
        ASSERT_EQ(decodePersonalityQuietly(f.image.buffer.data(), f.image.buffer.size(), back,
                                           f.identity),
                  "");
        EXPECT_EQ(firstDifference(f.personality, back), "") << GetParam().label();

        hln::PersonalityImage again = imageFor(f.identity);
        ASSERT_EQ(encodePersonality(again, back, f.request, f.identity, ui), kEncodeDone);
        EXPECT_EQ(used(again), used(f.image)) << GetParam().label();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRadio, RoundTrip, ::testing::ValuesIn(allFixtureSpecs()),
                         [](const auto& param) { return param.param.label(); });

}  // namespace
}  // namespace tw::test
