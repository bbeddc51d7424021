// Personality transfers with an HLN-family radio: a personality read from the radio and one
// written to it. They are no page operations: each row runs its transfer on the bench's Env.
#include <algorithm>
#include <memory>

#include "families/hln/hln_messages.h"
#include "families/hln/radio_identity.h"
#include "fault_matrix.h"
#include "plugin/personality_fixtures.h"
#include "plugin/transfer/personality_transfer.h"
#include "sim/hln/hln_radio.h"
#include "util/text.h"

namespace tw::faults {
namespace {

using namespace hln::messages;

constexpr const char* kBandQuestion = "Bandsplit does not match.  Proceed?";

// What a row's run and its verdict share. The bench is the one of the current run; the
// first run of a row is its clean run.
struct PersState {
    PageBench* bench = nullptr;
    TransferSettings settings;
    CPersonality personality;  // handed to the transfer
    CPersonality before;       // as it was when the run began
    CPersonality onRadio;      // what the radio holds, for a read
    std::vector<std::uint8_t> memory, cleanMemory;
    long offset = 0;  // bytes the radio sent before the run
    // The simulated radio, whose memory the verdicts compare; null when the bench's radio
    // is another one (the fuzz targets' radio answers with the fuzzer's bytes).
    sim::HlnRadio* hln = nullptr;
};

bool shown(PageBench& b, const std::string& text) {
    const auto all = b.ui.messages();
    return std::find(all.begin(), all.end(), text) != all.end();
}

// The answers of the connection (radio ID, serial number) carry no check: a garbled byte
// there passes, and a band code garbled into another reads the image for another band.
bool garbledConnection(const PersState& s) {
    constexpr long kConnectionBytes = 22;
    return s.bench->faults().garbleAt >= 0 &&
           s.bench->faults().garbleAt - s.offset < kConnectionBytes;
}

std::string judgeRead(PersState& s, bool done) {
    if (!done) {
        const std::string changed = firstDifference(s.before, s.personality);
        return changed.empty() ? "" : "failed read changed the personality: " + changed;
    }
    if (!s.hln) return "";
    const std::string wrong = firstDifference(s.onRadio, s.personality);
    if (wrong.empty() || garbledConnection(s)) return "";
    return "read another personality: " + wrong;
}

std::string judgeWrite(PersState& s, bool done) {
    const std::string changed = firstDifference(s.before, s.personality);
    if (!changed.empty()) return "write changed the personality: " + changed;
    if (!s.hln) return "";
    const auto& memory = s.hln->memory();
    if (!done) {
        for (const char* what :
             {"feature data", "tracking data", "auxiliary block", "data version"})
            if ((shown(*s.bench, format(pers_text::kPreReadFailed, what)) ||
                 shown(*s.bench, format(pers_text::kPreReadDiffers, what))) &&
                memory != s.memory)
                return std::string("written after the failed read of the ") + what;
        return "";
    }
    if (s.cleanMemory.empty()) s.cleanMemory = memory;
    // After a garbled band code the technician said Yes to writing the radio's band anyway.
    if (memory != s.cleanMemory && !shown(*s.bench, kBandQuestion)) {
        const auto at = std::mismatch(memory.begin(), memory.end(), s.cleanMemory.begin()).first;
        return "the radio holds other bytes than after the clean write, from byte " +
               std::to_string(at - memory.begin());
    }
    return "";
}

struct PersCase {
    char type;
    int band;
    sim::ModelOptions model;
};

FaultRow persRow(const char* name, const PersCase& c, bool read) {
    auto s = std::make_shared<PersState>();
    FaultRow r;
    r.name = std::string(name) + " " + c.type;
    r.family = "hln";
    r.tab = 1;
    r.model = c.model;
    const CPersonality fixture = test::generatePersonality({c.type, c.band, false, 7});
    r.prepare = [s, fixture, read](PageBench& b) {
        s->bench = &b;
        s->hln = dynamic_cast<sim::HlnRadio*>(&b.radio());
        s->settings.dumpFolder = (b.folder() / "dumps").string();
        s->personality = fixture;
        if (read) {
            // The radio holds the fixture, written to it before the run.
            WritePers(b.env(), s->settings, s->personality, 0, true, "", {});
            s->onRadio = fixture;
            s->personality = CPersonality(fixture.radioType, fixture.GetName());
        }
        s->before = s->personality;
        if (s->hln) s->memory = s->hln->memory();
        s->offset = static_cast<long>(b.radio().sent().size());
    };
    r.run = [s, read](FamilyPage&) {
        const auto outcome =
            read ? ReadPers(s->bench->env(), s->settings, s->personality, true, "", {})
                 : WritePers(s->bench->env(), s->settings, s->personality, 0, true, "", {});
        return outcome == TransferOutcome::Done;
    };
    r.verify = [s, read](bool done) { return read ? judgeRead(*s, done) : judgeWrite(*s, done); };
    // Neither transfer shows a message when it is done.
    r.silent = {kHandshakeFailed, kProgramMode};
    r.failures = {kCommNotOpen,      kWakeWriteFailed, kHandshakeFailed, kNoHandshake,
                  kGetIdWriteFailed, kReadIdFailed,    kUnknownType,     kGetSerialWriteFailed,
                  kReadTimeout,      kProgramMode,     kReadError};
    r.then = {{kHandshakeFailed, kProgramMode}, {kWakeWriteFailed, kProgramMode}};
    if (c.type == 'C') {
        // A TRV gets the power-cycle hint first, then the extended handshake if it is silent.
        r.silent.insert(r.silent.begin(), {kProgramMode, kAskExtended});
        r.notes = {kProgramMode, kAskExtended};
        r.failures.erase(std::find(r.failures.begin(), r.failures.end(), kProgramMode));
    }
    if (read) {
        r.failures.push_back(kVerifyFailed);
        // Also the radio ID, before the image.
        r.alsoAt = {9, 15};
    } else {
        r.failures.insert(r.failures.end(), {kNoData, kFeatureInvalid, kNoTrackingSpace,
                                             kNoTrackingData, kUnableToWrite, kRadioFailedVerify});
        for (const char* what :
             {"feature data", "tracking data", "auxiliary block", "data version"})
            r.failures.insert(r.failures.end(), {format(pers_text::kPreReadFailed, what),
                                                 format(pers_text::kPreReadDiffers, what)});
        r.notes.push_back(kBandQuestion);
        // A radio of another known type is asked about; the answer No ends the write there.
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            if (letter != c.type && hln::hlnRadioType(letter))
                r.notes.push_back(format(pers_text::kOtherRadio, letter, c.type));
        // The band code of the ID, then each of the radio's records, read twice before the
        // image goes out: the spread positions all fall in the image.
        r.alsoAt = {9, 25, 45, 100, 138, 150, 170, 220, 257};
    }
    // Both leave their image in the dump folder, also when the transfer then fails.
    r.dumps = {read ? "dumps/read.hex" : "dumps/write.hex"};
    r.history = read;
    r.beforeWrite = !read;
    r.work = read ? RadioWork::Read : RadioWork::Write;
    // The connection's pauses, then one time-out of about 50 s.
    r.boundMs = 60000 + (c.type == 'C' ? extendedHandshakeMs() : 0);
    return r;
}

}  // namespace

TW_FAULT_ROWS(pers) {
    const PersCase a{'A', 2, {{"type", "A"}, {"id1", "2"}}};
    const PersCase u{'U', 7, {{"type", "U"}, {"id1", "7"}}};
    // A TRV whose ID takes the preamble.
    const PersCase c{'C', 11, {{"type", "C"}, {"id1", "11"}, {"id2", "32"}}};
    return {persRow("pers read-radio", a, true), persRow("pers read-radio", c, true),
            persRow("pers write-radio", a, false), persRow("pers write-radio", u, false)};
}

}  // namespace tw::faults
