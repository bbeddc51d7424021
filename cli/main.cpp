// tunewright-cli: runs page operations of one family page in sequence, headless.
#include <unistd.h>

#include <QCoreApplication>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "adapters/qserial_device.h"
#include "cli/cli_ui.h"
#include "cli/interrupts.h"
#include "cli/json.h"
#include "cli/options.h"
#include "families/blt/blt_page.h"
#include "families/file_compare.h"
#include "families/registry.h"
#include "history/read_history.h"
#include "run/radio_operation.h"
#include "run/startup.h"
#include "sim/blt/blt_radio.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "testtune/launcher.h"
#include "testtune/sheet_steps.h"
#include "util/text.h"
#include "view/main_view.h"

namespace {

using namespace tw;
using cli::CliUi;
using cli::Options;
using cli::Parsed;
using cli::Step;

const char* kUsage =
    R"(Usage: tunewright-cli [options] FAMILY STEP [STEP ...]

Runs operations of one family page in order, like menu commands one after another.
FAMILY is one of: kvr hln blt wla wlb marten60p marten30 (tabs 0 to 6).

Options:
  --device PATH      every port of this run opens PATH
  --port N           the application's current port 1..9 (as Comm Settings sets it);
                     without it, "Port Number" of the profile file
  --ini PATH         the profile file (default: $XDG_CONFIG_HOME/tunewright/novac4.ini)
  --simulate         a simulated radio of the family answers instead of a serial port
  --sim-option K=V   option of the simulated radio (repeatable); blt: the radio's test
                     interpreter, hdt.band=0x30|0x35 hdt.type=0x60 hdt.version=0x0205
                     hdt.battery=200 and its faults (see tunewright-sim --help)
  --sim-fault FAULT  fault of the simulated line: silent, wrong, chatter, drop=N, garble=N
                     (every N-th byte), drop@N, garble@N (the byte at index N), hangup=N
  --no-history       keep no copy of this run's radio reads in the history folder (and so
                     none before a write either)
  --no-copy-before-write
                     write to a radio even when the copy of what it held could not be
                     kept (otherwise asked; --yes does not answer that question)
  --allow-other-radio
                     write data loaded from another radio's history copy to the radio on
                     the bench (otherwise asked; --yes does not answer that question)
  --radio-type X     answer of the Select Radio Type dialog (hln)
  --service          started for service work: unlocks the alignment step (blt)
  --yes | --no       the answer to every Yes/No question and OK/Cancel prompt; without them
                     the terminal is asked, and with no terminal a question is an error
  --trace FILE       write every byte, break and line change with its time to FILE
  --json             print one JSON object at the end instead of the running output
  --help             this text

Steps:
  get-status  read-tracking  write-tracking  read-features  write-features
  load-tracking FILE  save-tracking FILE  load-features FILE  save-features FILE
  set ID=TEXT        type TEXT into the control with that id, replacing its text
                     (e.g. set 1005=120)
  test-mode          the Enter Test Mode toggle
  report             the page's maintenance report lines
  history            the copies of the family's radio reads in the history folder
                     ($XDG_DATA_HOME/tunewright/history): path, radio, time (UTC)
  history-changes RADIO
                     the service record of a radio (its serial number or model as the
                     history names it; '*' for every radio of the family): its copies in
                     time order, each with the fields that changed since the copy before
  compare FILE       the page's values (from a read or a load earlier in the run) against
                     a tracking or feature file of the family: every field that differs,
                     "label: page -> file", then "N fields differ" or "Same"
  compare-files FILE1 FILE2
                     the same for two files ("label: FILE1 -> FILE2")
  and the page's own buttons (listed below for each family that has them).

Output: each message box as it appears with its text and the answer given. With --json:
  {"family", "messages": [{"kind": "ok"|"yesno"|"okcancel", "text", "answer"}],
   "fields": {"<control id>": "<text>"}, "enabled": {"<control id>": bool},
   "report": [lines], "source": where the page's values came from (null while it shows
   what it started with), "ok": bool}, after a compare step "differences": [{"field",
   "left", "right"}] of the last compare, and after an alignment step
  "alignment": {"sheet", "connected", "battery", "radioType", "typeName", "version", "band",
   "opened"}; while a test sheet is open "fields" and "enabled" are its page's, and
  "sheet": {"title", "page", "back", "next", "finish"}, and while a test dialog is open
  "dialog": {"fields", "enabled"}
Test sheet steps (after alignment, --service): page N, press ID, arrow ID +N|-N,
  scroll ID up|down|focus, wait MS, finish, cancel
Progress: on a terminal (without --json) a long step draws one line on standard error.
Ctrl-C (SIGINT) or SIGTERM stops the running step at its next command boundary, leaves the
radio safe (out of test mode, transmitter off) and ends the run.
Exit status: 0 every step succeeded, 1 a step failed (the run stops there), 2 usage error,
  3 every step succeeded and the last compare found differences, 130 or 143 the run was
  cancelled by SIGINT or SIGTERM.
)";

int usageError(const std::string& why) {
    std::cerr << "tunewright-cli: " << why << "\nTry 'tunewright-cli --help'.\n";
    return 2;
}

const std::vector<std::pair<const char*, Command>>& commandSteps() {
    static const std::vector<std::pair<const char*, Command>> steps = {
        {"get-status", Command::GetStatus},
        {"read-tracking", Command::ReadTrackingFromRadio},
        {"write-tracking", Command::WriteTrackingToRadio},
        {"read-features", Command::ReadFeaturesFromRadio},
        {"write-features", Command::WriteFeaturesToRadio},
        {"load-tracking", Command::ReadTrackingFromDisk},
        {"save-tracking", Command::WriteTrackingToDisk},
        {"load-features", Command::ReadFeaturesFromDisk},
        {"save-features", Command::WriteFeaturesToDisk},
        {"test-mode", Command::TestMode},
    };
    return steps;
}

// What the compare steps found: the differences of the last one, if any ran.
struct Compared {
    bool ran = false;
    std::vector<FieldDiff> differences;
};

bool runCompare(const std::optional<std::vector<FieldDiff>>& diffs,
                std::vector<std::string>& report, Compared& compared) {
    if (!diffs) return false;
    compared = {true, *diffs};
    report.clear();
    for (const auto& d : *diffs) report.push_back(diffLine(d));
    report.push_back(diffSummary(diffs->size()));
    return true;
}

bool runStep(const Step& s, MainView& view, const std::vector<PageAction>& actions, CliUi& ui,
             std::vector<std::string>& report, Compared& compared, const Options& o, Env& env) {
    FamilyPage& page = view.selectedPage();
    const AppState& app = env.app;
    if (s.name == "compare")
        return runCompare(compareWithFile(env, view.selectedTab(), page, s.args[0]), report,
                          compared);
    if (s.name == "compare-files")
        return runCompare(compareFiles(env, view.selectedTab(), s.args[0], s.args[1]), report,
                          compared);
    if (s.name == "history-changes") {
        const auto records = historyChanges(env, view.selectedTab(), s.args[0]);
        if (!records) return false;
        report = historyChangesLines(*records);
        return true;
    }
    if (s.name == "history") {
        report.clear();
        for (const auto& k : keptRadioReads(app, o.family))
            report.push_back(k.path + "  " + k.radio + "  " + k.time + " UTC");
        return true;
    }
    if (s.name == "set") {
        const auto eq = s.args[0].find('=');
        const int id = std::atoi(s.args[0].substr(0, eq).c_str());
        if (!page.controls().setText(id, s.args[0].substr(eq + 1))) {
            std::cerr << "tunewright-cli: the page has no control " << s.args[0].substr(0, eq)
                      << "\n";
            return false;
        }
        page.noteEdited(id);
        return true;
    }
    if (s.name == "report") {
        report = view.reportLines();
        return true;
    }
    if (cli::isFileStep(s.name)) ui.files.push_back(s.args[0]);
    for (const auto& [name, cmd] : commandSteps())
        if (s.name == name) return view.execute(cmd);
    for (const auto& a : actions) {
        if (a.step != s.name) continue;
        if (a.dialogScript) ui.dialogScripts.push_back(a.dialogScript(s.args));
        return page.tracked(SourceEffect::Action, DataSet::Both, a.step,
                            [&a, &s] { return a.run(s.args); });
    }
    return false;
}

// What a step may leave in the radio if it is cancelled half-way: a page step says so itself.
RadioWork workOfStep(const std::string& step, const std::vector<PageAction>& actions) {
    for (const auto& a : actions)
        if (a.step == step) return a.work;
    static const char* const kWrites[] = {"write-tracking", "write-features"};
    for (const char* w : kWrites)
        if (step == w) return RadioWork::Write;
    return RadioWork::Read;
}

void printAlignment(std::ostream& out, const testtune::LaunchReport& r) {
    const auto& f = r.facts;
    out << ", \"alignment\": {\"sheet\": " << (r.choice ? cli::jsonString(r.title) : "null")
        << ", \"connected\": " << (r.connected ? "true" : "false") << ", \"battery\": " << r.battery
        << ", \"radioType\": " << int{f.radioType}
        << ", \"typeName\": " << cli::jsonString(testtune::testRadioTypeName(f.radioType))
        << ", \"version\": " << cli::jsonString(format("%02X.%02X", f.versionMajor, f.versionMinor))
        << ", \"band\": " << int{f.band} << ", \"opened\": " << (r.opened ? "true" : "false")
        << "}";
}

void printControls(std::ostream& out, const Controls& controls) {
    out << "\"fields\": {";
    bool first = true;
    for (const auto& c : controls.all()) {
        if (!c.showsValue) continue;
        out << (first ? "" : ", ") << cli::jsonString(std::to_string(c.id)) << ": "
            << cli::jsonString(c.text);
        first = false;
    }
    out << "}, \"enabled\": {";
    first = true;
    for (const auto& c : controls.all()) {
        out << (first ? "" : ", ") << cli::jsonString(std::to_string(c.id)) << ": "
            << (c.enabled ? "true" : "false");
        first = false;
    }
    out << "}";
}

void printSheet(std::ostream& out, testtune::CTestSheet& sheet) {
    auto flag = [](bool on) { return on ? "true" : "false"; };
    out << ", \"sheet\": {\"title\": " << cli::jsonString(sheet.title())
        << ", \"page\": " << sheet.activeIndex() + 1 << ", \"back\": " << flag(sheet.backEnabled())
        << ", \"next\": " << flag(sheet.nextEnabled())
        << ", \"finish\": " << flag(sheet.finishEnabled()) << "}";
    if (const testtune::CTestDialog* dialog = sheet.testDialog()) {
        out << ", \"dialog\": {";
        printControls(out, dialog->controls());
        out << "}";
    }
}

void printJson(std::ostream& out, const Options& o, const CliUi& ui, const FamilyPage& page,
               const std::vector<std::string>& report, const Compared& compared,
               const testtune::AlignmentBench* bench, bool ok) {
    testtune::CTestSheet* sheet = bench ? bench->sheet() : nullptr;
    out << "{\"family\": " << cli::jsonString(o.family) << ", \"messages\": [";
    bool first = true;
    for (const auto& m : ui.shown()) {
        out << (first ? "" : ", ") << "{\"kind\": " << cli::jsonString(m.kind)
            << ", \"text\": " << cli::jsonString(m.text)
            << ", \"answer\": " << cli::jsonString(m.answer) << "}";
        first = false;
    }
    out << "], ";
    printControls(out, sheet ? sheet->activePage().controls() : page.controls());
    const std::string source = page.source().line();
    out << ", \"source\": " << (source.empty() ? "null" : cli::jsonString(source));
    out << ", \"report\": [";
    for (std::size_t i = 0; i < report.size(); ++i)
        out << (i ? ", " : "") << cli::jsonString(report[i]);
    out << "]";
    if (compared.ran) {
        out << ", \"differences\": [";
        for (std::size_t i = 0; i < compared.differences.size(); ++i) {
            const auto& d = compared.differences[i];
            out << (i ? ", " : "") << "{\"field\": " << cli::jsonString(d.label)
                << ", \"left\": " << cli::jsonString(d.left)
                << ", \"right\": " << cli::jsonString(d.right) << "}";
        }
        out << "]";
    }
    if (bench) printAlignment(out, bench->report());
    if (sheet) printSheet(out, *sheet);
    out << ", \"ok\": " << (ok ? "true" : "false") << "}\n";
}

// The page's steps; the BLT page launches its alignment sheet on the front end's bench.
std::vector<PageAction> familySteps(FamilyPage& page, testtune::AlignmentBench* bench) {
    if (auto* blt = dynamic_cast<blt::CMaintenanceDlg*>(&page)) blt->setAlignmentBench(bench);
    std::vector<PageAction> actions;
    for (auto& a : page.actions())
        if (a.offered) actions.push_back(std::move(a));
    return actions;
}

void printActions(Env& env) {
    std::cout << "\nPage steps by family:\n";
    auto pages = createFamilyPages(env);
    testtune::AlignmentBench bench(env);
    for (std::size_t t = 0; t < pages.size(); ++t) {
        for (const auto& a : familySteps(*pages[t], &bench)) {
            std::cout << "  " << tabInfos()[t].family << ": " << a.step
                      << (a.argsHelp.empty() ? "" : " " + a.argsHelp) << "  " << a.help << "\n";
            if (!a.example.empty())
                std::cout << "      e.g. tunewright-cli " << tabInfos()[t].family << " " << a.step
                          << " " << a.example << "\n";
        }
    }
}

// --sim-option names no family on the command line: the run has one.
sim::ModelOptions runSimOptions(const Options& o) {
    const auto given = o.simOptions.find("");
    return given == o.simOptions.end() ? sim::ModelOptions{} : given->second;
}

std::unique_ptr<DeviceFactory> serialPorts(Clock&) {
    return std::make_unique<QSerialDeviceFactory>();
}

// The family's simulated radio behind a line with the faults asked for; nothing, with `why`,
// when the family has no simulated radio or a fault is unknown.
Startup::MakeDevices simulatedRadio(const Options& o, std::string& why) {
    // A BLT radio is reached through the connection library; the serial line carries only
    // its test interpreter.
    // Held shared, as the maker must be copyable; it hands the model on once.
    auto model = std::make_shared<std::unique_ptr<sim::RadioModel>>(
        sim::createModel(o.family, runSimOptions(o)));
    if (!*model) {
        why = "no simulated radio for family " + o.family;
        return nullptr;
    }
    sim::Faults faults;
    for (const auto& f : o.faults) {
        if (faults.parse(f)) continue;
        why = "unknown fault " + f;
        return nullptr;
    }
    return [model, faults](Clock& clock) {
        auto factory = std::make_unique<sim::SimDeviceFactory>(std::move(*model), clock);
        factory->faults() = faults;
        return factory;
    };
}

// The help lists every family's page steps; it reaches no radio and writes no trace.
int printHelp(const Options& o, Ui& ui) {
    StartOptions listing = o;
    listing.simulate = false;
    listing.device.clear();
    listing.trace.clear();
    Startup start(listing, ui, serialPorts);
    std::cout << kUsage;
    printActions(start.env());
    return 0;
}

// What a finished step shows in the running output.
void printStepOutput(const Step& s, bool stepOk, const std::vector<std::string>& report,
                     testtune::AlignmentBench* bench) {
    const bool listsFindings =
        s.name == "history-changes" || s.name == "compare" || s.name == "compare-files";
    if (s.name == "report" || s.name == "history" || (stepOk && listsFindings))
        for (const auto& line : report) std::cout << line << "\n";
    if (s.name == "alignment" && bench && bench->report().opened) {
        const auto& r = bench->report();
        std::cout << "[sheet] " << r.title << ": " << testtune::describeFacts(r.facts)
                  << ", battery " << r.battery << "\n";
    }
    if (bench && bench->sheet() && s.name != "alignment") {
        testtune::CTestSheet& sh = *bench->sheet();
        std::cout << "[sheet] page " << sh.activeIndex() + 1 << " " << sh.activePage().title()
                  << (sh.testDialog() ? " [" + sh.testDialog()->title() + "]" : "") << "\n";
    }
}

// The page a run works on, with the steps it offers.
struct RunPage {
    MainView& view;
    std::vector<PageAction> actions;
    testtune::AlignmentBench* bench;
};

// Carries out the steps in order until one fails or a signal cancels the run; the exit
// status.
int runSteps(const std::vector<Step>& steps, RunPage& run, CliUi& ui, CancelSignal& cancel,
             const Options& o, Env& env) {
    std::vector<std::string> report;
    Compared compared;
    bool ok = true;
    int stoppedBy = 0;
    for (const auto& s : steps) {
        ui.clearError();
        const OperationOutcome outcome = runRadioOperation(
            env.link, cancel, ui, workOfStep(s.name, run.actions),
            [&] { return runStep(s, run.view, run.actions, ui, report, compared, o, env); });
        if (outcome.cancelled || cli::caughtSignal() != 0) {
            stoppedBy = cli::caughtSignal();
            ok = false;
            std::cerr << cli::cancelledRunLine("tunewright-cli", s.name,
                                               workOfStep(s.name, run.actions), stoppedBy)
                      << "\n";
            break;
        }
        const bool stepOk = outcome.ok && ui.error().empty();
        if (!ui.error().empty()) std::cerr << "tunewright-cli: " << ui.error() << "\n";
        if (!o.json) printStepOutput(s, stepOk, report, run.bench);
        if (!stepOk) {
            if (!o.json) std::cout << "step " << s.name << " failed\n";
            ok = false;
            break;
        }
    }
    const bool aligned = run.bench && run.bench->report().choice;
    if (o.json)
        printJson(std::cout, o, ui, run.view.selectedPage(), report, compared,
                  aligned ? run.bench : nullptr, ok);
    if (stoppedBy != 0) return cli::signalExitStatus(stoppedBy);
    if (!ok) return 1;
    // A compare that found differences tells a script so, as diff does.
    return compared.ran && !compared.differences.empty() ? 3 : 0;
}

// The family's page on the run's devices, its steps checked before any of them runs.
int runFamily(const Options& o, Startup& start, CliUi& ui, CancelSignal& cancel) {
    std::string why;
    if (start.traceFailed()) return usageError("cannot write the trace file " + o.trace);
    AppState& app = start.app();
    app.writeWithoutCopy = o.noCopyBeforeWrite;
    app.allowOtherRadio = o.allowOtherRadio;
    if (o.hasPort) app.currentPort = o.port;
    if (!o.radioType.empty())
        ui.standing["SelectRadioType"] = DialogScript{{{"type", o.radioType}}, "OK"};

    Env& env = start.env();
    MainView view(env, createFamilyPages(env));
    view.selectTab(tabOfFamily(o.family));
    if (o.simulate && o.family == "blt" &&
        !sim::attachSimulatedBlt(view.selectedPage(), runSimOptions(o), why))
        return usageError(why);

    std::unique_ptr<testtune::AlignmentBench> bench;
    if (o.family == "blt") bench = std::make_unique<testtune::AlignmentBench>(env);
    RunPage page{view, familySteps(view.selectedPage(), bench.get()), bench.get()};
    std::vector<Step> steps;
    if (!cli::groupSteps(o.steps, view.selectedPage(), page.actions, o.service, steps, why))
        return usageError(why);
    return runSteps(steps, page, ui, cancel, o, env);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    Options o;
    std::string why;
    const Parsed parsed = cli::parseOptions({argv + 1, argv + argc}, o, why);

    CliUi ui(std::cout, std::cerr, o.json);
    ui.answers = o.answers;
    ui.terminal = isatty(STDIN_FILENO) != 0;
    ui.showProgress(!o.json && isatty(STDERR_FILENO) != 0);
    CancelSignal cancel;
    cli::cancelOnSignals(cancel, "tunewright-cli");

    if (parsed == Parsed::Help) return printHelp(o, ui);
    if (parsed == Parsed::UsageError) return usageError(why);
    Startup::MakeDevices devices = serialPorts;
    if (o.simulate) {
        devices = simulatedRadio(o, why);
        if (!devices) return usageError(why);
    }
    Startup start(o, ui, devices);
    return runFamily(o, start, ui, cancel);
}
