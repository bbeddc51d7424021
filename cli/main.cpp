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
#include "cli/json.h"
#include "clock/clock.h"
#include "config/profile.h"
#include "families/registry.h"
#include "history/read_history.h"
#include "link/serial_link.h"
#include "link/trace.h"
#include "sim/models.h"
#include "sim/sim_device.h"
#include "view/main_view.h"

namespace {

using namespace tw;
using cli::CliUi;

const char* kUsage =
    R"(Usage: tunewright-cli [options] FAMILY STEP [STEP ...]

Runs operations of one family page in order, like menu commands one after another.
FAMILY is one of: kvr hln blt wla wlb marten60p marten30 (tabs 0 to 6).

Options:
  --device PATH      every port of this run opens PATH
  --port N           the application's current port (as Comm Settings sets it);
                     without it, "Port Number" of the profile file
  --ini PATH         the profile file (default: $XDG_CONFIG_HOME/tunewright/novac4.ini)
  --simulate         a simulated radio of the family answers instead of a serial port
  --sim-option K=V   option of the simulated radio (repeatable)
  --sim-fault FAULT  fault of the simulated line: silent, wrong, drop=N, garble=N, hangup=N
  --no-history       keep no copy of this run's radio reads in the history folder
  --radio-type X     answer of the Select Radio Type dialog (hln)
  --yes | --no       the answer to every Yes/No question and OK/Cancel prompt; without them
                     the terminal is asked, and with no terminal a question is an error
  --trace FILE       write every byte, break and line change with its time to FILE
  --json             print one JSON object at the end instead of the running output
  --help             this text

Steps:
  get-status  read-tracking  write-tracking  read-features  write-features
  load-tracking FILE  save-tracking FILE  load-features FILE  save-features FILE
  set ID=TEXT        type TEXT into the control with that id, replacing its text
  test-mode          the Enter Test Mode toggle
  report             the page's maintenance report lines
  history            the copies of the family's radio reads in the history folder
                     ($XDG_DATA_HOME/tunewright/history): path, radio, time (UTC)
  and the page's own buttons (listed below for each family that has them).

Output: each message box as it appears with its text and the answer given. With --json:
  {"family", "messages": [{"kind": "ok"|"yesno"|"okcancel", "text", "answer"}],
   "fields": {"<control id>": "<text>"}, "enabled": {"<control id>": bool},
   "report": [lines], "ok": bool}
Exit status: 0 every step succeeded, 1 a step failed (the run stops there), 2 usage error.
)";

struct Options {
    std::string device, ini, trace, radioType, family;
    int port = 0;
    bool hasPort = false, simulate = false, json = false, noHistory = false;
    CliUi::Answers answers = CliUi::Answers::Ask;
    sim::ModelOptions simOptions;
    std::vector<std::string> faults;
    std::vector<std::string> steps;
};

int usageError(const std::string& why) {
    std::cerr << "tunewright-cli: " << why << "\nTry 'tunewright-cli --help'.\n";
    return 2;
}

// Returns 0 when parsed, 1 for --help, 2 for a usage error.
int parse(int argc, char** argv, Options& o, std::string& why) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> positional;
    std::size_t i = 0;
    auto value = [&](const std::string& name, std::string& out) {
        if (i + 1 >= args.size()) {
            why = name + " needs a value";
            return false;
        }
        out = args[++i];
        return true;
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        // Options may also follow the family and the steps ("kvr get-status --yes").
        if (a.rfind("--", 0) != 0) {
            positional.push_back(a);
            continue;
        }
        std::string v;
        if (a == "--help") return 1;
        if (a == "--simulate")
            o.simulate = true;
        else if (a == "--json")
            o.json = true;
        else if (a == "--no-history")
            o.noHistory = true;
        else if (a == "--yes")
            o.answers = CliUi::Answers::Yes;
        else if (a == "--no")
            o.answers = CliUi::Answers::No;
        else if (a == "--device") {
            if (!value(a, o.device)) return 2;
        } else if (a == "--ini") {
            if (!value(a, o.ini)) return 2;
        } else if (a == "--trace") {
            if (!value(a, o.trace)) return 2;
        } else if (a == "--radio-type") {
            if (!value(a, o.radioType)) return 2;
        } else if (a == "--sim-fault") {
            if (!value(a, v)) return 2;
            o.faults.push_back(v);
        } else if (a == "--sim-option") {
            if (!value(a, v)) return 2;
            auto eq = v.find('=');
            if (eq == std::string::npos) {
                why = "--sim-option needs KEY=VALUE";
                return 2;
            }
            o.simOptions[v.substr(0, eq)] = v.substr(eq + 1);
        } else if (a == "--port") {
            if (!value(a, v)) return 2;
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < -1 || n > 99) {
                why = "--port needs a port number";
                return 2;
            }
            o.port = static_cast<int>(n);
            o.hasPort = true;
        } else {
            why = "unknown option " + a;
            return 2;
        }
    }
    if (positional.empty()) {
        why = "no FAMILY given";
        return 2;
    }
    o.family = positional.front();
    if (tabOfFamily(o.family) < 0) {
        why = "unknown family " + o.family;
        return 2;
    }
    o.steps.assign(positional.begin() + 1, positional.end());
    if (o.steps.empty()) {
        why = "no STEP given";
        return 2;
    }
    return 0;
}

struct Step {
    std::string name;
    std::vector<std::string> args;
};

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

bool isFileStep(const std::string& name) {
    return name == "load-tracking" || name == "save-tracking" || name == "load-features" ||
           name == "save-features";
}

// Splits the step words into steps with their arguments; false with `why` on a usage error.
bool groupSteps(const std::vector<std::string>& words, FamilyPage& page, std::vector<Step>& out,
                std::string& why) {
    const auto actions = page.actions();
    for (std::size_t i = 0; i < words.size(); ++i) {
        Step s{words[i], {}};
        int argc = -1;
        if (isFileStep(s.name) || s.name == "set")
            argc = 1;
        else if (s.name == "report" || s.name == "history")
            argc = 0;
        for (const auto& [name, cmd] : commandSteps())
            if (s.name == name && argc < 0) argc = 0;
        bool assignments = false;
        for (const auto& a : actions) {
            if (a.step != s.name) continue;
            assignments = a.argCount == PageAction::kAllAssignments;
            argc = assignments ? 0 : a.argCount;
        }
        if (argc < 0) {
            why = "unknown step " + s.name;
            return false;
        }
        for (int k = 0; k < argc; ++k) {
            if (i + 1 >= words.size()) {
                why = s.name + " needs " + std::to_string(argc) + " argument(s)";
                return false;
            }
            s.args.push_back(words[++i]);
        }
        // Step names hold no "=", so the words that do belong to this step.
        while (assignments && i + 1 < words.size() && words[i + 1].find('=') != std::string::npos)
            s.args.push_back(words[++i]);
        if (s.name == "set" && s.args[0].find('=') == std::string::npos) {
            why = "set needs ID=TEXT";
            return false;
        }
        out.push_back(std::move(s));
    }
    return true;
}

bool runStep(const Step& s, MainView& view, CliUi& ui, std::vector<std::string>& report,
             const Options& o, const AppState& app) {
    FamilyPage& page = view.selectedPage();
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
        return true;
    }
    if (s.name == "report") {
        report = view.reportLines();
        return true;
    }
    if (isFileStep(s.name)) ui.files.push_back(s.args[0]);
    for (const auto& [name, cmd] : commandSteps())
        if (s.name == name) return view.execute(cmd);
    for (const auto& a : page.actions()) {
        if (a.step != s.name) continue;
        if (a.dialogScript) ui.dialogScripts.push_back(a.dialogScript(s.args));
        return a.run(s.args);
    }
    return false;
}

void printJson(std::ostream& out, const Options& o, const CliUi& ui, const FamilyPage& page,
               const std::vector<std::string>& report, bool ok) {
    out << "{\"family\": " << cli::jsonString(o.family) << ", \"messages\": [";
    bool first = true;
    for (const auto& m : ui.shown()) {
        out << (first ? "" : ", ") << "{\"kind\": " << cli::jsonString(m.kind)
            << ", \"text\": " << cli::jsonString(m.text)
            << ", \"answer\": " << cli::jsonString(m.answer) << "}";
        first = false;
    }
    out << "], \"fields\": {";
    first = true;
    for (const auto& c : page.controls().all()) {
        if (!c.showsValue) continue;
        out << (first ? "" : ", ") << cli::jsonString(std::to_string(c.id)) << ": "
            << cli::jsonString(c.text);
        first = false;
    }
    out << "}, \"enabled\": {";
    first = true;
    for (const auto& c : page.controls().all()) {
        out << (first ? "" : ", ") << cli::jsonString(std::to_string(c.id)) << ": "
            << (c.enabled ? "true" : "false");
        first = false;
    }
    out << "}, \"report\": [";
    for (std::size_t i = 0; i < report.size(); ++i)
        out << (i ? ", " : "") << cli::jsonString(report[i]);
    out << "], \"ok\": " << (ok ? "true" : "false") << "}\n";
}

void printActions(Env& env) {
    std::cout << "\nPage steps by family:\n";
    auto pages = createFamilyPages(env);
    for (std::size_t t = 0; t < pages.size(); ++t) {
        for (const auto& a : pages[t]->actions()) {
            std::cout << "  " << tabInfos()[t].family << ": " << a.step
                      << (a.argsHelp.empty() ? "" : " " + a.argsHelp) << "  " << a.help << "\n";
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    Options o;
    std::string why;
    const int parsed = parse(argc, argv, o, why);

    CliUi ui(std::cout, std::cerr, o.json);
    ui.answers = o.answers;
    ui.terminal = isatty(STDIN_FILENO) != 0;

    Profile profile(o.ini.empty() ? Profile::defaultPath() : o.ini);
    std::unique_ptr<Clock> clock;
    std::unique_ptr<DeviceFactory> devices;
    if (parsed == 0 && o.simulate) {
        clock = std::make_unique<VirtualClock>();
        auto model = sim::createModel(o.family, o.simOptions);
        if (!model) return usageError("no simulated radio for family " + o.family);
        auto factory = std::make_unique<sim::SimDeviceFactory>(std::move(model), *clock);
        for (const auto& f : o.faults)
            if (!factory->faults().parse(f)) return usageError("unknown fault " + f);
        devices = std::move(factory);
    } else {
        clock = std::make_unique<SteadyClock>();
        devices = std::make_unique<QSerialDeviceFactory>();
    }
    SerialLink link(profile, *devices, *clock, ui);
    AppState app;
    app.simulated = o.simulate;
    app.keepHistory = !o.noHistory;
    Env env{ui, *clock, profile, link, app};

    if (parsed == 1) {
        std::cout << kUsage;
        printActions(env);
        return 0;
    }
    if (parsed == 2) return usageError(why);

    std::unique_ptr<Trace> trace;
    if (!o.trace.empty()) {
        trace = std::make_unique<Trace>(o.trace, *clock);
        if (!trace->isOpen()) return usageError("cannot write the trace file " + o.trace);
        link.setTrace(trace.get());
    }
    if (!o.device.empty()) link.ports().setRunDevice(o.device);
    if (o.simulate && o.device.empty()) link.ports().setRunDevice("simulated");
    app.currentPort =
        o.hasPort ? o.port
                  : profile.getInt(profile_keys::kCommSection, profile_keys::kPortNumber, -1);
    if (!o.radioType.empty())
        ui.standing["SelectRadioType"] = DialogScript{{{"type", o.radioType}}, "OK"};

    MainView view(env, createFamilyPages(env));
    view.selectTab(tabOfFamily(o.family));

    std::vector<Step> steps;
    if (!groupSteps(o.steps, view.selectedPage(), steps, why)) return usageError(why);

    std::vector<std::string> report;
    bool ok = true;
    for (const auto& s : steps) {
        ui.clearError();
        const bool stepOk = runStep(s, view, ui, report, o, app) && ui.error().empty();
        if (!ui.error().empty()) std::cerr << "tunewright-cli: " << ui.error() << "\n";
        if (!o.json && (s.name == "report" || s.name == "history"))
            for (const auto& line : report) std::cout << line << "\n";
        if (!stepOk) {
            if (!o.json) std::cout << "step " << s.name << " failed\n";
            ok = false;
            break;
        }
    }
    if (o.json) printJson(std::cout, o, ui, view.selectedPage(), report, ok);
    return ok ? 0 : 1;
}
