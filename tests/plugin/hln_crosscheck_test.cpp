// An encoded image is what the radio holds after a personality write: the HLN link finds
// the tracking, feature and auxiliary records in it through the radio's pointer table.
#include "hln/hln_fixture.h"

#include "families/hln/hln_connect.h"
#include "families/hln/hln_transfers.h"
#include "personality_fixtures.h"
#include "plugin/codec/personality_encoder.h"

namespace tw::test {
namespace {

class EncodedRadio : public HlnTest {};

TEST_F(EncodedRadio, LinkReadsTheRecordsTheEncoderPlaced) {
    for (const FixtureSpec& fs : {FixtureSpec{'C', 11, true, 7}, FixtureSpec{'C', 7, false, 8},
                                  FixtureSpec{'U', 2, false, 9}, FixtureSpec{'B', 12, false, 10}}) {
        Fixture f = makeFixture(fs);
        f.image.feature[2] = 12;  // N: 17 bytes of feature data
        ScriptedUi quiet;
        ASSERT_EQ(EncodePersonality(f.image, f.personality, f.request, f.identity, quiet),
                  kEncodeDone);

        radio({{"type", std::string(1, fs.type)}, {"wake", "1"}});
        model().memory() = f.image.buffer;
        ASSERT_TRUE(link_->open());
        CPersonality expected(static_cast<std::uint16_t>(fs.type), {});
        RadioIdentity id;
        ASSERT_TRUE(HlnConnect(*link_, expected, id));
        PersonalityImage read;
        ASSERT_TRUE(HlnTransferTrackingData(*link_, read, id)) << fs.label();
        ASSERT_TRUE(HlnTransferFeatureData(*link_, read, id)) << fs.label();
        ASSERT_TRUE(HlnReadAuxiliaryBlock(*link_, read, id)) << fs.label();
        link_->close();
        EXPECT_EQ(read.tracking, f.image.tracking) << fs.label();
        EXPECT_TRUE(
            std::equal(read.feature.begin(), read.feature.begin() + 17, f.image.feature.begin()));
        EXPECT_EQ(read.auxiliary, f.image.auxiliary) << fs.label();
    }
}

}  // namespace
}  // namespace tw::test
