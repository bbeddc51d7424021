#include <gtest/gtest.h>

#include <cstdio>

#include "fault_matrix.h"

namespace tw::faults {
namespace {

// Positions sampled per positional fault, across the operation's own traffic.
constexpr int kPositions = 5;

TEST(FaultMatrix, EveryOperationHoldsUnderEveryLineFault) {
    const auto& rows = faultRows();
    ASSERT_FALSE(rows.empty());
    int runs = 0, broken = 0, named = 0;
    for (const auto& row : rows) {
        const RunOutcome clean = runRow(row, rowModel(row), nullptr);
        const std::string cleanWhy = checkRun(row, FaultKind::Clean, clean, clean);
        EXPECT_EQ(cleanWhy, "") << row.name << ", clean";
        if (!cleanWhy.empty()) {
            ++broken;
            continue;
        }

        auto check = [&](FaultKind kind, long position,
                         const std::function<void(sim::Faults&, long)>& set) {
            const RunOutcome run = runRow(row, rowModel(row), set);
            const std::string why = checkRun(row, kind, run, clean);
            ++runs;
            if (!why.empty()) ++broken;
            EXPECT_EQ(why, "") << row.name << ", " << faultName(kind)
                               << (position >= 0 ? " at byte " + std::to_string(position) : "");
        };
        check(FaultKind::Silent, -1, [](sim::Faults& f, long) { f.silent = true; });
        check(FaultKind::Wrong, -1, [](sim::Faults& f, long) { f.wrongAnswer = true; });
        check(FaultKind::Chatter, -1, [](sim::Faults& f, long) { f.chatter = true; });
        auto positions = samplePositions(clean.radioBytes, kPositions);
        positions.insert(positions.end(), row.alsoAt.begin(), row.alsoAt.end());
        named += static_cast<int>(row.alsoAt.size());
        for (long p : positions) {
            check(FaultKind::Drop, p, [p](sim::Faults& f, long at) { f.dropAt = at + p; });
            check(FaultKind::Garble, p, [p](sim::Faults& f, long at) { f.garbleAt = at + p; });
            check(FaultKind::Hangup, p, [p](sim::Faults& f, long at) { f.hangupAfter = at + p; });
        }
    }
    std::printf(
        "fault matrix: %zu operations x 6 faults x %d positions (and %d named by rows), %d runs, "
        "%s\n",
        rows.size(), kPositions, named, runs, broken ? "NOT all held" : "all held");
}

}  // namespace
}  // namespace tw::faults
