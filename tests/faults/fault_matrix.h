#pragma once

// The fault matrix: every radio operation of every family page, run against the in-process
// simulated radio under each line fault, with the same properties checked on every run.
//
// A family joins by adding one file <family>_rows.cpp with
//
//     TW_FAULT_ROWS(kvr) {
//         FaultRow r;
//         r.name = "kvr read-tracking";     // printed in failures and in the summary
//         r.family = "kvr";                 // simulated radio, as sim::createModel knows it
//         r.tab = 0;                        // the page of that tab runs the operation
//         r.model = {{"wake", "1"}};        // options of the simulated radio
//         r.prepare = ...;                  // optional: page texts, Ui answers, dialog
//                                           // scripts, even a clean first operation
//         r.run = [](FamilyPage& p) { return p.ReadTrackingFromRadio(); };
//         r.silent = {...};                 // failure messages, in order, for a silent radio
//         r.success = {...};                // messages that say the work was done
//         r.failures = {...};               // every failure message the operation may show
//         r.boundMs = 5000;                 // longest run in virtual time, under any fault
//         return {r, ...};
//     }
//
// An operation that is no page's (a personality transfer) runs the same way: `prepare`
// stashes what it needs from the bench (env(), folder()) where `run` finds it.
//
// Further fields (all optional):
//   notes         messages that may appear in any run (warnings the operation goes on after)
//   then          pairs {A, B}: whenever A is shown, B is the very next message
//   stillSucceeds failure messages after which the operation still returns true (a status
//                 read that reports a missing record and carries on)
//   keepsPage     on a failed run the page's texts stay as they were, except `mayChange`
//   mayChange     control ids a failed run may change (texts the page always takes)
//   uncheckedRead a garbled byte may pass with only a value changed: the protocol has no
//                 check for it and none is added
//   history       a successful run may leave a history copy under $XDG_DATA_HOME
//   beforeWrite   a write that first keeps a copy of what the radio holds: any run may leave
//                 that copy, and one whose read failed asks whether to write without it
//                 (answered No: the write stops)
//   leavesLinkOpen a successful run leaves the port open (test mode)
//   writes        a file (in the bench folder) that a successful run writes
//   dumps         files (in the bench folder) any run may write, failed or not: the raw
//                 images a transfer leaves behind for a fault report
//   alsoAt        byte positions of the operation's traffic faulted besides the spread ones:
//                 a short exchange the spread passes over
//   alsoAtPc      positions of the PC's traffic where Cancel is pressed besides the spread
//                 ones: a write command the spread passes over
//   verify        what else a run must hold, judged right after it: "" or what is wrong
//                 (the operation's own data, which the page's texts do not show)
//   work          what the operation changes in the radio (read, write, flash): the notice
//                 a cancelled run ends with
//
// A chattering line (noise whenever the radio is quiet) is judged like a garbled byte.
// The general rule for faults other than a silent radio: a run either succeeds exactly like
// the clean run (same messages; after a dropped byte or a hang-up the same page texts too),
// or it fails: only `failures`, `notes` and messages of the clean run appear, no `success`
// message, the result is false (true only with a `stillSucceeds` message), and a
// `keepsPage` row leaves the page's texts alone. Every run, whatever the fault, ends within
// `boundMs`, with the link closed, the status window closed, the busy cursor ended, the
// profile file as it was and no other file written.
//
// A cancel is pressed as the radio sends a byte, or as it takes one of the PC's. A run the
// cancel never reached is judged as the clean run. A cancelled one shows what the clean run
// showed up to then and ends with the cancel notice of its `work`, returns false, leaves no
// command cut from its data, sends nothing after the cancel but the finishing step the radio
// needs (the radio is then out of any service state the run put it in) and closes the link.
// Of what it read it keeps only records it had read whole before the cancel took effect: a
// `keepsPage` row's texts are as they were or as the clean run leaves them, and a history
// copy is byte for byte the clean run's.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "clock/clock.h"
#include "config/profile.h"
#include "link/serial_link.h"
#include "run/radio_operation.h"
#include "sim/faults.h"
#include "sim/radio_model.h"
#include "ui/scripted_ui.h"
#include "view/env.h"
#include "view/family_page.h"

namespace tw::faults {

class PageBench;

// A TRV that missed the wake bytes and was asked for the extended handshake: up to 200
// breaks of 30 ms, each followed by one character wait of the link at 9600 baud.
inline Millis extendedHandshakeMs() {
    return 200 *
           (30 + LinkTiming{}.charWaitMs + LinkTiming::charTimes(LinkTiming::kCharWaitChars, 9600));
}

struct FaultRow {
    std::string name;
    std::string family;
    int tab = 0;
    sim::ModelOptions model;
    std::function<void(PageBench&)> prepare;
    std::function<bool(FamilyPage&)> run;
    std::vector<std::string> silent;
    std::vector<std::string> success;
    std::vector<std::string> failures;
    std::vector<std::string> notes;
    std::vector<std::pair<std::string, std::string>> then;
    std::vector<std::string> stillSucceeds;
    bool keepsPage = true;
    std::vector<int> mayChange;
    bool uncheckedRead = false;
    bool history = false;
    bool beforeWrite = false;
    bool leavesLinkOpen = false;
    std::string writes;
    std::vector<std::string> dumps;
    std::vector<long> alsoAt;
    std::vector<long> alsoAtPc;
    std::function<std::string(bool result)> verify;
    RadioWork work = RadioWork::Read;
    Millis boundMs = 0;
};

// Every row of every family, in a stable order.
const std::vector<FaultRow>& faultRows();

struct FaultRowsRegistrar {
    explicit FaultRowsRegistrar(std::vector<FaultRow> (*make)());
};

#define TW_FAULT_ROWS(family)                                                                   \
    static std::vector<tw::faults::FaultRow> family##FaultRows();                               \
    static const tw::faults::FaultRowsRegistrar family##FaultRowsRegistrar{&family##FaultRows}; \
    static std::vector<tw::faults::FaultRow> family##FaultRows()

// What the radio had taken when a cancel took effect, before any finishing step went out.
struct CancelMoment {
    long received = -1;  // bytes from the PC up to then (-1: the cancel never took effect)
    bool midCommand = false;
    bool inServiceState = false;
};

// A bench for one run: scripted technician, virtual clock, a profile file in a scratch
// folder, the family pages, and the radio model on an in-process line whose open ends are
// counted. The pages reach the technician through a cancellable Ui over the scripted one,
// which passes every act through until a cancel takes effect.
class PageBench {
  public:
    explicit PageBench(std::unique_ptr<sim::RadioModel> model);
    ~PageBench();
    PageBench(const PageBench&) = delete;
    PageBench& operator=(const PageBench&) = delete;

    ScriptedUi ui;
    VirtualClock clock;
    // Raised by the line's cancel fault (Faults::cancel).
    CancelSignal cancel;

    FamilyPage& page(int tab);
    sim::RadioModel& radio();
    sim::Faults& faults();
    Env& env() { return *env_; }
    // Ports still open.
    int openLines() const;
    const std::filesystem::path& folder() const { return folder_; }
    // Every file under the scratch folder with its bytes.
    std::vector<std::pair<std::string, std::string>> files() const;
    // Answers the next Select Radio Type dialogs with this letter.
    void chooseRadioType(char letter);
    // Where the radio stood when the cancel of this bench's link took effect.
    const CancelMoment& cancelMoment() const;
    void forgetCancelMoment();

  private:
    struct Impl;
    std::filesystem::path folder_;
    std::unique_ptr<Impl> impl_;
    std::unique_ptr<Env> env_;
};

enum class FaultKind { Clean, Silent, Wrong, Chatter, Drop, Garble, Hangup, Cancel, Fuzz };
const char* faultName(FaultKind kind);

struct RunOutcome {
    bool result = false;
    std::vector<std::string> messages;
    std::vector<std::pair<int, std::string>> textsBefore, textsAfter;
    Millis elapsedMs = 0;
    int openLines = 0;
    bool statusOpen = false;
    int busyDepth = 0;
    std::vector<std::string> filesChanged;  // written, changed or removed
    // The bytes of each history copy made, by folder and extension.
    std::map<std::string, std::string> historyCopies;
    long radioBytes = 0;   // what the radio sent during the operation
    long pcBytes = 0;      // what the PC sent during the operation
    std::string verified;  // the row's verify: "" or what is wrong
    // Runs with a cancel pressed: whether it took effect, whether the radio was then left in
    // the middle of a command or in a service state, what the PC sent after it, and whether
    // the radio was in a service state before the run and after it.
    bool cancelled = false;
    bool cutCommand = false;
    bool serviceAtCancel = false;
    std::string afterCancel;
    bool serviceBefore = false;
    bool serviceAfter = false;
};

// Bytes each side had sent before the operation began.
struct TrafficOffset {
    long radio = 0;
    long pc = 0;
};
using Configure = std::function<void(sim::Faults&, const TrafficOffset&)>;

// Runs the row's operation once. `configure` sets the line faults after `prepare` has run,
// counting the line's bytes from `offset`. With a cancel set (Faults::cancelAt or
// cancelAtReceived), the operation runs as the front ends run it: under the bench's cancel
// signal, telling the technician when it was cancelled.
RunOutcome runRow(const FaultRow& row, std::unique_ptr<sim::RadioModel> model,
                  const Configure& configure);
// The same on a bench the caller made (and may have used before).
RunOutcome runOnBench(const FaultRow& row, PageBench& bench, const Configure& configure);
// The row's radio as its options describe it.
std::unique_ptr<sim::RadioModel> rowModel(const FaultRow& row);

// What is wrong with a run, or empty when every property held. `clean` is the run without
// faults (for a clean run itself, pass it as both).
std::string checkRun(const FaultRow& row, FaultKind kind, const RunOutcome& run,
                     const RunOutcome& clean);

// Byte positions spread across `count` bytes: the first, the last and evenly in between.
std::vector<long> samplePositions(long count, int wanted);

}  // namespace tw::faults
