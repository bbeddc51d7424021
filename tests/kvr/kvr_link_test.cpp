#include <gtest/gtest.h>

#include "families/kvr/kvr_link.h"
#include "families/kvr/kvr_maint.h"
#include "kvr/kvr_fixture.h"
#include "link/port_map.h"

namespace tw::kvr {
namespace {

using test::KvrBench;

// The radio babbles ">" while powering up and only wakes on the third "U": taking the babble
// for an answer would start talking to a radio that is not listening.
TEST(KvrHandshake, RadioAnsweringOnTheThirdWakeByteIsAcceptedAndStaleInputIsNoAnswer) {
    for (const char* noise : {"0", "5"}) {
        KvrBench bench(sim::ModelOptions{{"wake", "3"}, {"noise", noise}});
        KvrLink link(bench.env);
        ASSERT_TRUE(link.openAndHandshake()) << "noise " << noise;
        EXPECT_EQ(bench.fromPc(), "UUU") << "noise " << noise;
        EXPECT_EQ(bench.ui.messages(), std::vector<std::string>{"Power ON KVR Radio"});
    }
}

TEST(KvrHandshake, SilentRadioGetsExactlyFourWakeBytes) {
    KvrBench bench;
    bench.devices.faults().silent = true;
    KvrLink link(bench.env);
    EXPECT_FALSE(link.openAndHandshake());
    EXPECT_EQ(bench.fromPc(), "UUUU");
    EXPECT_EQ(bench.ui.messages().back(),
              "No Radio Handshake.\nTurn off radio, check programming cable connection, and "
              "retry.");
    EXPECT_FALSE(link.isOpen());
}

TEST(KvrHandshake, PortThatDoesNotOpen) {
    KvrBench bench;
    bench.devices.failOpens("busy");
    EXPECT_FALSE(CKvrMaint(bench.env).ReadTrackingFromRadio());
    EXPECT_EQ(bench.ui.messages(), std::vector<std::string>{"Comm port not open."});
}

TEST(KvrPortApply, ChosenPortIsUsedAndTheSavedOneKept) {
    KvrBench bench;
    bench.profile.writeString("Comm Settings", "Port Number", "2");
    bench.app.currentPort = 4;
    ASSERT_TRUE(CKvrMaint(bench.env).ReadTrackingFromRadio());
    EXPECT_EQ(bench.devices.lastPath(), PortMap::defaultDevicePath(4));
    EXPECT_EQ(bench.devices.lastBaud(), 9600);
    EXPECT_EQ(bench.profile.getString("Comm Settings", "Port Number"), "2");
}

}  // namespace
}  // namespace tw::kvr
