// tunewright-host: loads the personality plug-in and drives its exports step by step, as a
// personality-programming application would, on one held personality.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/cli_ui.h"
#include "cli/interrupts.h"
#include "cli/json.h"
#include "host_page.h"
#include "host_steps.h"
#include "plugin/store/personality.h"
#include "plugin/store/personality_json.h"
#include "plugin_api.h"
#include "util/file_io.h"

namespace {

using namespace tw;
using namespace tw::host;
using cli::CliUi;

const char* kUsage = R"(Usage: tunewright-host [options] STEP [STEP ...]

Loads the personality plug-in and runs its exports in order on one personality.

Options:
  --plugin PATH      the plug-in (default: libtunewright-plugin.so beside this program)
  --device PATH      the device of port 1 (default: "Port Devices" COM1 of the profile,
                     else /dev/ttyUSB0)
  --ini PATH         the profile file (default: $XDG_CONFIG_HOME/tunewright/novac4.ini)
  --dump-dir DIR     where "read.hex" and "write.hex" go (default:
                     $XDG_STATE_HOME/tunewright, ~/.local/state/tunewright when unset)
  --yes | --no       the answer to every question; without them the terminal is asked
  --no-copy-before-write
                     write to a radio even when the copy of what it held could not be
                     read or kept (otherwise asked; --yes does not answer that question)
  --json             print one JSON object at the end instead of the running output
  --help             this text

Progress: on a terminal (without --json) a radio transfer draws one line on standard error.
Ctrl-C (SIGINT) or SIGTERM stops the running transfer at its next command boundary (a write
command and its data still go out whole), closes the port and ends the run; a second one
only says the program is finishing.
Exit status: 0 every step ran, 1 a step failed (the run stops there) or the plug-in could not
  be loaded, 2 usage error, 3 every step ran and the last diff found differences, 130 or 143
  the run was cancelled by SIGINT or SIGTERM.

)";

// The last diff step found differences and every step ran.
constexpr int kExitDiffers = 3;

struct Options {
    std::string plugin, device, ini, dumpDir;
    bool json = false, noCopyBeforeWrite = false;
    CliUi::Answers answers = CliUi::Answers::Ask;
    std::vector<std::string> words;
};

int usageError(const std::string& why) {
    std::cerr << "tunewright-host: " << why << "\nTry 'tunewright-host --help'.\n";
    return 2;
}

int parse(int argc, char** argv, Options& o, std::string& why) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return why = a + " needs a value", false;
            out = args[++i];
            return true;
        };
        if (a == "--help") return 1;
        if (a == "--json")
            o.json = true;
        else if (a == "--yes")
            o.answers = CliUi::Answers::Yes;
        else if (a == "--no")
            o.answers = CliUi::Answers::No;
        else if (a == "--no-copy-before-write")
            o.noCopyBeforeWrite = true;
        else if (a == "--plugin") {
            if (!value(o.plugin)) return 2;
        } else if (a == "--device") {
            if (!value(o.device)) return 2;
        } else if (a == "--ini") {
            if (!value(o.ini)) return 2;
        } else if (a == "--dump-dir") {
            if (!value(o.dumpDir)) return 2;
        } else if (a == "--desc" || a == "--id-override") {
            // Options of the step before them.
            o.words.push_back(a);
            if (i + 1 < args.size()) o.words.push_back(args[++i]);
        } else if (a.rfind("--", 0) == 0) {
            why = "unknown option " + a;
            return 2;
        } else {
            o.words.push_back(a);
        }
    }
    return 0;
}

// What the run prints: lines per step, and details the plug-in reports. Each line goes out
// at once, so a run cut short by a signal, or a pipe read while the run goes on, sees every
// line printed so far; a progress line on the terminal is cleared first.
struct Output {
    Output(CliUi& shown, bool quiet) : ui(shown), json(quiet) {}
    CliUi& ui;
    bool json;
    std::vector<std::string> lines, details;
    void line(const std::string& text) {
        lines.push_back(text);
        print(text);
    }
    void detail(const std::string& text) {
        details.push_back(text);
        print("[detail] " + text);
    }
    void print(const std::string& text) const {
        if (json) return;
        ui.clearProgress();
        std::cout << text << "\n" << std::flush;
    }
};

const char* outcomeText(int outcome) {
    switch (outcome) {
        case TW_OUTCOME_DONE:
            return "done";
        case TW_OUTCOME_REFUSED:
            return "refused";
        case TW_OUTCOME_CANCELLED:
            return "cancelled";
        default:
            return "failed";
    }
}

std::string quoted(const std::string& s) {
    return cli::jsonString(s);
}

struct Run {
    const PluginApi& api;
    CliUi& ui;
    Output& out;
    std::unique_ptr<CPersonality> personality = std::make_unique<CPersonality>();
    // What the last diff step found; none before the first.
    std::optional<std::vector<json::Difference>> lastDiff = std::nullopt;

    // False when the step failed (a transfer not done).
    bool step(const Step& s) {
        const auto& a = s.args;
        if (s.name == "type") {
            out.line("type " + a[0] + ": " +
                     std::to_string(api.isTransForId(
                         static_cast<std::uint16_t>(static_cast<unsigned char>(a[0][0])))));
        } else if (s.name == "tabs") {
            std::vector<std::uint32_t> tabs;
            TwDwordArray array{
                TW_HOST_OBJECT_VERSION, &tabs,
                [](void* c, unsigned n) { static_cast<std::vector<std::uint32_t>*>(c)->resize(n); },
                [](void* c, unsigned i, std::uint32_t v) {
                    auto* t = static_cast<std::vector<std::uint32_t>*>(c);
                    if (i < t->size()) (*t)[i] = v;
                }};
            api.addTabs(&array);
            std::string line = "tabs:";
            for (auto t : tabs) line += " " + std::to_string(t);
            out.line(line);
        } else if (s.name == "pages") {
            std::vector<std::pair<std::string, std::uint32_t>> pages;
            TwListBox box{
                TW_HOST_OBJECT_VERSION, &pages,
                [](void* c, const char* t) {
                    auto* p = static_cast<std::vector<std::pair<std::string, std::uint32_t>>*>(c);
                    p->emplace_back(t, 0);
                    return static_cast<int>(p->size() - 1);
                },
                [](void* c, int i, std::uint32_t d) {
                    auto* p = static_cast<std::vector<std::pair<std::string, std::uint32_t>>*>(c);
                    if (i >= 0 && static_cast<std::size_t>(i) < p->size())
                        (*p)[static_cast<std::size_t>(i)].second = d;
                }};
            api.addDlgs(static_cast<unsigned>(std::stoul(a[0])), &box);
            out.line("pages " + a[0] + ": " + std::to_string(pages.size()));
            for (const auto& [title, id] : pages)
                out.line("  " + std::to_string(id) + " " + quoted(title));
        } else if (s.name == "trap") {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%08x",
                          api.getControlTrap(std::stoi(a[0]), std::stoi(a[1])));
            out.line("trap " + a[0] + " " + a[1] + ": " + buf);
        } else if (s.name == "range") {
            double lo = 0, hi = 0, inc = 0;
            const int r = api.getRange(std::stoi(a[0]), std::stoi(a[1]), &lo, &hi, &inc);
            std::ostringstream line;
            line << "range " << a[0] << " " << a[1] << ": " << r;
            if (r) line << " " << lo << " " << hi << " " << inc;
            out.line(line.str());
        } else if (s.name == "init" || s.name == "validate" || s.name == "conv-channel") {
            return pageStep(s);
        } else if (s.name == "new") {
            double limits[4];
            if (!bandLimitsFor(std::stoi(a[1]), limits)) {
                out.line("new: no band code " + a[1] + " (1, 2, 5, 7, 11, 12 or 13)");
                return false;
            }
            personality = std::make_unique<CPersonality>(
                static_cast<std::uint16_t>(static_cast<unsigned char>(a[0][0])), std::string());
            for (int i = 0; i < 4; ++i)
                personality->bandLimits[static_cast<std::size_t>(i)] = limits[i];
            out.line("new " + a[0] + " band " + a[1]);
        } else if (s.name == "read-radio" || s.name == "write-radio" || s.name == "read-file" ||
                   s.name == "write-file") {
            return transfer(s);
        } else if (s.name == "load" || s.name == "save" || s.name == "set" || s.name == "diff") {
            return jsonStep(s);
        } else if (s.name == "show") {
            std::istringstream text(personalityToJson(*personality));
            for (std::string l; std::getline(text, l);) out.line(l);
        }
        return true;
    }

    // Files of a few megabytes at most: a personality's JSON is far smaller.
    static constexpr std::size_t kMaxJsonFile = 16u << 20;

    bool jsonStep(const Step& s) {
        const std::string& arg = s.args[0];
        std::string error;
        auto fresh = std::make_unique<CPersonality>();
        if (s.name == "save") {
            if (!saveFileAtomically(arg, personalityToJson(*personality))) {
                out.line("save: cannot write " + arg + ": " + std::strerror(errno));
                return false;
            }
            out.line("save " + arg + ": done");
            return true;
        }
        if (s.name == "load" || s.name == "diff") {
            const auto size = fileSize(arg);
            std::optional<std::vector<std::uint8_t>> bytes;
            errno = 0;
            if (size && *size <= kMaxJsonFile) bytes = loadWholeFile(arg, *size);
            if (!bytes) {
                out.line(s.name + ": cannot read " + arg + ": " +
                         (!size                  ? std::string("no such file")
                          : *size > kMaxJsonFile ? std::string("larger than 16 MiB")
                                                 : std::string(std::strerror(errno))));
                return false;
            }
            if (!personalityFromJson(std::string(bytes->begin(), bytes->end()), *fresh, error)) {
                out.line(s.name + " " + arg + ": " + error);
                return false;
            }
            if (s.name == "diff") return diff(arg, *fresh);
            out.line("load " + arg + ": done");
        } else {
            const std::size_t eq = arg.find('=');
            const std::string pointer = arg.substr(0, eq);
            const auto value = json::parse(arg.substr(eq + 1), error);
            json::Value doc = personalityToJsonValue(*personality);
            if (!value || !json::setAt(doc, pointer, *value, error) ||
                !personalityFromJsonValue(doc, *fresh, error)) {
                out.line("set " + pointer + ": " + (value ? error : "not JSON: " + error));
                return false;
            }
            out.line("set " + pointer + ": done");
        }
        personality = std::move(fresh);
        return true;
    }

    // The file is compared as load reads it, written back as save would write it: what it
    // leaves out counts as the empty value load gives it, and no spelling of a number
    // differs from another. The held personality stays as it is.
    bool diff(const std::string& path, const CPersonality& file) {
        lastDiff =
            json::differences(personalityToJsonValue(*personality), personalityToJsonValue(file));
        const std::size_t n = lastDiff->size();
        out.line("diff " + path + ": " +
                 (n == 0   ? std::string("same")
                  : n == 1 ? std::string("1 difference")
                           : std::to_string(n) + " differences"));
        for (const auto& d : *lastDiff) out.line("  " + json::describe(d));
        return true;
    }

    bool pageStep(const Step& s) {
        HostPage page;
        const bool conv = s.name == "conv-channel";
        for (std::size_t i = conv ? 0 : 2; i < s.args.size(); ++i) {
            std::string why;
            if (!page.add(s.args[i], why)) {
                out.line(s.name + ": " + why);
                return false;
            }
        }
        TwControlList* list = page.list();
        int r = 0;
        std::string label = s.name;
        if (conv) {
            r = api.validateConvChannel(personality.get(), list);
        } else {
            const int d = std::stoi(s.args[0]), c = std::stoi(s.args[1]);
            label += " " + s.args[0] + " " + s.args[1];
            TwControl* window = nullptr;
            for (int i = 0; i < list->count; ++i)
                if (list->controls[i]->id == c) window = list->controls[i];
            TwControl none{};
            none.id = c;
            r = s.name == "init"
                    ? api.initControl(d, c, window ? window : &none, list, personality.get())
                    : api.validateField(d, c, list, personality.get());
        }
        out.line(label + ": " + std::to_string(r));
        for (const auto& change : page.changes()) out.line("  " + change);
        return true;
    }

    bool transfer(const Step& s) {
        unsigned char desc[5] = {};
        const bool file = s.name == "read-file" || s.name == "write-file";
        if (!parseDescription(s.desc, personality->radioType, desc)) {
            out.line(s.name + ": bad --desc " + s.desc);
            return false;
        }
        const char* path = file ? s.args[0].c_str() : nullptr;
        if (s.name == "read-radio" || s.name == "read-file")
            api.readPers(personality.get(), file ? 0 : 1, path, desc);
        else
            api.writePers(
                personality.get(),
                s.idOverride.empty() ? 0u : static_cast<unsigned>(std::stoul(s.idOverride)),
                file ? 0 : 1, path, desc);
        const int outcome = api.lastOutcome();
        out.line(s.name + ": " + outcomeText(outcome));
        return outcome == TW_OUTCOME_DONE;
    }
};

void printJson(const CliUi& ui, const Output& out,
               const std::optional<std::vector<json::Difference>>& diff, bool ok) {
    std::ostream& s = std::cout;
    s << "{\"messages\": [";
    for (std::size_t i = 0; i < ui.shown().size(); ++i) {
        const auto& m = ui.shown()[i];
        s << (i ? ", " : "") << "{\"kind\": " << quoted(m.kind) << ", \"text\": " << quoted(m.text)
          << ", \"answer\": " << quoted(m.answer) << "}";
    }
    s << "], \"output\": [";
    for (std::size_t i = 0; i < out.lines.size(); ++i) s << (i ? ", " : "") << quoted(out.lines[i]);
    s << "], \"details\": [";
    for (std::size_t i = 0; i < out.details.size(); ++i)
        s << (i ? ", " : "") << quoted(out.details[i]);
    // Only a run with a diff step has the member: other runs print what they always did.
    if (diff) {
        s << "], \"differences\": [";
        for (std::size_t i = 0; i < diff->size(); ++i) {
            const json::Difference& d = (*diff)[i];
            s << (i ? ", " : "") << "{\"op\": " << quoted(json::opName(d.op))
              << ", \"path\": " << quoted(d.path);
            if (d.held) s << ", \"held\": " << json::writeCompact(*d.held);
            if (d.file) s << ", \"file\": " << json::writeCompact(*d.file);
            s << "}";
        }
    }
    s << "], \"ok\": " << (ok ? "true" : "false") << "}\n";
}

// What a cancelled step may have left in the radio.
RadioWork workOfStep(const std::string& step) {
    return step == "write-radio" ? RadioWork::Write : RadioWork::Read;
}

struct HostContext {
    CliUi* ui;
    Output* out;
    const CancelSignal* cancel;
};

}  // namespace

int main(int argc, char** argv) {
    Options o;
    std::string why;
    const int parsed = parse(argc, argv, o, why);
    if (parsed == 1) {
        std::cout << kUsage << kStepsHelp;
        return 0;
    }
    if (parsed == 2) return usageError(why);
    std::vector<Step> steps;
    if (!groupSteps(o.words, steps, why)) return usageError(why);
    if (steps.empty()) return usageError("no steps");

    LoadedPlugin plugin;
    if (!plugin.load(o.plugin.empty() ? defaultPluginPath() : o.plugin, why)) {
        std::cerr << "tunewright-host: " << why << "\n";
        return 1;
    }
    CliUi ui(std::cout, std::cerr, o.json);
    ui.answers = o.answers;
    ui.terminal = isatty(STDIN_FILENO) != 0;
    ui.showProgress(!o.json && isatty(STDERR_FILENO) != 0);
    CancelSignal cancel;
    cli::cancelOnSignals(cancel, "tunewright-host");
    Output out(ui, o.json);
    HostContext context{&ui, &out, &cancel};
    TwHost host{};
    host.version = TW_HOST_OBJECT_VERSION;
    host.context = &context;
    host.message = [](void* c, const char* t) { static_cast<HostContext*>(c)->ui->message(t); };
    host.askYesNo = [](void* c, const char* t) {
        return static_cast<HostContext*>(c)->ui->askYesNo(t) ? 1 : 0;
    };
    // --yes does not answer it: a terminal is asked, else the answer is No.
    host.askRisky = [](void* c, const char* t) {
        return static_cast<HostContext*>(c)->ui->askRisky(t) ? 1 : 0;
    };
    host.writeWithoutCopy = o.noCopyBeforeWrite ? 1 : 0;
    host.detail = [](void* c, const char* t) { static_cast<HostContext*>(c)->out->detail(t); };
    // The status window becomes the progress line (drawn only on a terminal).
    host.statusText = [](void* c, const char* t) {
        static_cast<HostContext*>(c)->ui->setStatusText(t);
    };
    host.statusClose = [](void* c) { static_cast<HostContext*>(c)->ui->closeStatus(); };
    host.progress = [](void* c, long done, long total) {
        static_cast<HostContext*>(c)->ui->progress(done, total);
    };
    host.cancelRequested = [](void* c) {
        return static_cast<HostContext*>(c)->cancel->requested() ? 1 : 0;
    };
    host.device = o.device.c_str();
    host.profile = o.ini.c_str();
    host.dumpFolder = o.dumpDir.c_str();
    plugin.api().setHost(&host);

    Run run{plugin.api(), ui, out};
    bool ok = true;
    int stoppedBy = 0;
    for (const Step& s : steps) {
        ui.clearError();
        const bool stepOk = run.step(s) && ui.error().empty();
        ui.clearProgress();
        // A signal ends the run after the step it came in (a transfer stops early): the last
        // line says what was cancelled and what the radio may hold.
        if (cli::caughtSignal() != 0) {
            stoppedBy = cli::caughtSignal();
            ok = false;
            std::cerr << cli::cancelledRunLine("tunewright-host", s.name, workOfStep(s.name),
                                               stoppedBy)
                      << "\n";
            break;
        }
        if (!ui.error().empty()) std::cerr << "tunewright-host: " << ui.error() << "\n";
        if (!stepOk) {
            if (!o.json) std::cout << "step " << s.name << " failed\n" << std::flush;
            ok = false;
            break;
        }
    }
    if (o.json) printJson(ui, out, run.lastDiff, ok);
    plugin.api().setHost(nullptr);
    if (stoppedBy != 0) return cli::signalExitStatus(stoppedBy);
    if (!ok) return 1;
    return run.lastDiff && !run.lastDiff->empty() ? kExitDiffers : 0;
}
