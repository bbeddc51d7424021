// The 1200-baud hex link and the radio reads of the WLB and MARTEN 60P pages.
#include <gtest/gtest.h>

#include "compact/wlb_fixture.h"
#include "families/compact/hex_link.h"

namespace tw::compact {
namespace {

using test::Marten60PBench;
using test::WlbBench;

const std::string kWake = "\x55";

TEST(CompactRead, WlbWireBytesPausesAndFields) {
    WlbBench b;
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    EXPECT_EQ(b.fromPc(), kWake + "G2G4030120G402012DG406013AG401014DG404016AG404018AG401000AG9");
    EXPECT_EQ(b.radio().breaks(), 1);
    // Break, the pause after "G2", and 50 ms before and after each of the seven commands.
    EXPECT_EQ(b.clock.now(), 30 + 50 + 7 * 100);
    EXPECT_EQ(b.devices.lastBaud(), 1200);
    EXPECT_EQ(b.radio().resets(), 1);
    // The fields read are checked through the report and the .tk5 file.
    EXPECT_EQ(b.page.bandIndex(), 3);
    EXPECT_EQ(b.ui.statusTexts(),
              (std::vector<std::string>{"Handshaking", "Reading Tracking Data"}));
    EXPECT_TRUE(b.ui.messages().empty());
}

TEST(CompactRead, Marten60PWireBytesPausesAndFields) {
    Marten60PBench b({{"band", "1"}});
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
    EXPECT_EQ(b.fromPc(), kWake + "G2G4030120G402012DG406013AG404014AG401015DG401000AG9");
    EXPECT_EQ(b.clock.now(), 30 + 50 + 6 * 100);
    EXPECT_EQ(b.text(2042), "102");
    EXPECT_EQ(b.text(2040), "181");
    EXPECT_EQ(b.text(2053), "114");
    EXPECT_EQ(b.text(2057), "132");
    EXPECT_EQ(b.text(2063), "249");
    EXPECT_EQ(b.text(kVersionText), "6.1A");
    // The radio's name of band 1 is shorter than the file's and the Defaults'.
    EXPECT_EQ(b.text(kBandSplitText), "150-174MHz");
}

template <typename Bench>
std::string versionShown(const char* code) {
    Bench b({{"version", code}});
    EXPECT_TRUE(b.page.ReadTrackingFromRadio()) << code;
    return b.text(kVersionText);
}

// A code another family knows, or none knows, shows as undefined.
TEST(CompactRead, VersionCodes) {
    EXPECT_EQ(versionShown<WlbBench>("03"), "5.0B");
    EXPECT_EQ(versionShown<WlbBench>("11"), "5.9B");
    EXPECT_EQ(versionShown<WlbBench>("0A"), "undefined");
    EXPECT_EQ(versionShown<Marten60PBench>("01"), "6.1A");
    EXPECT_EQ(versionShown<Marten60PBench>("02"), "undefined");
    EXPECT_EQ(versionShown<Marten60PBench>("12"), "undefined");
}

TEST(CompactRead, ConnectFailuresLeaveThePageAlone) {
    const std::vector<std::string> wrongType = {messages::kWrongRadioType,
                                                messages::kCouldNotInitialize};
    {
        WlbBench b({{"kind", "marten60p"}});  // answers "1D"
        EXPECT_FALSE(b.page.ReadTrackingFromRadio());
        EXPECT_EQ(b.ui.messages(), wrongType);
        EXPECT_EQ(b.fromPc(), kWake + "G2");
    }
    {
        Marten60PBench b({{"kind", "wlb"}});  // answers "21"
        EXPECT_FALSE(b.page.WriteTrackingToRadio());
        EXPECT_EQ(b.ui.messages(), wrongType);
    }
    {
        WlbBench b;
        b.devices.failOpens("busy");
        EXPECT_FALSE(b.page.ReadTrackingFromRadio());
        EXPECT_EQ(b.ui.messages(), (std::vector<std::string>{messages::kPortNotOpened,
                                                             messages::kCouldNotInitialize}));
    }
    {
        // A radio that never wakes is passed over in silence by the link itself.
        WlbBench b;
        b.devices.faults().silent = true;
        EXPECT_FALSE(b.page.ReadTrackingFromRadio());
        EXPECT_EQ(b.ui.messages(), std::vector<std::string>{messages::kCouldNotInitialize});
        EXPECT_EQ(b.fromPc(), kWake);
        EXPECT_FALSE(b.ui.statusOpen());
        EXPECT_EQ(b.text(kVersionText), "");
    }
}

TEST(CompactRead, RadioThatWakesOnlyAfterABreak) {
    WlbBench b({{"breaks", "1"}});
    ASSERT_TRUE(b.page.ReadTrackingFromRadio());
}

TEST(CompactRead, ShortOrNonHexAnswersFailAndChangeNothing) {
    const char* faults[][2] = {
        {"short", "013A"}, {"nonhex", "014D"}, {"short", "000A"}, {"nonhex", "0121"}};
    for (const auto& f : faults) {
        WlbBench b({{f[0], f[1]}});
        b.setAll("7");
        EXPECT_FALSE(b.page.ReadTrackingFromRadio()) << f[0] << f[1];
        EXPECT_EQ(b.ui.messages(), std::vector<std::string>{messages::kCouldNotRead});
        for (const auto& field : b.page.model().fields) EXPECT_EQ(b.text(field.control), "7");
        EXPECT_EQ(b.page.record(), std::vector<std::uint8_t>(21, 0));
        EXPECT_EQ(b.radio().resets(), 0) << "no reset after a failed read";
        EXPECT_FALSE(b.ui.statusOpen());
    }
}

}  // namespace
}  // namespace tw::compact
