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

        auto check = [&](FaultKind kind, const std::string& where, const Configure& set) {
            const RunOutcome run = runRow(row, rowModel(row), set);
            const std::string why = checkRun(row, kind, run, clean);
            ++runs;
            if (!why.empty()) ++broken;
            EXPECT_EQ(why, "") << row.name << ", " << faultName(kind) << where;
        };
        check(FaultKind::Silent, "", [](sim::Faults& f, const TrafficOffset&) { f.silent = true; });
        check(FaultKind::Wrong, "",
              [](sim::Faults& f, const TrafficOffset&) { f.wrongAnswer = true; });
        check(FaultKind::Chatter, "",
              [](sim::Faults& f, const TrafficOffset&) { f.chatter = true; });
        auto positions = samplePositions(clean.radioBytes, kPositions);
        positions.insert(positions.end(), row.alsoAt.begin(), row.alsoAt.end());
        named += static_cast<int>(row.alsoAt.size());
        for (long p : positions) {
            const std::string at = " at byte " + std::to_string(p);
            check(FaultKind::Drop, at,
                  [p](sim::Faults& f, const TrafficOffset& o) { f.dropAt = o.radio + p; });
            check(FaultKind::Garble, at,
                  [p](sim::Faults& f, const TrafficOffset& o) { f.garbleAt = o.radio + p; });
            check(FaultKind::Hangup, at,
                  [p](sim::Faults& f, const TrafficOffset& o) { f.hangupAfter = o.radio + p; });
            check(FaultKind::Cancel, at,
                  [p](sim::Faults& f, const TrafficOffset& o) { f.cancelAt = o.radio + p; });
        }
        // A radio that stays quiet while the PC writes (a memory write, an image) would never
        // see the cancel land inside a command: it is also pressed as the radio takes the
        // PC's bytes.
        auto pcPositions = samplePositions(clean.pcBytes, kPositions);
        pcPositions.insert(pcPositions.end(), row.alsoAtPc.begin(), row.alsoAtPc.end());
        named += static_cast<int>(row.alsoAtPc.size());
        for (long p : pcPositions)
            check(FaultKind::Cancel, " at PC byte " + std::to_string(p),
                  [p](sim::Faults& f, const TrafficOffset& o) { f.cancelAtReceived = o.pc + p; });
    }
    std::printf(
        "fault matrix: %zu operations x 7 faults x %d positions (and %d named by rows; the "
        "cancel also at %d of the PC's), %d runs, %s\n",
        rows.size(), kPositions, named, kPositions, runs, broken ? "NOT all held" : "all held");
}

}  // namespace
}  // namespace tw::faults
