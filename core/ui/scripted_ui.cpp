#include "ui/scripted_ui.h"

namespace tw {

bool ScriptedUi::nextAnswer() {
    if (answers.empty()) return defaultAnswer;
    bool a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedUi::message(const std::string& text) {
    events_.push_back({"ok", text, "ok"});
}

bool ScriptedUi::askYesNo(const std::string& text) {
    bool a = nextAnswer();
    events_.push_back({"yesno", text, a ? "yes" : "no"});
    return a;
}

bool ScriptedUi::askRisky(const std::string& text) {
    bool a = defaultRiskyAnswer;
    if (!riskyAnswers.empty()) {
        a = riskyAnswers.front();
        riskyAnswers.pop_front();
    }
    events_.push_back({"yesno", text, a ? "yes" : "no"});
    return a;
}

SaveAnswer ScriptedUi::askSaveEdits(const std::string& text) {
    SaveAnswer a = defaultSaveAnswer;
    if (!saveAnswers.empty()) {
        a = saveAnswers.front();
        saveAnswers.pop_front();
    }
    static const char* const kNames[] = {"save", "discard", "cancel"};
    events_.push_back({"save-edits", text, kNames[static_cast<int>(a)]});
    return a;
}

bool ScriptedUi::askOkCancel(const std::string& text) {
    bool a = nextAnswer();
    events_.push_back({"okcancel", text, a ? "ok" : "cancel"});
    return a;
}

std::optional<std::string> ScriptedUi::nextFile(const char* kind, const FileChoice& choice) {
    fileChoices_.push_back(choice);
    std::optional<std::string> f;
    if (!files.empty()) {
        f = files.front();
        files.pop_front();
    }
    events_.push_back({kind, choice.filter, f ? *f : "cancel"});
    return f;
}

std::optional<std::string> ScriptedUi::chooseOpenFile(const FileChoice& choice) {
    return nextFile("open", choice);
}

std::optional<std::string> ScriptedUi::chooseSaveFile(const FileChoice& choice) {
    return nextFile("save", choice);
}

bool ScriptedUi::runDialog(Dialog& dialog) {
    bool ok = false;
    if (onDialog) {
        ok = onDialog(dialog);
    } else if (!dialogScripts.empty()) {
        DialogScript script = dialogScripts.front();
        dialogScripts.pop_front();
        ok = applyDialogScript(dialog, script);
    } else {
        bool ignored = false;
        dialog.press("Cancel", ignored);
    }
    events_.push_back({"dialog", dialog.kind(), ok ? "ok" : "cancel"});
    return ok;
}

void ScriptedUi::openStatus() {
    statusOpen_ = true;
    events_.push_back({"status-open", {}, {}});
}

void ScriptedUi::setStatusText(const std::string& text) {
    events_.push_back({"status", text, {}});
}

void ScriptedUi::closeStatus() {
    statusOpen_ = false;
    events_.push_back({"status-close", {}, {}});
}

void ScriptedUi::progress(long done, long total) {
    progress_.emplace_back(done, total);
}

void ScriptedUi::beginBusy() {
    ++busy_;
    events_.push_back({"busy", {}, {}});
}

void ScriptedUi::endBusy() {
    --busy_;
    events_.push_back({"unbusy", {}, {}});
}

void ScriptedUi::beep() {
    events_.push_back({"beep", {}, {}});
}

void ScriptedUi::detail(const std::string& text) {
    events_.push_back({"detail", text, {}});
}

std::vector<std::string> ScriptedUi::messages() const {
    std::vector<std::string> out;
    for (const auto& e : events_)
        if (e.kind == "ok" || e.kind == "yesno" || e.kind == "okcancel" || e.kind == "save-edits")
            out.push_back(e.text);
    return out;
}

std::vector<std::string> ScriptedUi::statusTexts() const {
    std::vector<std::string> out;
    for (const auto& e : events_)
        if (e.kind == "status") out.push_back(e.text);
    return out;
}

void ScriptedUi::clear() {
    events_.clear();
    fileChoices_.clear();
    progress_.clear();
}

}  // namespace tw
