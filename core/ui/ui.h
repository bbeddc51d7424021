#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tw {

class Dialog;

// What a file dialog is asked to show. The filter uses the "Name|*.ext|Name|*.*||" form.
struct FileChoice {
    std::string filter;
    std::string defaultExtension;
    std::string initialDirectory;  // empty: the platform's default
    std::string initialName;
    bool overwritePrompt = false;
};

// The answer to edited values that are about to be lost.
enum class SaveAnswer { Save, Discard, Cancel };

// Everything a page flow may do to the technician at the bench. Nothing else in the core
// touches a screen, so every flow runs headless with scripted answers.
class Ui {
  public:
    virtual ~Ui() = default;

    // Modal box with an OK button; the text exactly as given, line breaks included.
    virtual void message(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;     // true: Yes
    virtual bool askOkCancel(const std::string& text) = 0;  // true: OK
    // A Yes/No question whose Yes puts what a radio holds at risk: a batch's answer to every
    // question does not answer it. Elsewhere it is asked as any other.
    virtual bool askRisky(const std::string& text) { return askYesNo(text); }
    // Edited values would be lost: save them first, let them go, or stop. Asked only by a
    // window, before it closes or loads a file over them.
    virtual SaveAnswer askSaveEdits(const std::string& text) {
        return askYesNo(text) ? SaveAnswer::Save : SaveAnswer::Discard;
    }

    // A path, or nothing when the technician cancels.
    virtual std::optional<std::string> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileChoice& choice) = 0;

    // A modal dialog whose logic lives in the core; returns true when it closed by its
    // default (OK-like) button. The dialog object reports what was chosen.
    virtual bool runDialog(Dialog& dialog) = 0;

    // The serial library's one-line status window.
    virtual void openStatus() = 0;
    virtual void setStatusText(const std::string& text) = 0;
    virtual void closeStatus() = 0;
    // How far the operation behind the status window is: `done` of `total` units (blocks,
    // bytes, polls). Never waits and costs the radio nothing; a front end may ignore it.
    // Each stage of an operation (an erase, then the blocks) starts again at (0, total) and
    // rises; (total, total) comes only when the stage has succeeded, a failure just stops.
    virtual void progress(long done, long total) {
        (void)done;
        (void)total;
    }

    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
    virtual void beep() = 0;

    // Background detail for a technician or a fault report (why a port did not open, ...).
    // Never modal; the GUI shows it in the status bar, the CLI on standard error.
    virtual void detail(const std::string& text) { (void)text; }

    // While held, the front end offers no Cancel: the radio is at a step that must not be
    // disrupted. A cancel asked for anyway (a signal) still waits at the link for the step.
    virtual void holdCancel(bool held) { (void)held; }
};

// Busy cursor for a scope: every exit of the scope ends it.
class BusyCursor {
  public:
    explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.beginBusy(); }
    ~BusyCursor() { ui_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    Ui& ui_;
};

// No Cancel offered for a scope; every exit offers it again.
class CancelHold {
  public:
    explicit CancelHold(Ui& ui) : ui_(ui) { ui_.holdCancel(true); }
    ~CancelHold() { ui_.holdCancel(false); }
    CancelHold(const CancelHold&) = delete;
    CancelHold& operator=(const CancelHold&) = delete;

  private:
    Ui& ui_;
};

// Status window for a scope; close() may come early, the destructor closes it if still open.
class StatusWindow {
  public:
    explicit StatusWindow(Ui& ui) : ui_(ui) { ui_.openStatus(); }
    ~StatusWindow() { close(); }
    void setText(const std::string& text) { ui_.setStatusText(text); }
    void progress(long done, long total) { ui_.progress(done, total); }
    void close() {
        if (open_) ui_.closeStatus();
        open_ = false;
    }
    StatusWindow(const StatusWindow&) = delete;
    StatusWindow& operator=(const StatusWindow&) = delete;

  private:
    Ui& ui_;
    bool open_ = true;
};

}  // namespace tw
