// The plug-in's radio transfers as a host drives them, against the in-process HLN radio on a
// virtual clock: progress goes to the host's callback, and the host's cancelRequested stops a
// transfer the way Cancel stops the application's own.
#include <cstdlib>
#include <fstream>

#include "hln/hln_fixture.h"
#include "host_objects.h"
#include "host_transfer.h"
#include "personality_fixtures.h"
#include "plugin/transfer/personality_transfer.h"
#include "support/progress_check.h"
#include "tunewright_plugin.h"

namespace tw::test {
namespace {

// A host of the current version that records what the plug-in tells it, answers Yes to
// askYesNo and `riskyAnswer` to askRisky, and asks for a cancel once it has seen
// `cancelAfterMarks` progress marks (never when -1).
struct RecordingHost {
    std::vector<std::string> messages, details, risky;
    ProgressMarks marks;
    long cancelAfterMarks = -1;
    int asked = 0;
    int yesNoAsked = 0;
    int riskyAnswer = 0;

    static RecordingHost& of(void* context) { return *static_cast<RecordingHost*>(context); }
    TwHost object() {
        TwHost h{};
        h.version = TW_HOST_OBJECT_VERSION;
        h.context = this;
        h.message = [](void* c, const char* t) { of(c).messages.emplace_back(t); };
        h.askYesNo = [](void* c, const char*) { return ++of(c).yesNoAsked, 1; };
        h.askRisky = [](void* c, const char* t) {
            of(c).risky.emplace_back(t);
            return of(c).riskyAnswer;
        };
        h.detail = [](void* c, const char* t) { of(c).details.emplace_back(t); };
        h.progress = [](void* c, long done, long total) { of(c).marks.emplace_back(done, total); };
        h.cancelRequested = [](void* c) {
            RecordingHost& self = of(c);
            ++self.asked;
            return self.cancelAfterMarks >= 0 &&
                           static_cast<long>(self.marks.size()) >= self.cancelAfterMarks
                       ? 1
                       : 0;
        };
        return h;
    }
};

class HostTransfer : public hln::HlnTest {
  protected:
    HostTransfer() { radio({{"type", "U"}, {"id1", "7"}}); }

    TransferOutcome run(RecordingHost& host, bool write, CPersonality& p) {
        return run(host.object(), write, p);
    }
    TransferOutcome run(const TwHost& object, bool write, CPersonality& p) {
        const plugin::HostChoices choices{"sim", (dir_ / "novac4.ini").string(),
                                          (dir_ / "dumps").string()};
        const RadioDescription d{'U', 0, 0, 0, 0};
        return plugin::runHostTransfer(
            &object, choices, *factory_, clock_, write ? RadioWork::Write : RadioWork::Read,
            [&](Env& env, const TransferSettings& settings) {
                return write ? WritePers(env, settings, p, 0, true, "", d)
                             : ReadPers(env, settings, p, true, "", d);
            });
    }
};

// Uncancelled, a write and a read report their image stages through to their ends. Cancelled
// in the middle of the image a read stops there and leaves the personality as it was; a write
// cancelled at its first chunk still sends the whole image (it is one command) but never
// starts the verify. Only the notice is shown, never the line-fault messages the stop causes.
TEST_F(HostTransfer, CancelRequestedStopsATransferWithTheNoticeOnly) {
    const CPersonality written = generatePersonality({'U', 7, false, 6});
    const struct {
        const char* name;
        bool write;
        long cancelAfterMarks;
        TransferOutcome outcome;
        std::vector<long> stages;
        std::vector<std::string> messages;
        std::size_t imageReads;  // "GA" sent: an image read, a read's or a write's verify
    } cases[] = {
        {"write", true, -1, TransferOutcome::Done, {32, 4096}, {}, 1},
        {"read", false, -1, TransferOutcome::Done, {4096, 4096}, {}, 2},
        {"read cancelled in the image",
         false,
         30,
         TransferOutcome::Cancelled,
         {4096},
         {cancelNotice(RadioWork::Read)},
         1},
        {"write cancelled at its first chunk",
         true,
         1,
         TransferOutcome::Cancelled,
         {32},
         {cancelNotice(RadioWork::Write)},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t sentBefore = model().received().size();
        RecordingHost host;
        host.cancelAfterMarks = c.cancelAfterMarks;
        CPersonality p = c.write ? written : CPersonality('U', "BEFORE");
        const CPersonality before = p;
        EXPECT_EQ(run(host, c.write, p), c.outcome);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_TRUE(progressStages(host.marks, c.stages, c.outcome == TransferOutcome::Done));
        EXPECT_GT(host.asked, 0);
        if (c.outcome != TransferOutcome::Done) {
            EXPECT_EQ(firstDifference(before, p), "");
        }
        // The commands the PC sent: a write's image is data, and goes out whole.
        std::string commands = sentText().substr(sentBefore);
        if (c.write) {
            const auto gb = commands.find("GB");
            ASSERT_NE(gb, std::string::npos);
            ASSERT_GE(commands.size(), gb + 2 + 4096);
            commands.erase(gb, 2 + 4096);
        }
        std::size_t reads = 0;
        for (auto at = commands.find("GA"); at != std::string::npos;
             at = commands.find("GA", at + 2))
            ++reads;
        EXPECT_EQ(reads, c.imageReads);
    }
}

// A file where the history folder would go: no copy of what the radio held can be kept, so
// the write asks whether to go on without it. Only askRisky is asked, never askYesNo, whose
// Yes may be a batch's answer to everything. A version-2 object ends before askRisky (the
// members after it here are what might follow it in memory): the answer is No, and the
// host's message carries the question.
TEST_F(HostTransfer, OnlyAVersion3HostIsAskedToWriteWithoutACopy) {
    const std::string dataHome = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string blocked = (dir_ / "data").string();
    std::ofstream(blocked) << "not a folder";
    ::setenv("XDG_DATA_HOME", blocked.c_str(), 1);
    const struct {
        const char* name;
        int version, riskyAnswer, writeWithoutCopy;
        TransferOutcome outcome;
        std::size_t riskyAsked;
        const char* told;  // in the host's messages or details
    } cases[] = {
        {"version 2", 2, 1, 1, TransferOutcome::Cancelled, 0, "Answered No"},
        {"version 3, No", 3, 0, 0, TransferOutcome::Cancelled, 1, nullptr},
        {"version 3, Yes", 3, 1, 0, TransferOutcome::Done, 1, nullptr},
        {"version 3, without a copy", 3, 0, 1, TransferOutcome::Done, 0, "Writing without it"},
    };
    const CPersonality written = generatePersonality({'U', 7, false, 6});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t sentBefore = model().received().size();
        RecordingHost host;
        host.riskyAnswer = c.riskyAnswer;
        TwHost object = host.object();
        object.version = c.version;
        object.writeWithoutCopy = c.writeWithoutCopy;
        CPersonality p = written;
        EXPECT_EQ(run(plugin::copyHostObject(&object), true, p), c.outcome);
        EXPECT_EQ(host.yesNoAsked, 0);
        ASSERT_EQ(host.risky.size(), c.riskyAsked);
        for (const auto& question : host.risky)
            EXPECT_NE(question.find("could not be kept"), std::string::npos) << question;
        std::string told;
        for (const auto& t : host.messages) told += t + "\n";
        for (const auto& t : host.details) told += t + "\n";
        if (c.told) {
            EXPECT_NE(told.find("could not be kept"), std::string::npos) << told;
            EXPECT_NE(told.find(c.told), std::string::npos) << told;
        }
        // The image goes out only when the write went on.
        EXPECT_EQ(sentText().substr(sentBefore).find("GB") != std::string::npos,
                  c.outcome == TransferOutcome::Done);
    }
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
}

}  // namespace
}  // namespace tw::test
