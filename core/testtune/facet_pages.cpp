#include "testtune/facet_pages.h"

#include "testtune/hdt_reply.h"
#include "testtune/key_map.h"
#include "testtune/test_sheet.h"
#include "util/text.h"

namespace tw::testtune {
namespace {

// A radio test on the user-interface thread: a failed transaction is a lost link.
enum class Outcome { Passed, Failed, Lost };

}  // namespace

// ---- Keypad, knob, volume ----

CKeypadPage::CKeypadPage(CTestSheet& sheet) : CTestPage(sheet, "General User Input Tests") {
    addButton(kKeypad, "Keypad Test");
    addButton(kKnob, "Rotary Knob Test");
    addButton(kVolume, "Volume Control Test");
    addControl(kKeypadStatus, kPending);
    addControl(kKnobStatus, kPending);
    addControl(kVolumeStatus, kPending);
}

CKeypadPage::~CKeypadPage() {
    if (dialog_) {
        dialog_->Close();
        if (sheet_.testDialog() == dialog_.get()) sheet_.setTestDialog(nullptr);
    }
}

bool CKeypadPage::OnCommand(int id) {
    if (sheet_.testDialog()) return false;
    switch (id) {
        case kKeypad:
            start(StreamKind::Keypad, kKeypadStatus);
            return true;
        case kKnob:
            start(StreamKind::Knob, kKnobStatus);
            return true;
        case kVolume:
            start(StreamKind::Volume, kVolumeStatus);
            return true;
        default:
            return false;
    }
}

void CKeypadPage::start(StreamKind kind, int statusId) {
    // The volume test's sheet closes, the others' page.
    const auto close = kind == StreamKind::Volume ? ResyncFailure::Sheet : ResyncFailure::Page;
    if (!Resync({.close = close})) return;
    if (dialog_ && sheet_.testDialog() == dialog_.get()) sheet_.setTestDialog(nullptr);
    dialog_ = std::make_unique<CStreamTestDlg>(
        sheet_, kind, [this, statusId](StreamOutcome outcome) { dialogClosed(outcome, statusId); });
    sheet_.setTestDialog(dialog_.get());
    SetWizardButtons(kWizDisabledFinish);
    dialog_->start();
}

void CKeypadPage::dialogClosed(StreamOutcome outcome, int statusId) {
    sheet_.setTestDialog(nullptr);
    SetWizardButtons(kWizNext);
    // Only a test that ran is complete; a keypad test only once every key was seen, else it
    // says how many were.
    if (outcome == StreamOutcome::Done) {
        const int seen = dialog_ ? dialog_->keysSeen() : 0;
        controls().setText(statusId, statusId != kKeypadStatus || seen >= kKeyCount
                                         ? std::string(kComplete)
                                         : format("Stopped: %d of %d keys seen", seen, kKeyCount));
    }
    sheet_.changed();
}

void CKeypadPage::OnStop() {
    if (dialog_ && !dialog_->closed()) dialog_->Close();
}

// ---- Display tests ----

CGeneralPage::CGeneralPage(CTestSheet& sheet) : CTestPage(sheet, "DisplayTests") {
    addButton(kContrast, "LCD Contrast Test");
    addButton(kBacklight, "Backlight Test");
    addButton(kLcd, "LCD Test");
    addControl(kContrastStatus, kPending);
    addControl(kBacklightStatus, kPending);
    addControl(kLcdStatus, kPending);
}

bool CGeneralPage::OnCommand(int id) {
    bool (CGeneralPage::*test)() = nullptr;
    int status = 0;
    const char* failure = nullptr;
    switch (id) {
        case kContrast:
            test = &CGeneralPage::Contrast;
            status = kContrastStatus;
            failure = "Could not complete LCD Contrast test.";
            break;
        case kBacklight:
            test = &CGeneralPage::Backlight;
            status = kBacklightStatus;
            failure = "Could not complete back light test.";
            break;
        case kLcd:
            test = &CGeneralPage::Lcd;
            status = kLcdStatus;
            failure = "Could not complete LCD test.";
            break;
        default:
            return false;
    }
    if (!Resync({.close = ResyncFailure::Page, .buttons = kWizBackNext})) return true;
    SetWizardButtons(kWizDisabledFinish);
    BusyCursor busy(env().ui);
    const bool passed = (this->*test)();
    if (sheet_.closed()) return true;  // the link was lost: the sheet is gone
    if (passed) {
        controls().setText(status, kComplete);
    } else {
        if (id == kContrast) postClose();
        message(failure);
    }
    SetWizardButtons(kWizBackNext);
    return true;
}

bool CGeneralPage::Contrast() {
    CHdtLink& l = link();
    message("Please note the contrast of the display.");
    for (int cycle = 0; cycle < 8; ++cycle) {
        if (!l.send(commandSpec(HdtCommand::LcdContrastStep).line)) {
            l.ConnectionLost();
            return false;
        }
        if (!l.lastPassed()) {
            message("LCD Contrast Test Failed! Please Retry.");
            return false;
        }
        l.pause(500);
    }
    if (!env().ui.askYesNo("Did LCD change in contrast?")) return false;
    message("LCD test was completed successfully.");
    return true;
}

bool CGeneralPage::Backlight() {
    CHdtLink& l = link();
    const char* failed = "Background Light Test Failed! Please Retry.";
    message("Please note the brightness of the background light.");
    for (int cycle = 0; cycle < 5; ++cycle) {
        if (!l.send(commandSpec(HdtCommand::BacklightOn).line)) {
            l.ConnectionLost();
            return false;
        }
        if (replyFails(l.reply().text())) {
            message(failed);
            return false;
        }
        l.pause(400);
        if (!l.send(commandSpec(HdtCommand::BacklightOff).line)) {
            l.ConnectionLost();
            return false;
        }
        if (!l.lastPassed()) {
            message(failed);
            return false;
        }
        l.pause(400);
    }
    if (!env().ui.askYesNo("Did the light change ON and OFF?")) return false;
    message("Backlight test was completed successfully.");
    return true;
}

namespace {

// Polls once a second for the reply of a long self-test; false when the link was lost.
bool awaitReply(CHdtLink& l, int polls) {
    for (int i = 0; i < polls; ++i) {
        l.pause(1000);
        if (!l.send({})) {
            l.ConnectionLost();
            return false;
        }
        if (l.reply().count > 0) return true;
    }
    return true;
}

}  // namespace

bool CGeneralPage::Lcd() {
    CHdtLink& l = link();
    message(
        "The radio will scroll different characters through the display. This test takes "
        "approximately 30 seconds to complete.");
    if (!l.send(commandSpec(HdtCommand::LcdScrollTest).line)) {
        l.ConnectionLost();
        return false;
    }
    if (!awaitReply(l, 40)) return false;
    if (l.reply().count > 0 && replyHas(l.reply().text(), "PASS")) {
        message("LCD test was completed successfully.");
        return true;
    }
    message("LCD test failed! Please retry.");
    return false;
}

// ---- UDC ----

CUdcTest::CUdcTest(CTestSheet& sheet) : CTestPage(sheet, "UDC Sence Value and Connector Tests") {
    addButton(kStartResistor, "Start Resistor");
    addButton(kStopResistor, "Stop Resistor");
    addButton(kStartFlex, "Start Flex");
    addButton(kStopFlex, "Stop Flex");
    addControl(kResistorValue, "UDC Resistor Value");
    addControl(kSignalAndReturn, "UDC Signal and Return Code");
}

void CUdcTest::OnInitDialog() {
    enable({kStopResistor, kStartFlex, kStopFlex, kResistorValue, kSignalAndReturn}, false);
}

bool CUdcTest::OnCommand(int id) {
    if (id != kStartResistor) return false;
    message("Not currently implemented");
    return true;
}

// ---- EEPROM ----

CGeneralPage3::CGeneralPage3(CTestSheet& sheet) : CTestPage(sheet, "General Tests") {
    addButton(kEeprom, "EEPROM Test");
    addControl(kEepromStatus, kPending);
}

bool CGeneralPage3::OnCommand(int id) {
    if (id != kEeprom) return false;
    if (!Resync({.close = ResyncFailure::Page, .buttons = kWizBack})) return true;
    BusyCursor busy(env().ui);
    eepromRunning_ = true;
    const bool passed = runEeprom();
    eepromRunning_ = false;
    if (sheet_.closed()) return true;
    if (passed) {
        controls().setText(kEepromStatus, kComplete);
    } else {
        message("Could not complete EEPROM test.");
        SetWizardButtons(kWizBack);
    }
    return true;
}

bool CGeneralPage3::runEeprom() {
    CHdtLink& l = link();
    message(
        "EEPROM test takes about 12 seconds to complete. Do not disrupt this test as it can "
        "corrupt EEPROM!");
    {
        // The radio is rewriting its EEPROM: no cancel until its reply, or the last poll for
        // it, is in; none is offered meanwhile.
        CancelHold noCancel(env().ui);
        SerialLink::WholeCommand whole(l.port().link());
        if (!l.send(commandSpec(HdtCommand::EepromTest).line)) {
            l.ConnectionLost();
            return false;
        }
        if (!awaitReply(l, 25)) return false;
    }
    // Only the radio's own word passes the test: noise on the line is no result.
    const std::string_view reply = l.reply().text();
    if (!reply.empty() && replyHas(reply, "PASS") && !replyFails(reply)) {
        message("EEPROM test was completed successfully.");
        return true;
    }
    message("EEPROM Test Failed!");
    return false;
}

}  // namespace tw::testtune
