#include <gtest/gtest.h>

#include "fault_matrix.h"

namespace tw::faults {
namespace {

// The matrix is only as good as its judge: each broken property must be named.
TEST(FaultMatrixJudge, NamesEveryBrokenProperty) {
    FaultRow row;
    row.name = "row";
    row.silent = {"No answer."};
    row.success = {"Done."};
    row.failures = {"No answer.", "Short."};
    row.then = {{"Short.", "Turn off."}};
    row.notes = {"Turn off."};
    row.dumps = {"d.hex"};
    row.boundMs = 1000;
    RunOutcome clean;
    clean.result = true;
    clean.messages = {"Hello.", "Done."};
    clean.textsBefore = clean.textsAfter = {{1, "a"}};

    // A failed run that showed these messages.
    const auto failed = [](std::vector<std::string> messages) {
        return [messages](RunOutcome& r) { r.result = false, r.messages = messages; };
    };
    // A run the cancel reached after "Hello.", changed further by `more`.
    const std::string notice = cancelNotice(RadioWork::Read);
    const auto cancelled = [&](std::function<void(RunOutcome&)> more) {
        return [&, more](RunOutcome& r) {
            r.result = false, r.cancelled = true, r.messages = {"Hello.", notice};
            more(r);
        };
    };
    struct Case {
        const char* what;
        FaultKind kind;
        std::function<void(RunOutcome&)> change;
        const char* expected;  // start of the verdict; empty: all held
    };
    const Case cases[] = {
        {"clean run", FaultKind::Clean, [](RunOutcome&) {}, ""},
        {"too slow", FaultKind::Drop, [](RunOutcome& r) { r.elapsedMs = 1001; }, "took 1001 ms"},
        {"busy", FaultKind::Drop, [](RunOutcome& r) { r.busyDepth = 1; }, "busy cursor"},
        {"status", FaultKind::Drop, [](RunOutcome& r) { r.statusOpen = true; }, "status window"},
        {"link", FaultKind::Drop, [](RunOutcome& r) { r.openLines = 1; }, "link left open"},
        {"file", FaultKind::Drop, [](RunOutcome& r) { r.filesChanged = {"x.tk1"}; },
         "file written"},
        {"dump of a failed run", FaultKind::Drop,
         [&](RunOutcome& r) { failed({"No answer."})(r), r.filesChanged = {"d.hex"}; }, ""},
        {"row's own check", FaultKind::Drop, [](RunOutcome& r) { r.verified = "data changed"; },
         "data changed"},
        {"silent path", FaultKind::Silent, failed({"Short.", "Turn off."}), "silent radio"},
        {"success after failure", FaultKind::Drop, failed({"No answer.", "Done."}),
         "success message after a failure"},
        {"failure reported as success", FaultKind::Drop,
         [](RunOutcome& r) { r.messages = {"No answer."}; }, "failed run returned true"},
        {"page changed", FaultKind::Garble,
         [&](RunOutcome& r) { failed({"No answer."})(r), r.textsAfter[0].second = "b"; },
         "failed run changed control 1"},
        {"second message missing", FaultKind::Hangup, failed({"Short."}),
         "\"Short.\" not followed"},
        {"unknown message", FaultKind::Wrong, failed({"Oops."}), "unexpected message"},
        {"dropped byte passed", FaultKind::Drop,
         [](RunOutcome& r) { r.textsAfter[0].second = "b"; }, "succeeded under a drop fault"},
        {"failure with its messages", FaultKind::Hangup, failed({"Short.", "Turn off."}), ""},
        {"cancelled", FaultKind::Cancel, cancelled([](RunOutcome&) {}), ""},
        {"cancel after the work", FaultKind::Cancel, [](RunOutcome&) {}, ""},
        {"cancel after the work told", FaultKind::Cancel,
         [](RunOutcome& r) { r.messages = {"Hello."}; }, "uncancelled run differs"},
        {"cancel reported as success", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.result = true; }), "cancelled run returned true"},
        {"no notice", FaultKind::Cancel, cancelled([](RunOutcome& r) { r.messages.pop_back(); }),
         "cancelled run did not end"},
        {"line-fault message", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.messages.insert(r.messages.begin() + 1, "No answer."); }),
         "cancelled run showed messages"},
        {"success, then cancelled", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.messages.insert(r.messages.begin() + 1, "Done."); }),
         "success message in a cancelled run"},
        {"cut command", FaultKind::Cancel, cancelled([](RunOutcome& r) { r.cutCommand = true; }),
         "command cut"},
        {"finishing missing", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.serviceAtCancel = r.serviceAfter = true; }),
         "no finishing step"},
        {"finishing done", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.serviceAtCancel = true, r.afterCancel = "\x13"; }), ""},
        {"finishing not taken", FaultKind::Cancel, cancelled([](RunOutcome& r) {
             r.serviceAtCancel = r.serviceAfter = true, r.afterCancel = "x";
         }),
         "radio left in its service state"},
        {"bytes after the cancel", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.afterCancel = "G"; }), "sent after the cancel: 47"},
        {"service state kept on purpose", FaultKind::Cancel, cancelled([](RunOutcome& r) {
             r.serviceBefore = r.serviceAtCancel = r.serviceAfter = true;
         }),
         ""},
        {"cancel changed the page", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.textsAfter[0].second = "b"; }),
         "cancelled run changed control 1"},
        {"cancel left the link open", FaultKind::Cancel,
         cancelled([](RunOutcome& r) { r.openLines = 1; }), "link left open"},
    };
    for (const auto& c : cases) {
        RunOutcome run = clean;
        c.change(run);
        const std::string verdict = checkRun(row, c.kind, run, clean);
        EXPECT_EQ(verdict.substr(0, std::string(c.expected).size()), c.expected) << c.what;
        EXPECT_EQ(verdict.empty(), *c.expected == '\0') << c.what << ": " << verdict;
    }
}

TEST(FaultMatrixJudge, SingleByteFaultsHitOnlyTheirByte) {
    sim::Faults drop, garble, bad;
    ASSERT_TRUE(drop.parse("drop@3"));
    ASSERT_TRUE(garble.parse("garble@0"));
    EXPECT_EQ(drop.apply(0x41, 2), std::optional<std::uint8_t>(0x41));
    EXPECT_EQ(drop.apply(0x41, 3), std::nullopt);
    EXPECT_EQ(drop.apply(0x41, 7), std::optional<std::uint8_t>(0x41));
    EXPECT_EQ(garble.apply(0x41, 0), std::optional<std::uint8_t>(0xBE));
    EXPECT_EQ(garble.apply(0x41, 1), std::optional<std::uint8_t>(0x41));
    for (const char* text : {"drop@", "drop@x", "hangup@2", "drop@-1"})
        EXPECT_FALSE(bad.parse(text)) << text;
}

TEST(FaultMatrixJudge, PositionsSpanTheTraffic) {
    EXPECT_EQ(samplePositions(100, 5), (std::vector<long>{0, 24, 49, 74, 99}));
    EXPECT_EQ(samplePositions(3, 5), (std::vector<long>{0, 1, 2}));
    EXPECT_EQ(samplePositions(0, 5), std::vector<long>{});
}

}  // namespace
}  // namespace tw::faults
