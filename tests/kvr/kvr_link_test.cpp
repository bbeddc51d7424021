#include <gtest/gtest.h>

#include "families/kvr/kvr_command.h"
#include "families/kvr/kvr_link.h"
#include "families/kvr/kvr_maint.h"
#include "kvr/kvr_fixture.h"
#include "link/port_map.h"

namespace tw::kvr {
namespace {

using test::KvrBench;

TEST(KvrCommand, FormatsEveryCommandOfTheFamily) {
    EXPECT_EQ(memoryCommand(MemoryOp::Read, 0x20, 0x17E0), "G42017E0");
    EXPECT_EQ(memoryCommand(MemoryOp::Write, 0x20, 0x17E0), "G12017E0");
    EXPECT_EQ(memoryCommand(MemoryOp::Read, 0x44, 0x0000), "G4440000");
    EXPECT_EQ(memoryCommand(MemoryOp::Write, 0x20, 0x0000), "G1200000");
    EXPECT_EQ(memoryCommand(MemoryOp::Write, 0x20, 0x0020), "G1200020");
    EXPECT_EQ(memoryCommand(MemoryOp::Write, 0x04, 0x0040), "G1040040");
    EXPECT_EQ(memoryCommand(MemoryOp::Read, 0x10, 0x03F0), "G41003F0");
}

TEST(KvrHandshake, RadioAnsweringOnTheThirdWakeByteIsAccepted) {
    KvrBench bench(sim::ModelOptions{{"wake", "3"}});
    KvrLink link(bench.env);
    ASSERT_TRUE(link.openAndHandshake());
    EXPECT_EQ(bench.fromPc(), "UUU");
    EXPECT_EQ(bench.ui.messages(), std::vector<std::string>{"Power ON KVR Radio"});
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

TEST(KvrHandshake, StaleInputIsNoAnswer) {
    // The radio babbles ">" while powering up and only wakes on the third "U": taking the
    // babble for an answer would start talking to a radio that is not listening.
    KvrBench bench(sim::ModelOptions{{"wake", "3"}, {"noise", "5"}});
    KvrLink link(bench.env);
    ASSERT_TRUE(link.openAndHandshake());
    EXPECT_EQ(bench.fromPc(), "UUU");
}

TEST(KvrHandshake, PortThatDoesNotOpen) {
    KvrBench bench;
    bench.devices.failOpens("busy");
    CKvrMaint page(bench.env);
    EXPECT_FALSE(page.ReadTrackingFromRadio());
    EXPECT_EQ(bench.ui.messages(), std::vector<std::string>{"Comm port not open."});
}

TEST(KvrPortApply, ChosenPortIsUsedAndTheSavedOneKept) {
    KvrBench bench;
    bench.profile.writeString("Comm Settings", "Port Number", "2");
    bench.app.currentPort = 4;
    CKvrMaint page(bench.env);
    ASSERT_TRUE(page.ReadTrackingFromRadio());
    EXPECT_EQ(bench.devices.lastPath(), PortMap::defaultDevicePath(4));
    EXPECT_EQ(bench.devices.lastBaud(), 9600);
    EXPECT_EQ(bench.profile.getString("Comm Settings", "Port Number"), "2");
}

}  // namespace
}  // namespace tw::kvr
