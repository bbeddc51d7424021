#include "cli/cli_ui.h"

#include <iostream>

namespace tw::cli {

// Every line goes out at once: a run cut short by a signal, or a pipe read while the run
// goes on, must see every message shown so far.
void CliUi::message(const std::string& text) {
    line_.clear();
    shown_.push_back({"ok", text, "ok"});
    if (!quiet_) out_ << "[message] " << text << "\n  -> ok\n" << std::flush;
}

void CliUi::setStatusText(const std::string& text) {
    line_.text(text);
}

void CliUi::closeStatus() {
    line_.clear();
}

void CliUi::progress(long done, long total) {
    line_.progress(done, total);
}

bool CliUi::ask(const char* kind, const std::string& text, const char* yes, const char* no) {
    bool answer = false;
    line_.clear();
    if (answers == Answers::Yes) {
        answer = true;
    } else if (answers == Answers::No) {
        answer = false;
    } else if (terminal) {
        err_ << text << "\n[" << yes << "/" << no << "] " << std::flush;
        std::string line;
        std::getline(std::cin, line);
        answer =
            !line.empty() && (line[0] == 'y' || line[0] == 'Y' || line[0] == 'o' || line[0] == 'O');
    } else {
        error_ = "A question needs an answer and there is no terminal: use --yes or --no.";
    }
    const std::string given = answer ? yes : no;
    shown_.push_back({kind, text, given});
    if (!quiet_) out_ << "[" << kind << "] " << text << "\n  -> " << given << "\n" << std::flush;
    return answer;
}

bool CliUi::askYesNo(const std::string& text) {
    return ask("yesno", text, "yes", "no");
}

bool CliUi::askRisky(const std::string& text) {
    if (answers != Answers::Yes) return ask("yesno", text, "yes", "no");
    if (terminal) {
        answers = Answers::Ask;
        const bool answer = ask("yesno", text, "yes", "no");
        answers = Answers::Yes;
        return answer;
    }
    line_.clear();
    shown_.push_back({"yesno", text, "no"});
    if (!quiet_)
        out_ << "[yesno] " << text << "\n  -> no (--yes does not answer this question)\n"
             << std::flush;
    return false;
}

bool CliUi::askOkCancel(const std::string& text) {
    return ask("okcancel", text, "ok", "cancel");
}

std::optional<std::string> CliUi::nextFile(const FileChoice& choice) {
    (void)choice;
    if (files.empty()) return std::nullopt;
    std::string f = files.front();
    files.pop_front();
    return f;
}

std::optional<std::string> CliUi::chooseOpenFile(const FileChoice& choice) {
    return nextFile(choice);
}

std::optional<std::string> CliUi::chooseSaveFile(const FileChoice& choice) {
    return nextFile(choice);
}

bool CliUi::runDialog(Dialog& dialog) {
    line_.clear();
    if (!quiet_) {
        out_ << "[dialog " << dialog.kind() << "]\n";
        for (const auto& line : dialog.describe()) out_ << "  " << line << "\n";
    }
    DialogScript script;
    if (!dialogScripts.empty()) {
        script = dialogScripts.front();
        dialogScripts.pop_front();
    } else if (auto it = standing.find(dialog.kind()); it != standing.end()) {
        script = it->second;
    }
    std::string problem;
    const bool accepted = applyDialogScript(dialog, script, &problem);
    if (!problem.empty()) error_ = problem;
    if (!quiet_) {
        for (const auto& [control, value] : script.settings)
            out_ << "  set " << control << "=" << value << "\n";
        out_ << "  press " << (script.button.empty() ? dialog.defaultButton() : script.button)
             << " -> " << (accepted ? "accepted" : "cancelled") << "\n"
             << std::flush;
    }
    return accepted;
}

void CliUi::detail(const std::string& text) {
    line_.clear();
    err_ << "tunewright-cli: " << text << "\n";
}

}  // namespace tw::cli
