#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/ui.h"

namespace tw {

// A Ui that answers from a script and records every act in order, for headless runs.
class ScriptedUi : public Ui {
  public:
    struct Event {
        std::string kind;  // ok yesno okcancel save-edits open save dialog status-open status
                           // status-close busy unbusy beep detail
        std::string text;  // message, status text, dialog kind or file filter
        std::string answer;
    };

    // Answers, consumed in order. When a queue is empty the default answer is used.
    std::deque<bool> answers;  // Yes/No and OK/Cancel alike
    bool defaultAnswer = true;
    // The questions whose Yes puts a radio's data at risk take their own answers, No unless
    // a test says otherwise.
    std::deque<bool> riskyAnswers;
    bool defaultRiskyAnswer = false;
    // The question about edits that would be lost ("save-edits" events).
    std::deque<SaveAnswer> saveAnswers;
    SaveAnswer defaultSaveAnswer = SaveAnswer::Discard;
    std::deque<std::optional<std::string>> files;  // open and save alike; nullopt = Cancel
    // Dialogs: onDialog if set, else the next script, else the dialog is cancelled.
    std::function<bool(Dialog&)> onDialog;
    std::deque<DialogScript> dialogScripts;

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askRisky(const std::string& text) override;
    SaveAnswer askSaveEdits(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    bool runDialog(Dialog& dialog) override;
    void openStatus() override;
    void setStatusText(const std::string& text) override;
    void closeStatus() override;
    void progress(long done, long total) override;
    void beginBusy() override;
    void endBusy() override;
    void beep() override;
    void detail(const std::string& text) override;
    void holdCancel(bool held) override { cancelHolds_.push_back(held); }
    // Each hold (true) and release (false) of Cancel, in order; apart from events().
    const std::vector<bool>& cancelHolds() const { return cancelHolds_; }

    const std::vector<Event>& events() const { return events_; }
    // Texts of the modal boxes (OK, Yes/No, OK/Cancel) in the order shown.
    std::vector<std::string> messages() const;
    // Texts of the status window, in order.
    std::vector<std::string> statusTexts() const;
    const std::vector<FileChoice>& fileChoices() const { return fileChoices_; }
    // Every progress report, in order; kept apart from events() so they can be checked on
    // their own.
    const std::vector<std::pair<long, long>>& progressMarks() const { return progress_; }
    int busyDepth() const { return busy_; }
    bool statusOpen() const { return statusOpen_; }
    void clear();

  private:
    bool nextAnswer();
    std::optional<std::string> nextFile(const char* kind, const FileChoice& choice);
    std::vector<Event> events_;
    std::vector<FileChoice> fileChoices_;
    std::vector<std::pair<long, long>> progress_;
    std::vector<bool> cancelHolds_;
    int busy_ = 0;
    bool statusOpen_ = false;
};

}  // namespace tw
