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
    for (const auto& a : kIqArrows) Enable({a.field, a.arrow}, on);
}

void CStandardRFPage3::OnInitDialog() {
    for (const auto& a : kIqArrows) controls().setText(a.field, "0");
    enableTest(false);
    Enable({kIdStop}, false);
}

bool CStandardRFPage3::Setup(int) {
    CHdtLink& l = link();
    if (setTransmitFrequency(kTx800, kTx900) && l.Run(HdtCommand::SelectStartPower) &&
        l.Run(HdtCommand::InitDspI, {0, 0}) && l.Run(HdtCommand::InitDspQ, {0, 0}) &&
        l.Run(HdtCommand::CorraI, {0}) && l.Run(HdtCommand::CorraQ, {0}) && keyTransmitter())
        return true;
    Message("Could not start I/Q Balance Test.");
    return false;
}

void CStandardRFPage3::Running(int) {
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
        l.Send(*formatCommand(HdtCommand::InitDspI, {offset, 0}));
        l.Send(*formatCommand(a->command, {offset, position}));
    } else {
        l.Send(*formatCommand(a->command, {position}));
    }
    l.Send(commandSpec(HdtCommand::ApplyIqBalance).line);
    controls().setText(a->field, format("%d", position));
}

bool CStandardRFPage3::Finish() {
    // The time-out ends the test here too: one save, before its message.
    link().Send(kEndStream);
    link().Pause(100);
    link().Send(commandSpec(HdtCommand::SaveTracking).line);
    return true;
}

void CStandardRFPage3::Stopped(bool) {
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
    Enable({kIdStop, kHint}, false);
}

bool CStandardRFPage4::Setup(int) {
    if (setTransmitFrequency(kTx800, kTx900) && link().Run(HdtCommand::SelectStartPower) &&
        keyTransmitter())
        return true;
    Message("Could not start External TX Microphone Gain and Distortion Test.");
    return false;
}

void CStandardRFPage4::Running(int) {
    Enable({kHint}, true);
}

void CStandardRFPage4::Begin(int) {
    link().Run(HdtCommand::ExternalMic, {1});
    link().Pause(500);
}

bool CStandardRFPage4::Finish() {
    link().Run(HdtCommand::ExternalMic, {0});
    link().Pause(100);
    return true;
}

void CStandardRFPage4::Stopped(bool) {
    Enable({kHint}, false);
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
    Enable({kLabel, kDeviation, kVerify, kIdStop}, false);
}

void CStandardRFPage5::OnSetActive() {
    SetWizardButtons(kWizBackNext);
}

bool CStandardRFPage5::Setup(int id) {
    if (setTransmitFrequency(kTx800, kTx900) && keyTransmitter() &&
        link().Run(HdtCommand::EncodeToneGate))
        return true;
    Message(id == kVerify ? "Could not start Tone Gate Verification Test."
                          : "Could not start Tone Gate Test.");
    return false;
}

void CStandardRFPage5::Running(int) {
    Enable({kLabel, kDeviation}, true);
    deviation_.reset();
}

void CStandardRFPage5::Begin(int id) {
    if (id == kVerify && !link().Run(HdtCommand::EncodeTone100)) {
        Message("Could not complete Tone Gate Verification Test.");
        postClose();
        SetWizardButtons(kWizBackNext);
    }
}

void CStandardRFPage5::OnArrow(int id, int delta, int position) {
    (void)delta;
    if (id != kDeviation) return;
    link().Send(*formatCommand(HdtCommand::ToneGateDeviation, {position}));
    // The value the technician set with this step (not the one before it).
    deviation_ = position / 2;
}

bool CStandardRFPage5::Finish() {
    CHdtLink& l = link();
    l.Send(kEndStream);
    l.Pause(100);
    // Only what the technician set is stored.
    if (deviation_) {
        l.Run(HdtCommand::SelectNarrowBand);
        l.Send(*formatCommand(HdtCommand::ToneGateDeviation, {*deviation_}));
        if (l.Run(HdtCommand::EncodeToneGate)) l.Run(HdtCommand::SaveTracking);
    }
    l.Send(*formatCommand(HdtCommand::SetBandwidth, {0}));
    return true;
}

void CStandardRFPage5::Stopped(bool) {
    Enable({kLabel, kDeviation}, false);
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
    Enable({kResult1, kResult2, kIdStop}, false);
}

void CStandardRFPage6::OnSetActive() {
    SetWizardButtons(kWizBack);
}

bool CStandardRFPage6::Setup(int id) {
    CHdtLink& l = link();
    const bool band800 = l.facts().band == kBand800;
    bool ready = l.Run(HdtCommand::SetReceiveFrequency, {band800 ? 851000000 : 935000000});
    if (ready && l.facts().band == kBand900) ready = l.Run(HdtCommand::SelectNarrowBand);
    if (ready) {
        l.Pause(200);
        ready = l.Run(HdtCommand::ReceiverOn);
    }
    if (ready) {
        l.Pause(200);
        l.ClearReply();
        l.Drain();
        ready = l.Run(HdtCommand::RssiTestLevel, {id == kStrong ? 1 : 0});
    }
    if (!ready) Message("Could not start RSSI Tests.");
    return ready;
}

void CStandardRFPage6::Running(int) {
    Enable({kResult1, kResult2}, true);
}

void CStandardRFPage6::Begin(int) {
    startTimer(kTickTimer, kTickMs, true);
}

void CStandardRFPage6::tick() {
    CHdtLink& l = link();
    l.Drain();
    const bool read = l.Send({});
    if (!read || replyFails(l.reply().text())) {
        // One message for a failing tick: the repeating timer goes before the box shows.
        KillTimer(kTickTimer);
        Message("Unable to set strong RSSI level.");
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

bool CStandardRFPage6::Finish() {
    link().Send(kEndStream);
    link().Pause(100);
    if (link().Run(HdtCommand::MuteSpeaker)) link().Run(HdtCommand::SaveTracking);
    return true;
}

void CStandardRFPage6::Stopped(bool) {
    KillTimer(kTickTimer);
    Enable({kResult1, kResult2}, false);
}

}  // namespace tw::testtune
