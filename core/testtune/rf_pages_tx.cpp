#include "testtune/hdt_reply.h"
#include "testtune/rf_pages.h"
#include "testtune/test_sheet.h"

namespace tw::testtune {

const PowerRow* powerRow(int controlId) {
    for (const auto& row : kPowerTable)
        if (row.controlId == controlId) return &row;
    return nullptr;
}

// ---- Transmit frequency error ----

CStandardRFPage1::CStandardRFPage1(CTestSheet& sheet)
    : CTimedTestPage(sheet, "TX Frequency Error",
                     {.starts = {kStart},
                      .lost = {.close = ResyncFailure::Page, .buttons = kWizNext},
                      .stopButtons = kWizNext,
                      .timedOut = "Test timed out after 2 minutes"}) {
    addButton(kStart, "Start Test");
    addButton(kIdStop, "Stop Test");
    addControl(kLabel1);
    addControl(kLabel2);
    addControl(kDacValue, " ");
    addArrow(kPower, 10, 800, kArrowStart);
    addArrow(kFrequency, 10, 800, kArrowStart);
}

void CStandardRFPage1::OnInitDialog() {
    enable({kLabel1, kLabel2, kPower, kFrequency, kIdStop}, false);
}

bool CStandardRFPage1::setUp(int) {
    const bool ready = setTransmitFrequency(815012500, 899012500) &&
                       link().run(HdtCommand::SelectStartPower) &&
                       link().run(HdtCommand::OpenControlLoop) && keyTransmitter() &&
                       link().run(HdtCommand::ReportDac);
    const auto dac = ready ? dacText(link().reply().text()) : std::nullopt;
    if (!dac) {
        message("Could not start Transmit Frequency Error Test.");
        return false;
    }
    controls().setText(kDacValue, "DAC=" + *dac);
    return true;
}

void CStandardRFPage1::showRunning(int) {
    enable({kLabel1, kLabel2, kPower, kFrequency}, true);
}

void CStandardRFPage1::OnArrow(int id, int delta, int position) {
    (void)position;
    const int up = delta > 0 ? 1 : 0;
    if (id == kPower) {
        link().send(*formatCommand(HdtCommand::PowerDacStep, {up}));
        return;
    }
    if (id != kFrequency) return;
    if (!link().run(HdtCommand::stepDac, {up})) return;
    const auto dac = dacText(link().reply().text());
    if (dac) controls().setText(kDacValue, "DAC=" + *dac);
    link().Drain();
}

bool CStandardRFPage1::finish() {
    enable({kLabel1, kLabel2, kPower, kFrequency}, false);
    link().send(kEndStream);
    link().pause(100);
    return link().run(HdtCommand::SaveTracking);
}

void CStandardRFPage1::stopped(bool finished) {
    if (!finished) message(kCommunicationError);
    controls().setText(kDacValue, " ");
}

// ---- Transmit power tracking ----

CStandardRFPage2::CStandardRFPage2(CTestSheet& sheet)
    : CTimedTestPage(sheet, "Power Setting",
                     {.starts = {kStart},
                      .lost = {.message = "Could not detect HDT in radio."},
                      .timedOut = "Test has timed out after two minutes.",
                      .unkeyAlways = true}) {
    stopId_ = kStopTest;
    addButton(kStart, "Start");
    addButton(kStopTest, "Stop");
    addControl(kFrequencyText, " ");
    addControl(kPowerText, " ");
    addControl(kModeText, " ");
    addControl(kIndicator, kIdle);
    for (const auto& row : kPowerTable) addControl(row.controlId).showsValue = false;
}

void CStandardRFPage2::OnInitDialog() {
    transmitterOn_ = false;
    for (const auto& row : kPowerTable) controls().setEnabled(row.controlId, false);
    enable({kStopTest}, false);
    controls().setText(kIndicator, kIdle);
}

void CStandardRFPage2::showRunning(int) {
    for (const auto& row : kPowerTable) controls().setEnabled(row.controlId, true);
    transmitterOn_ = false;
    selected_ = 0;
}

void CStandardRFPage2::beginTest(int) {
    // The first row's scroll bar takes the focus, which selects it.
    selectRow(kPowerTable.front(), 0);
}

bool CStandardRFPage2::OnScroll(int id, int code) {
    const PowerRow* row = powerRow(id);
    if (!row) return false;
    startTimer(2, kIdleOffMs);
    if (code == kScrollUp)
        selectRow(*row, +1);
    else if (code == kScrollDown)
        selectRow(*row, -1);
    else if (code == kScrollFocus)
        selectRow(*row, 0);
    return true;
}

void CStandardRFPage2::fatalError() {
    message(kCommunicationError);
    postCloseSheet();
}

void CStandardRFPage2::selectRow(const PowerRow& row, int step) {
    const std::uint8_t band = link().facts().band;
    // A radio of neither split is not keyed at all.
    if (band != kBand800 && band != kBand900) {
        message(kNoBandSplitRead);
        return;
    }
    if (transmitterOn_) {
        KillTimer(2);
    } else {
        controls().setText(kIndicator, kTxOn);
        transmitterOn_ = true;
        if (!link().run(HdtCommand::PowerControlLoop, {0})) return fatalError();
        if (!keyTransmitter()) return fatalError();
    }
    startTimer(2, kIdleOffMs);
    // A step on another row than the selected one selects that row first: the DAC step must
    // change that row's power, not the previous row's.
    if (step != 0 && row.controlId != selected_) {
        if (!selectPower(row)) return;
        stepDac(step);
        return;
    }
    if (step != 0 && !stepDac(step)) return;
    selectPower(row);
}

bool CStandardRFPage2::stepDac(int step) {
    return link().run(HdtCommand::PowerDacStep, {step > 0 ? 1 : 0}) &&
           link().run(HdtCommand::CopyPowerDac);
}

bool CStandardRFPage2::selectPower(const PowerRow& row) {
    const bool band800 = link().facts().band == kBand800;
    controls().setText(kFrequencyText, std::to_string(band800 ? row.hz800 : row.hz900));
    controls().setText(kPowerText, std::string(kPowerLabels[row.powerLabel]));
    controls().setText(kModeText, std::string(kModeLabels[row.modeLabel]));
    selected_ = row.controlId;
    return setTransmitFrequency(row.hz800, row.hz900) &&
           link().run(HdtCommand::SelectTrackingPower, {row.level, row.mode, row.point});
}

void CStandardRFPage2::transmitterIdleOff() {
    controls().setText(kIndicator, kTxOff);
    transmitterOn_ = false;
    unkeyTransmitter();
    KillTimer(2);
}

void CStandardRFPage2::OnOtherTimer(int id) {
    if (id == 2) transmitterIdleOff();
}

bool CStandardRFPage2::finish() {
    for (const auto& row : kPowerTable) controls().setEnabled(row.controlId, false);
    const bool saved = link().run(HdtCommand::SaveTracking);
    KillTimer(2);
    const bool closed = link().run(HdtCommand::PowerControlLoop, {1});
    controls().setText(kIndicator, kTxOff);
    transmitterOn_ = false;
    // The unkey follows even after a failed save.
    return saved && closed;
}

void CStandardRFPage2::stopped(bool finished) {
    if (!finished) fatalError();
    for (const int id : {kFrequencyText, kPowerText, kModeText}) controls().setText(id, " ");
    controls().setText(kIndicator, kIdle);
    selected_ = 0;
}

}  // namespace tw::testtune
