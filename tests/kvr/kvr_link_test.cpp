#include <gtest/gtest.h>

#include "families/kvr/kvr_link.h"
#include "families/kvr/kvr_maint.h"
#include "kvr/kvr_fixture.h"
#include "link/port_map.h"

namespace tw::kvr {
namespace {

using test::KvrBench;

// The radio babbles ">" while powering up and only wakes on the third "U": taking the babble
// for an answer would start talking to a radio that is not listening. A silent radio gets
// four tries and no more.
TEST(KvrHandshake, WakeBytesUntilTheRadioAnswers) {
    const std::string noHandshake =
        "No Radio Handshake.\nTurn off radio, check programming cable connection, and retry.";
    const struct {
        const char* noise;
        bool silent;
        const char* sent;
        std::vector<std::string> messages;
    } cases[] = {{"0", false, "UUU", {"Power ON KVR Radio"}},
                 {"5", false, "UUU", {"Power ON KVR Radio"}},
                 {"0", true, "UUUU", {"Power ON KVR Radio", noHandshake}}};
    for (const auto& c : cases) {
        KvrBench bench(sim::ModelOptions{{"wake", "3"}, {"noise", c.noise}});
        bench.devices.faults().silent = c.silent;
        KvrLink link(bench.env);
        EXPECT_EQ(openAndHandshake(bench.env, link), !c.silent) << c.sent << c.noise;
        EXPECT_EQ(bench.fromPc(), c.sent) << c.noise;
        EXPECT_EQ(bench.ui.messages(), c.messages) << c.sent << c.noise;
        EXPECT_EQ(link.isOpen(), !c.silent);
    }
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
