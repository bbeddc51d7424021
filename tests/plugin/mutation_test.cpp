// Malformed images: every fixture's image, mutated in ways a bad cable, a bad file or a
// foreign radio could produce. A mutated image must give a clear failure that leaves the
// personality as it was, or a personality that re-encodes or is refused with a message;
// never a crash, a read outside the image or a hang.
#include <gtest/gtest.h>

#include <random>

#include "personality_fixtures.h"
#include "plugin/codec/image_format.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

enum class Mutation {
    BitFlips,
    BoundaryByte,
    OffsetAtEnd,
    OffsetPastEnd,
    HighestSection,
    MaximalCount,
    Truncation
};
constexpr Mutation kMutations[] = {Mutation::BitFlips,       Mutation::BoundaryByte,
                                   Mutation::OffsetAtEnd,    Mutation::OffsetPastEnd,
                                   Mutation::HighestSection, Mutation::MaximalCount,
                                   Mutation::Truncation};

struct Outcome {
    int failures = 0, reencoded = 0, refused = 0;
};

std::size_t personalityStart(const std::vector<std::uint8_t>& image) {
    return image[0] != 0 ? static_cast<std::size_t>(image[3] << 8 | image[4]) : 0;
}

// Mutates `image` (of which `used` bytes were written) and gives the length to decode.
std::size_t mutate(std::vector<std::uint8_t>& image, std::size_t used, Mutation m,
                   std::mt19937& rng) {
    auto any = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    const std::size_t p = personalityStart(image);
    const std::size_t dir = p + (image[p + 33] << 8 | image[p + 34]);
    auto sectionEntry = [&]() { return dir + 1 + 2 * any(kHighestSection + 1); };
    switch (m) {
        case Mutation::BitFlips:
            for (std::size_t i = 0, n = 1 + any(3); i < n; ++i)
                image[any(used)] ^= static_cast<std::uint8_t>(1u << any(8));
            break;
        case Mutation::BoundaryByte:
            image[any(used)] = std::array<std::uint8_t, 4>{0x00, 0xFF, 0x7F, 0x80}[any(4)];
            break;
        case Mutation::OffsetAtEnd: {
            const std::size_t at = sectionEntry(), off = image.size() - p - 1 - any(3);
            image[at] = static_cast<std::uint8_t>(off >> 8);
            image[at + 1] = static_cast<std::uint8_t>(off);
            break;
        }
        case Mutation::OffsetPastEnd: {
            const std::size_t at = sectionEntry(),
                              off = image.size() - p + any(0x10000 - image.size());
            image[at] = static_cast<std::uint8_t>(off >> 8);
            image[at + 1] = static_cast<std::uint8_t>(off);
            break;
        }
        case Mutation::HighestSection:
            image[dir] = 255;
            break;
        case Mutation::MaximalCount: {
            // The first byte of a present section is a count in most of them.
            const std::size_t at = sectionEntry();
            const std::size_t off = image[at] << 8 | image[at + 1];
            if (off != 0 && p + off < image.size()) image[p + off] = 0xFF;
            break;
        }
        case Mutation::Truncation:
            return any(used);
    }
    return image.size();
}

TEST(MalformedImages, FailCleanlyOrGiveAPersonalityThatReencodesOrIsRefused) {
    std::mt19937 rng(20261207);
    Outcome outcome;
    int cases = 0;
    for (const FixtureSpec& fs : allFixtureSpecs()) {
        Fixture f = makeFixture(fs);
        ScriptedUi ui;
        ASSERT_EQ(EncodePersonality(f.image, f.personality, f.request, f.identity, ui),
                  kEncodeDone);
        for (Mutation m : kMutations)
            for (int round = 0; round < 15; ++round, ++cases) {
                // The buffer is exactly the image size, so a read past it is caught.
                std::vector<std::uint8_t> image = f.image.buffer;
                const std::size_t length = mutate(image, f.image.endOfData, m, rng);
                CPersonality host = f.personality;
                const CPersonality before = host;
                const std::string why =
                    decodePersonalityQuietly(image.data(), length, host, f.identity);
                if (!why.empty()) {
                    ++outcome.failures;
                    ASSERT_EQ(firstDifference(before, host), "") << fs.label() << ": " << why;
                    continue;
                }
                PersonalityImage again = imageFor(f.identity);
                ScriptedUi answers;
                const int result = EncodePersonality(again, host, f.request, f.identity, answers);
                ASSERT_TRUE(result == kEncodeDone || result == kEncodeRefused) << fs.label();
                if (result == kEncodeRefused) {
                    ASSERT_FALSE(answers.messages().empty()) << fs.label();
                    ++outcome.refused;
                } else {
                    ++outcome.reencoded;
                }
            }
    }
    EXPECT_GT(cases, 5000);
    // The mix shows the test reaches every outcome, not only the first check.
    EXPECT_GT(outcome.failures, 100);
    EXPECT_GT(outcome.reencoded, 100);
    EXPECT_GT(outcome.refused, 0);
}

}  // namespace
}  // namespace tw::test
