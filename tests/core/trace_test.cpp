#include "link/trace.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tw {
namespace {

TEST(TraceTest, LinesCarryTimeSinceStartDirectionHexAndText) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tw_trace_test_" + std::to_string(::getpid()) + ".log"))
                                 .string();
    VirtualClock clock;
    clock.advance(5000);  // the trace counts from its own start
    {
        Trace trace(path, clock);
        ASSERT_TRUE(trace.isOpen());
        trace.event("open /dev/ttyUSB0 at 9600 baud");
        clock.advance(42);
        const std::uint8_t sent[] = {'G', '4', 0x00, 0x7F, 0xFF};
        trace.sent(sent, sizeof sent);
        clock.advance(61'003);
        const std::uint8_t got[] = {'>'};
        trace.received(got, 1);
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "       0.000 -- open /dev/ttyUSB0 at 9600 baud\n"
              "       0.042 TX 47 34 00 7F FF  |G4...|\n"
              "      61.045 RX 3E  |>|\n");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tw
