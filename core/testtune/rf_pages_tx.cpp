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
    Enable({kLabel1, kLabel2, kPower, kFrequency, kIdStop}, false);
}

bool CStandardRFPage1::Setup(int) {
    const bool ready = setTransmitFrequency(815012500, 899012500) &&
                       link().Run(HdtCommand::SelectStartPower) &&
                       link().Run(HdtCommand::OpenControlLoop) && keyTransmitter() &&
                       link().Run(HdtCommand::ReportDac);
    const auto dac = ready ? dacText(link().reply().text()) : std::nullopt;
    if (!dac) {
        Message("Could not start Transmit Frequency Error Test.");
        return false;
    }
    controls().setText(kDacValue, "DAC=" + *dac);
    return true;
}

void CStandardRFPage1::Running(int) {
    Enable({kLabel1, kLabel2, kPower, kFrequency}, true);
}

void CStandardRFPage1::OnArrow(int id, int delta, int position) {
    (void)position;
    const int up = delta > 0 ? 1 : 0;
    if (id == kPower) {
        link().Send(*formatCommand(HdtCommand::PowerDacStep, {up}));
        return;
    }
    if (id != kFrequency) return;
    if (!link().Run(HdtCommand::stepDac, {up})) return;
    const auto dac = dacText(link().reply().text());
    if (dac) controls().setText(kDacValue, "DAC=" + *dac);
    link().Drain();
}

bool CStandardRFPage1::Finish() {
    Enable({kLabel1, kLabel2, kPower, kFrequency}, false);
    link().Send(kEndStream);
    link().Pause(100);
    return link().Run(HdtCommand::SaveTracking);
}

void CStandardRFPage1::Stopped(bool finished) {
    if (!finished) Message(kCommunicationError);
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
    Enable({kStopTest}, false);
    controls().setText(kIndicator, kIdle);
}

void CStandardRFPage2::Running(int) {
    for (const auto& row : kPowerTable) controls().setEnabled(row.controlId, true);
    transmitterOn_ = false;
    selected_ = 0;
}

void CStandardRFPage2::Begin(int) {
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
    Message(kCommunicationError);
    postCloseSheet();
}

void CStandardRFPage2::selectRow(const PowerRow& row, int step) {
    const std::uint8_t band = link().facts().band;
    // A radio of neither split is not keyed at all.
    if (band != kBand800 && band != kBand900) {
        Message(kNoBandSplitRead);
        return;
    }
    if (transmitterOn_) {
        KillTimer(2);
    } else {
        controls().setText(kIndicator, kTxOn);
        transmitterOn_ = true;
        if (!link().Run(HdtCommand::PowerControlLoop, {0})) return fatalError();
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
    return link().Run(HdtCommand::PowerDacStep, {step > 0 ? 1 : 0}) &&
           link().Run(HdtCommand::CopyPowerDac);
}

bool CStandardRFPage2::selectPower(const PowerRow& row) {
    const bool band800 = link().facts().band == kBand800;
    controls().setText(kFrequencyText, std::to_string(band800 ? row.hz800 : row.hz900));
    controls().setText(kPowerText, std::string(kPowerLabels[row.powerLabel]));
    controls().setText(kModeText, std::string(kModeLabels[row.modeLabel]));
    selected_ = row.controlId;
    return setTransmitFrequency(row.hz800, row.hz900) &&
           link().Run(HdtCommand::SelectTrackingPower, {row.level, row.mode, row.point});
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

bool CStandardRFPage2::Finish() {
    for (const auto& row : kPowerTable) controls().setEnabled(row.controlId, false);
    const bool saved = link().Run(HdtCommand::SaveTracking);
    KillTimer(2);
    const bool closed = link().Run(HdtCommand::PowerControlLoop, {1});
    controls().setText(kIndicator, kTxOff);
    transmitterOn_ = false;
    // The unkey follows even after a failed save.
    return saved && closed;
}

void CStandardRFPage2::Stopped(bool finished) {
    if (!finished) fatalError();
    for (const int id : {kFrequencyText, kPowerText, kModeText}) controls().setText(id, " ");
    controls().setText(kIndicator, kIdle);
    selected_ = 0;
}

}  // namespace tw::testtune
