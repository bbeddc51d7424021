#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {

// One simulated radio on a pseudo-terminal and runs of the command line against it; every run
// starts from a profile holding iniText_.
class RadioTest : public ::testing::Test {
  protected:
    std::string ini() const { return dir_.write("novac4.ini", iniText_); }
    CliRun run(const std::vector<std::string>& args) { return cli(sim_, ini(), args); }
    // Starts (or restarts) the radio unpaced, with model options ("kind=mobile", ...).
    void startRadio(const std::string& family, const std::vector<std::string>& options = {}) {
        std::vector<std::string> args = {"--no-pace"};
        for (const auto& o : options) args.insert(args.end(), {"--option", o});
        ASSERT_TRUE(sim_.start(family, args)) << sim_.error();
    }

    TempDir dir_;
    SimProcess sim_;
    std::string iniText_;
};

}  // namespace tw::e2e
