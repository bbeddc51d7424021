#include "cli/cli_ui.h"

#include <iostream>

namespace tw::cli {

void CliUi::message(const std::string& text) {
    shown_.push_back({"ok", text, "ok"});
    if (!quiet_) out_ << "[message] " << text << "\n  -> ok\n";
}

bool CliUi::ask(const char* kind, const std::string& text, const char* yes, const char* no) {
    bool answer = false;
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
    if (!quiet_) out_ << "[" << kind << "] " << text << "\n  -> " << given << "\n";
    return answer;
}

bool CliUi::askYesNo(const std::string& text) {
    return ask("yesno", text, "yes", "no");
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
             << " -> " << (accepted ? "accepted" : "cancelled") << "\n";
    }
    return accepted;
}

void CliUi::detail(const std::string& text) {
    err_ << "tunewright-cli: " << text << "\n";
}

}  // namespace tw::cli
