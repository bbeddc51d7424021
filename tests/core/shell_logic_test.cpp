#include <gtest/gtest.h>

#include "ui/status_progress.h"
#include "view/comm_settings.h"
#include "view/tab_keys.h"

namespace tw {
namespace {

using namespace comm_settings;

// Ports outside COM 1-9 select no entry; OK without a selection keeps the port.
TEST(CommSettings, PortsOutsideTheListAndNoSelection) {
    EXPECT_EQ(initialEntry(-1), 0);
    EXPECT_EQ(initialEntry(9), 8);
    EXPECT_EQ(initialEntry(0), -1);
    EXPECT_EQ(initialEntry(12), -1);
    EXPECT_EQ(portAfterOk(0, 5), 1);
    EXPECT_EQ(portAfterOk(-1, 12), 12);
}

TEST(StatusPercent, ReadsPercentCompleteLinesOnly) {
    EXPECT_EQ(statusPercent("Percent Complete = 42"), 42);
    EXPECT_EQ(statusPercent("Percent Complete = 0"), 0);
    EXPECT_EQ(statusPercent("Percent Complete = 250"), 100);
    EXPECT_EQ(statusPercent("Flashing 73%"), 73);
    for (const char* plain : {"Handshaking", "Percent Complete = ", "%"})
        EXPECT_FALSE(statusPercent(plain)) << plain;
}

// Five stops, the first control at stop 0 (as on the KVR page); the GUI tests walk the same
// page from the strip to its ends and back.
TEST(TabKeys, TabAndShiftTabStepThroughThePage) {
    EXPECT_EQ(tabKeyTarget(5, 0, 2, true, false), 3);
    EXPECT_EQ(tabKeyTarget(5, 0, kFocusStrip, false, false), 4);
    EXPECT_EQ(tabKeyTarget(5, 0, 3, false, false), 2);
}

TEST(TabKeys, FirstControlInsideThePageSetsWhereTheWrapHappens) {
    EXPECT_EQ(tabKeyTarget(5, 2, kFocusStrip, true, false), 2);
    EXPECT_EQ(tabKeyTarget(5, 2, 1, true, false), kFocusStrip);
    EXPECT_EQ(tabKeyTarget(5, 2, 4, true, false), 0);
    EXPECT_EQ(tabKeyTarget(5, 2, kFocusStrip, false, false), 1);
}

TEST(TabKeys, SelfCyclingPageWrapsWithoutTheStrip) {
    EXPECT_EQ(tabKeyTarget(3, 0, 2, true, true), 0);
    EXPECT_EQ(tabKeyTarget(3, 0, 0, false, true), 2);
    EXPECT_EQ(tabKeyTarget(3, 0, kFocusStrip, true, true), 0);
}

TEST(TabKeys, PageWithoutStopsKeepsFocusOnStrip) {
    EXPECT_EQ(tabKeyTarget(0, 0, kFocusStrip, true, false), kFocusStrip);
    EXPECT_EQ(tabKeyTarget(2, -1, kFocusStrip, true, false), 0);
}

}  // namespace
}  // namespace tw
