#include "testtune/timed_test_page.h"

#include <algorithm>

namespace tw::testtune {

CTimedTestPage::CTimedTestPage(CTestSheet& sheet, std::string title, TimedTest test)
    : CTestPage(sheet, std::move(title)), test_(std::move(test)) {}

bool CTimedTestPage::OnCommand(int id) {
    if (std::find(test_.starts.begin(), test_.starts.end(), id) == test_.starts.end())
        return OnOtherCommand(id);
    start(id);
    return true;
}

void CTimedTestPage::start(int id) {
    if (!Resync(test_.lost)) return;
    // A page that gives the wizard back after a failed set-up holds it during the set-up.
    const bool holdDuringSetup = test_.lost.buttons != 0;
    if (holdDuringSetup) SetWizardButtons(kWizDisabledFinish);
    if (!setUp(id)) {
        // A set-up that failed half way may have keyed the transmitter.
        unkeyTransmitter();
        if (holdDuringSetup) SetWizardButtons(test_.lost.buttons);
        return;
    }
    showRunning(id);
    for (const int start : test_.starts) controls().setEnabled(start, false);
    controls().setEnabled(stopId(), true);
    startTimer(test_.timer, test_.timeoutMs);
    if (!holdDuringSetup) SetWizardButtons(kWizDisabledFinish);
    beginTest(id);
}

void CTimedTestPage::OnTimer(int id) {
    if (id != test_.timer) return OnOtherTimer(id);
    if (!running()) return;
    // Stop first: nothing stays keyed or unmuted while the message waits for OK.
    OnStop();
    message(test_.timedOut);
}

void CTimedTestPage::OnStop() {
    const bool wasRunning = running();
    // Start and Stop change over before the radio is told, so that a message the finishing
    // sequence shows stands over an idle page.
    for (const int start : test_.starts) controls().setEnabled(start, true);
    controls().setEnabled(stopId(), false);
    KillTimer(test_.timer);
    link().requestAbort();
    bool finished = true;
    if (wasRunning) {
        finished = finish();
        // Last, and whether the finishing sequence went through or not.
        const bool off = test_.unkeyAlways ? forceUnkey() : unkeyTransmitter();
        finished = finished && off;
    }
    stopped(finished);
    SetWizardButtons(test_.stopButtons);
}

}  // namespace tw::testtune
