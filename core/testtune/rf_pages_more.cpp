#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "testtune/hdt_reply.h"
#include "testtune/rf_pages.h"
#include "testtune/test_sheet.h"
#include "util/text.h"

namespace tw::testtune {
namespace {

constexpr long long kTx800 = 815000000;
constexpr long long kTx900 = 899000000;

// Each arrow of the I/Q page, its range, the command that sends its value and the field that
// shows it. An amplitude goes to the radio with the value of its DSP offset, as shown.
struct IqArrow {
    int arrow;
    int low, high;
    int field;
    HdtCommand command;  // an amplitude's: the second of the two lines it sends
    int offsetField;     // an amplitude's offset; 0 for the offsets themselves
};
using P3 = CStandardRFPage3;
constexpr IqArrow kIqArrows[] = {
    {P3::kDspI, -8, 7, P3::kDspIValue, HdtCommand::DspI, 0},
    {P3::kDspQ, -8, 7, P3::kDspQValue, HdtCommand::DspQ, 0},
    {P3::kCorraI, -4, 3, P3::kCorraIValue, HdtCommand::CorraI, 0},
    {P3::kCorraQ, -4, 3, P3::kCorraQValue, HdtCommand::CorraQ, 0},
    {P3::kDspIAmp, 0, 15, P3::kDspIAmpValue, HdtCommand::InitDspQ, P3::kDspIValue},
    {P3::kDspQAmp, 0, 15, P3::kDspQAmpValue, HdtCommand::InitDspQ, P3::kDspQValue},
};

}  // namespace

// ---- Transmit I/Q balance ----

CStandardRFPage3::CStandardRFPage3(CTestSheet& sheet)
    : CTimedTestPage(sheet, "TX I/Q Balance",
                     {.starts = {kStart},
                      .lost = {.close = ResyncFailure::Page, .buttons = kWizBackNext},
                      .timeoutMs = kTimeoutMs,
                      .timedOut = "The test has timed out after 20 minutes."}) {
    addButton(kStart, "Start Test");
    addButton(kIdStop, "Stop Test");
    for (const auto& a : kIqArrows) {
        addControl(a.field, "0");
        addArrow(a.arrow, a.low, a.high, 0);
    }
}

void CStandardRFPage3::enableTest(bool on) {
    for (const auto& a : kIqArrows) enable({a.field, a.arrow}, on);
}

void CStandardRFPage3::OnInitDialog() {
    for (const auto& a : kIqArrows) controls().setText(a.field, "0");
    enableTest(false);
    enable({kIdStop}, false);
}

bool CStandardRFPage3::setUp(int) {
    CHdtLink& l = link();
    if (setTransmitFrequency(kTx800, kTx900) && l.run(HdtCommand::SelectStartPower) &&
        l.run(HdtCommand::InitDspI, {0, 0}) && l.run(HdtCommand::InitDspQ, {0, 0}) &&
        l.run(HdtCommand::CorraI, {0}) && l.run(HdtCommand::CorraQ, {0}) && keyTransmitter())
        return true;
    message("Could not start I/Q Balance Test.");
    return false;
}

void CStandardRFPage3::showRunning(int) {
    enableTest(true);
    for (const auto& a : kIqArrows) setArrowPosition(a.arrow, 0);
}

void CStandardRFPage3::OnArrow(int id, int delta, int position) {
    (void)delta;
    const auto* a = std::find_if(std::begin(kIqArrows), std::end(kIqArrows),
                                 [id](const IqArrow& row) { return row.arrow == id; });
    if (a == std::end(kIqArrows)) return;
    CHdtLink& l = link();
    if (a->offsetField != 0) {
        const int offset = std::atoi(controls().text(a->offsetField).c_str());
        l.send(*formatCommand(HdtCommand::InitDspI, {offset, 0}));
        l.send(*formatCommand(a->command, {offset, position}));
    } else {
        l.send(*formatCommand(a->command, {position}));
    }
    l.send(commandSpec(HdtCommand::ApplyIqBalance).line);
    controls().setText(a->field, format("%d", position));
}

bool CStandardRFPage3::finish() {
    // The time-out ends the test here too: one save, before its message.
    link().send(kEndStream);
    link().pause(100);
    link().send(commandSpec(HdtCommand::SaveTracking).line);
    return true;
}

void CStandardRFPage3::stopped(bool) {
    enableTest(false);
    for (const auto& a : kIqArrows) controls().setText(a.field, "0");
}

// ---- External microphone gain and distortion ----

CStandardRFPage4::CStandardRFPage4(CTestSheet& sheet)
    : CTimedTestPage(sheet, "External TX Mic Gain And Audio Distortion ",
                     {.starts = {kStart},
                      .lost = {.close = ResyncFailure::Page, .buttons = kWizBackNext},
                      .timedOut = "The test has timed out after 2 minutes."}) {
    addButton(kStart, "Start Test");
    addButton(kIdStop, "Stop Test");
    addControl(kHint, "Limit: 7.5 to 18 mV RMS");
}

void CStandardRFPage4::OnInitDialog() {
    enable({kIdStop, kHint}, false);
}

bool CStandardRFPage4::setUp(int) {
    if (setTransmitFrequency(kTx800, kTx900) && link().run(HdtCommand::SelectStartPower) &&
        keyTransmitter())
        return true;
    message("Could not start External TX Microphone Gain and Distortion Test.");
    return false;
}

void CStandardRFPage4::showRunning(int) {
    enable({kHint}, true);
}

void CStandardRFPage4::beginTest(int) {
    link().run(HdtCommand::ExternalMic, {1});
    link().pause(500);
}

bool CStandardRFPage4::finish() {
    link().run(HdtCommand::ExternalMic, {0});
    link().pause(100);
    return true;
}

void CStandardRFPage4::stopped(bool) {
    enable({kHint}, false);
}

// ---- Tone Gate deviation ----

CStandardRFPage5::CStandardRFPage5(CTestSheet& sheet)
    : CTimedTestPage(sheet, "TX Tone Gate Deviation Test",
                     {.starts = {kStart, kVerify},
                      .lost = {.close = ResyncFailure::Page, .buttons = kWizBackNext},
                      .timedOut = "The test has timed out after 2 minutes."}) {
    addButton(kStart, "Start Test");
    addButton(kVerify, "Start Verify");
    addButton(kIdStop, "Stop Test");
    addControl(kLabel);
    addArrow(kDeviation, 30, 2000, kArrowStart);
}

void CStandardRFPage5::OnInitDialog() {
    enable({kLabel, kDeviation, kVerify, kIdStop}, false);
}

void CStandardRFPage5::OnSetActive() {
    SetWizardButtons(kWizBackNext);
}

bool CStandardRFPage5::setUp(int id) {
    if (setTransmitFrequency(kTx800, kTx900) && keyTransmitter() &&
        link().run(HdtCommand::EncodeToneGate))
        return true;
    message(id == kVerify ? "Could not start Tone Gate Verification Test."
                          : "Could not start Tone Gate Test.");
    return false;
}

void CStandardRFPage5::showRunning(int) {
    enable({kLabel, kDeviation}, true);
    deviation_.reset();
}

void CStandardRFPage5::beginTest(int id) {
    if (id == kVerify && !link().run(HdtCommand::EncodeTone100)) {
        message("Could not complete Tone Gate Verification Test.");
        postClose();
        SetWizardButtons(kWizBackNext);
    }
}

void CStandardRFPage5::OnArrow(int id, int delta, int position) {
    (void)delta;
    if (id != kDeviation) return;
    link().send(*formatCommand(HdtCommand::ToneGateDeviation, {position}));
    // The value the technician set with this step (not the one before it).
    deviation_ = position / 2;
}

bool CStandardRFPage5::finish() {
    CHdtLink& l = link();
    l.send(kEndStream);
    l.pause(100);
    // Only what the technician set is stored.
    if (deviation_) {
        l.run(HdtCommand::SelectNarrowBand);
        l.send(*formatCommand(HdtCommand::ToneGateDeviation, {*deviation_}));
        if (l.run(HdtCommand::EncodeToneGate)) l.run(HdtCommand::SaveTracking);
    }
    l.send(*formatCommand(HdtCommand::SetBandwidth, {0}));
    return true;
}

void CStandardRFPage5::stopped(bool) {
    enable({kLabel, kDeviation}, false);
}

// ---- Receiver RSSI ----

CStandardRFPage6::CStandardRFPage6(CTestSheet& sheet)
    : CTimedTestPage(sheet, "Weak RSSI / Strong RSSI",
                     {.starts = {kStrong, kWeak},
                      .lost = {.close = ResyncFailure::Page, .buttons = kWizBack},
                      .timedOut = "Test Timed out after two minutes",
                      .timer = kTimeoutTimer}) {
    addButton(kStrong, "Start Strong RSSI");
    addButton(kWeak, "Start Weak RSSI");
    addButton(kIdStop, "Stop Test");
    addControl(kResult1);
    addControl(kResult2);
    addControl(kRssi);
}

void CStandardRFPage6::OnInitDialog() {
    enable({kResult1, kResult2, kIdStop}, false);
}

void CStandardRFPage6::OnSetActive() {
    SetWizardButtons(kWizBack);
}

bool CStandardRFPage6::setUp(int id) {
    CHdtLink& l = link();
    const bool band800 = l.facts().band == kBand800;
    bool ready = l.run(HdtCommand::SetReceiveFrequency, {band800 ? 851000000 : 935000000});
    if (ready && l.facts().band == kBand900) ready = l.run(HdtCommand::SelectNarrowBand);
    if (ready) {
        l.pause(200);
        ready = l.run(HdtCommand::ReceiverOn);
    }
    if (ready) {
        l.pause(200);
        l.ClearReply();
        l.Drain();
        ready = l.run(HdtCommand::RssiTestLevel, {id == kStrong ? 1 : 0});
    }
    if (!ready) message("Could not start RSSI Tests.");
    return ready;
}

void CStandardRFPage6::showRunning(int) {
    enable({kResult1, kResult2}, true);
}

void CStandardRFPage6::beginTest(int) {
    startTimer(kTickTimer, kTickMs, true);
}

void CStandardRFPage6::tick() {
    CHdtLink& l = link();
    l.Drain();
    const bool read = l.send({});
    if (!read || replyFails(l.reply().text())) {
        // One message for a failing tick: the repeating timer goes before the box shows.
        KillTimer(kTickTimer);
        message("Unable to set strong RSSI level.");
        postClose();
        return;
    }
    // A tick whose reply holds no value keeps the last one shown.
    if (const auto rssi = keyedValue(l.reply().text(), "RSSI=", 3))
        controls().setText(kRssi, format("RSSI=%d", *rssi));
}

void CStandardRFPage6::OnOtherTimer(int id) {
    if (id == kTickTimer) tick();
}

bool CStandardRFPage6::finish() {
    link().send(kEndStream);
    link().pause(100);
    if (link().run(HdtCommand::MuteSpeaker)) link().run(HdtCommand::SaveTracking);
    return true;
}

void CStandardRFPage6::stopped(bool) {
    KillTimer(kTickTimer);
    enable({kResult1, kResult2}, false);
}

}  // namespace tw::testtune
