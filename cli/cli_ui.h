#pragma once

#include <deque>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/terminal_progress.h"
#include "ui/dialog.h"
#include "ui/ui.h"

namespace tw::cli {

// The technician's side for a headless run: message boxes are printed, questions answered
// from --yes/--no or the terminal, files and dialogs from what the current step supplies.
class CliUi : public Ui {
  public:
    enum class Answers { Ask, Yes, No };

    struct Shown {
        std::string kind;  // "ok", "yesno", "okcancel"
        std::string text;
        std::string answer;
    };

    CliUi(std::ostream& out, std::ostream& err, bool quiet) : out_(out), err_(err), quiet_(quiet) {}

    Answers answers = Answers::Ask;
    bool terminal = false;  // standard input is a terminal that can be asked

    std::deque<std::string> files;                 // the next file dialog's answer
    std::deque<DialogScript> dialogScripts;        // the next dialogs' answers
    std::map<std::string, DialogScript> standing;  // answer for every dialog of a kind

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    // --yes does not answer it: a terminal is asked, else the answer is No.
    bool askRisky(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    bool runDialog(Dialog& dialog) override;
    // The status window becomes one progress line on the terminal, when there is one.
    void openStatus() override {}
    void setStatusText(const std::string& text) override;
    void closeStatus() override;
    void progress(long done, long total) override;
    // Draws progress on standard error (a terminal, without --json).
    void showProgress(bool on) { line_.enable(on); }
    // Removes the progress line before output of the caller's own reaches the terminal.
    void clearProgress() { line_.clear(); }
    void beginBusy() override {}
    void endBusy() override {}
    void beep() override {}
    void detail(const std::string& text) override;

    const std::vector<Shown>& shown() const { return shown_; }
    // Set when a question could not be answered; the step then fails.
    const std::string& error() const { return error_; }
    void clearError() { error_.clear(); }

  private:
    bool ask(const char* kind, const std::string& text, const char* yes, const char* no);
    std::optional<std::string> nextFile(const FileChoice& choice);

    std::ostream& out_;
    std::ostream& err_;
    bool quiet_;
    TerminalProgress line_{err_, false};
    std::vector<Shown> shown_;
    std::string error_;
};

}  // namespace tw::cli
