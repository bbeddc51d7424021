#pragma once

#include <functional>
#include <string>

#include "link/cancel.h"
#include "run/radio_work.h"
#include "ui/ui.h"

namespace tw {

class SerialLink;

// What the radio may hold after a cancel of such work ("" when nothing changed).
std::string cancelConsequence(RadioWork work);
// The one message a cancelled operation shows instead of its own failure messages.
std::string cancelNotice(RadioWork work);

// The Ui of flows that may be cancelled. Until the cancel takes effect on the link it passes
// every act through; from then on the flow's own messages (line-fault messages that would
// only mislead) are not shown but kept as details, questions get No or Cancel, file choices
// nothing and dialogs Cancel, so the flow ends on its own failure path without asking
// anything. The status window, progress, busy cursor and details always pass.
class CancellableUi : public Ui {
  public:
    CancellableUi(Ui& target, const SerialLink& link) : target_(target), link_(link) {}

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    bool askRisky(const std::string& text) override {
        return !cancelled() && target_.askRisky(text);
    }
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    bool runDialog(Dialog& dialog) override;
    void openStatus() override { target_.openStatus(); }
    void setStatusText(const std::string& text) override { target_.setStatusText(text); }
    void closeStatus() override { target_.closeStatus(); }
    void progress(long done, long total) override { target_.progress(done, total); }
    void beginBusy() override { target_.beginBusy(); }
    void endBusy() override { target_.endBusy(); }
    void beep() override { target_.beep(); }
    void detail(const std::string& text) override { target_.detail(text); }
    void holdCancel(bool held) override { target_.holdCancel(held); }

  private:
    bool cancelled() const;
    Ui& target_;
    const SerialLink& link_;
};

struct OperationOutcome {
    bool ok = false;
    bool cancelled = false;
};

// Carries out one radio operation on `link`, answering to `cancel` (a cancel already raised
// stops it at its first call: the front end resets the signal when it means a fresh start),
// ports it leaves open after a cancel are finished and closed, and a cancelled operation
// tells the technician through `notify` (which must not be the CancellableUi itself) what
// the radio may hold now. A cancelled operation never succeeds.
OperationOutcome runRadioOperation(SerialLink& link, CancelSignal& cancel, Ui& notify,
                                   RadioWork work, const std::function<bool()>& operation);

}  // namespace tw
