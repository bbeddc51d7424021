#include "run/radio_operation.h"

#include "link/serial_link.h"

namespace tw {

std::string cancelConsequence(RadioWork work) {
    switch (work) {
        case RadioWork::Write:
            return "The radio may hold part of the new data.";
        case RadioWork::Flash:
            return "The radio's program code is half-written: flash it again before use.";
        case RadioWork::Read:
            break;
    }
    return "";
}

std::string cancelNotice(RadioWork work) {
    const std::string consequence = cancelConsequence(work);
    return "The operation was cancelled." + (consequence.empty() ? "" : "\n" + consequence);
}

bool CancellableUi::cancelled() const {
    return link_.cancelled();
}

void CancellableUi::message(const std::string& text) {
    if (cancelled())
        target_.detail(text);
    else
        target_.message(text);
}

bool CancellableUi::askYesNo(const std::string& text) {
    return !cancelled() && target_.askYesNo(text);
}

bool CancellableUi::askOkCancel(const std::string& text) {
    return !cancelled() && target_.askOkCancel(text);
}

std::optional<std::string> CancellableUi::chooseOpenFile(const FileChoice& choice) {
    if (cancelled()) return std::nullopt;
    return target_.chooseOpenFile(choice);
}

std::optional<std::string> CancellableUi::chooseSaveFile(const FileChoice& choice) {
    if (cancelled()) return std::nullopt;
    return target_.chooseSaveFile(choice);
}

bool CancellableUi::runDialog(Dialog& dialog) {
    return !cancelled() && target_.runDialog(dialog);
}

OperationOutcome runRadioOperation(SerialLink& link, CancelSignal& cancel, Ui& notify,
                                   RadioWork work, const std::function<bool()>& operation) {
    link.setCancelSignal(&cancel);
    link.beginOperation();
    OperationOutcome outcome;
    outcome.ok = operation();
    outcome.cancelled = link.endOperation();
    link.setCancelSignal(nullptr);
    if (outcome.cancelled) {
        outcome.ok = false;
        notify.message(cancelNotice(work));
    }
    return outcome;
}

}  // namespace tw
