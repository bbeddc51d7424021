#include "testtune/hdt_reply.h"
#include "testtune/rf_pages.h"
#include "testtune/test_sheet.h"
#include "util/text.h"

namespace tw::testtune {
namespace {

constexpr long long kTx800 = 815000000;
constexpr long long kTx900 = 899000000;

// Each arrow of the I/Q page, the command it sends and the field that shows its value.
struct IqArrow {
    int arrow;
    int low, high;
    int field;
};
constexpr IqArrow kIqArrows[] = {
    {CStandardRFPage3::kDspI, -8, 7, 1100},    {CStandardRFPage3::kDspQ, -8, 7, 1101},
    {CStandardRFPage3::kCorraI, -4, 3, 1102},  {CStandardRFPage3::kCorraQ, -4, 3, 1103},
    {CStandardRFPage3::kDspIAmp, 0, 15, 1104}, {CStandardRFPage3::kDspQAmp, 0, 15, 1105},
};

}  // namespace

// ---- Transmit I/Q balance ----

CStandardRFPage3::CStandardRFPage3(CTestSheet& sheet) : CTestPage(sheet, "TX I/Q Balance") {
    AddButton(kStart, "Start Test");
    AddButton(kIdStop, "Stop Test");
    for (const auto& a : kIqArrows) {
        AddControl(a.field, "0");
        AddArrow(a.arrow, a.low, a.high, 0);
    }
}

void CStandardRFPage3::EnableTest(bool on) {
    for (const auto& a : kIqArrows) Enable({a.field, a.arrow}, on);
    Enable({kIdStop}, on);
}

void CStandardRFPage3::OnInitDialog() {
    for (const auto& a : kIqArrows) controls().setText(a.field, "0");
    EnableTest(false);
}

bool CStandardRFPage3::OnCommand(int id) {
    if (id != kStart) return false;
    Start();
    return true;
}

void CStandardRFPage3::Start() {
    if (!link().Resync()) {
        PostClose();
        SetWizardButtons(kWizBackNext);
        return;
    }
    SetWizardButtons(kWizDisabledFinish);
    CHdtLink& l = link();
    const bool ready = SetTransmitFrequency(kTx800, kTx900) &&
                       l.Run(HdtCommand::SelectStartPower) && l.Run(HdtCommand::InitDspI, {0, 0}) &&
                       l.Run(HdtCommand::InitDspQ, {0, 0}) && l.Run(HdtCommand::CorraI, {0}) &&
                       l.Run(HdtCommand::CorraQ, {0}) && KeyTransmitter();
    if (!ready) {
        Message("Could not start I/Q Balance Test.");
        UnkeyTransmitter();
        SetWizardButtons(kWizBackNext);
        return;
    }
    EnableTest(true);
    for (const auto& a : kIqArrows) SetArrowPosition(a.arrow, 0);
    StartTimer(kTimeoutTimer, kTimeoutMs);
    Enable({kStart}, false);
}

void CStandardRFPage3::OnArrow(int id, int delta, int position) {
    (void)delta;
    CHdtLink& l = link();
    auto send = [&](HdtCommand c, std::initializer_list<std::int64_t> args) {
        l.Send(*formatCommand(c, args));
    };
    auto shown = [&](int field) { return std::atoi(controls().text(field).c_str()); };
    int field = 0;
    switch (id) {
        case kDspI:
            send(HdtCommand::DspI, {position});
            field = 1100;
            break;
        case kDspQ:
            send(HdtCommand::DspQ, {position});
            field = 1101;
            break;
        case kCorraI:
            send(HdtCommand::CorraI, {position});
            field = 1102;
            break;
        case kCorraQ:
            send(HdtCommand::CorraQ, {position});
            field = 1103;
            break;
        case kDspIAmp:
        case kDspQAmp: {
            const int value = shown(id == kDspIAmp ? 1100 : 1101);
            send(HdtCommand::InitDspI, {value, 0});
            send(HdtCommand::InitDspQ, {value, position});
            field = id == kDspIAmp ? 1104 : 1105;
            break;
        }
        default:
            return;
    }
    l.Send(commandSpec(HdtCommand::ApplyIqBalance).line);
    controls().setText(field, format("%d", position));
}

void CStandardRFPage3::OnTimer(int id) {
    if (id != kTimeoutTimer || !running()) return;
    // Stop (which saves) before the message, and no second save after it.
    OnStop();
    Message("The test has timed out after 20 minutes.");
}

void CStandardRFPage3::OnStop() {
    link().RequestAbort();
    KillTimer(kTimeoutTimer);
    if (running()) {
        link().Send(kEndStream);
        link().Pause(100);
        link().Send(commandSpec(HdtCommand::SaveTracking).line);
        ForceUnkey();
    }
    EnableTest(false);
    for (const auto& a : kIqArrows) controls().setText(a.field, "0");
    Enable({kStart}, true);
    SetWizardButtons(kWizBackNext);
}

// ---- External microphone gain and distortion ----

CStandardRFPage4::CStandardRFPage4(CTestSheet& sheet)
    : CTestPage(sheet, "External TX Mic Gain And Audio Distortion ") {
    AddButton(kStart, "Start Test");
    AddButton(kIdStop, "Stop Test");
    AddControl(kHint, "Limit: 7.5 to 18 mV RMS");
}

void CStandardRFPage4::OnInitDialog() {
    Enable({kIdStop, kHint}, false);
}

bool CStandardRFPage4::OnCommand(int id) {
    if (id != kStart) return false;
    Start();
    return true;
}

void CStandardRFPage4::Start() {
    if (!link().Resync()) {
        PostClose();
        SetWizardButtons(kWizBackNext);
        return;
    }
    SetWizardButtons(kWizDisabledFinish);
    if (!SetTransmitFrequency(kTx800, kTx900) || !link().Run(HdtCommand::SelectStartPower) ||
        !KeyTransmitter()) {
        Message("Could not start External TX Microphone Gain and Distortion Test.");
        UnkeyTransmitter();
        SetWizardButtons(kWizBackNext);
        return;
    }
    StartTimer(kTimeoutTimer, kTestTimeoutMs);
    Enable({kIdStop, kHint}, true);
    Enable({kStart}, false);
    link().Run(HdtCommand::ExternalMic, {1});
    link().Pause(500);
}

void CStandardRFPage4::OnTimer(int id) {
    if (id != kTimeoutTimer || !running()) return;
    OnStop();
    Message("The test has timed out after 2 minutes.");
}

void CStandardRFPage4::OnStop() {
    KillTimer(kTimeoutTimer);
    link().RequestAbort();
    if (running()) {
        link().Run(HdtCommand::ExternalMic, {0});
        link().Pause(100);
        UnkeyTransmitter();
    }
    Enable({kIdStop, kHint}, false);
    Enable({kStart}, true);
    SetWizardButtons(kWizBackNext);
}

// ---- Tone Gate deviation ----

CStandardRFPage5::CStandardRFPage5(CTestSheet& sheet)
    : CTestPage(sheet, "TX Tone Gate Deviation Test") {
    AddButton(kStart, "Start Test");
    AddButton(kVerify, "Start Verify");
    AddButton(kIdStop, "Stop Test");
    AddControl(kLabel);
    AddArrow(kDeviation, 30, 2000, kArrowStart);
}

void CStandardRFPage5::OnInitDialog() {
    Enable({kLabel, kDeviation, kVerify, kIdStop}, false);
}

void CStandardRFPage5::OnSetActive() {
    SetWizardButtons(kWizBackNext);
}

bool CStandardRFPage5::OnCommand(int id) {
    if (id != kStart && id != kVerify) return false;
    Start(id == kVerify);
    return true;
}

bool CStandardRFPage5::Setup() {
    return SetTransmitFrequency(kTx800, kTx900) && KeyTransmitter() &&
           link().Run(HdtCommand::EncodeToneGate);
}

void CStandardRFPage5::Start(bool verify) {
    if (!link().Resync()) {
        PostClose();
        SetWizardButtons(kWizBackNext);
        return;
    }
    SetWizardButtons(kWizDisabledFinish);
    if (!Setup()) {
        Message(verify ? "Could not start Tone Gate Verification Test."
                       : "Could not start Tone Gate Test.");
        UnkeyTransmitter();
        SetWizardButtons(kWizBackNext);
        return;
    }
    Enable({kLabel, kDeviation, kVerify, kIdStop}, true);
    StartTimer(kTimeoutTimer, kTestTimeoutMs);
    Enable({kStart, kVerify}, false);
    deviation_.reset();
    if (verify && !link().Run(HdtCommand::EncodeTone100)) {
        Message("Could not complete Tone Gate Verification Test.");
        PostClose();
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

void CStandardRFPage5::OnTimer(int id) {
    if (id != kTimeoutTimer || !running()) return;
    OnStop();
    Message("The test has timed out after 2 minutes.");
}

void CStandardRFPage5::OnStop() {
    KillTimer(kTimeoutTimer);
    link().RequestAbort();
    if (running()) {
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
        UnkeyTransmitter();
    }
    Enable({kLabel, kDeviation, kVerify, kIdStop}, false);
    Enable({kStart, kVerify}, true);
    SetWizardButtons(kWizBackNext);
}

// ---- Receiver RSSI ----

CStandardRFPage6::CStandardRFPage6(CTestSheet& sheet)
    : CTestPage(sheet, "Weak RSSI / Strong RSSI") {
    AddButton(kStrong, "Start Strong RSSI");
    AddButton(kWeak, "Start Weak RSSI");
    AddButton(kIdStop, "Stop Test");
    AddControl(kResult1);
    AddControl(kResult2);
    AddControl(kRssi);
}

void CStandardRFPage6::OnInitDialog() {
    Enable({kResult1, kResult2, kIdStop}, false);
}

void CStandardRFPage6::OnSetActive() {
    SetWizardButtons(kWizBack);
}

bool CStandardRFPage6::OnCommand(int id) {
    if (id != kStrong && id != kWeak) return false;
    Start(id == kStrong ? 1 : 0);
    return true;
}

void CStandardRFPage6::Start(int level) {
    CHdtLink& l = link();
    if (!l.Resync()) {
        PostClose();
        SetWizardButtons(kWizBack);
        return;
    }
    SetWizardButtons(kWizDisabledFinish);
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
        ready = l.Run(HdtCommand::RssiTestLevel, {level});
    }
    if (!ready) {
        Message("Could not start RSSI Tests.");
        SetWizardButtons(kWizBack);
        return;
    }
    StartTimer(kTimeoutTimer, kTestTimeoutMs);
    StartTimer(kTickTimer, kTickMs, true);
    Enable({kResult1, kResult2, kIdStop}, true);
    Enable({kStrong, kWeak}, false);
}

void CStandardRFPage6::Tick() {
    CHdtLink& l = link();
    l.Drain();
    const bool read = l.Send({});
    if (!read || replyFails(l.reply().text())) {
        // One message for a failing tick: the repeating timer goes before the box shows.
        KillTimer(kTickTimer);
        Message("Unable to set strong RSSI level.");
        PostClose();
        return;
    }
    // A tick whose reply holds no value keeps the last one shown.
    if (const auto rssi = keyedValue(l.reply().text(), "RSSI=", 3))
        controls().setText(kRssi, format("RSSI=%d", *rssi));
}

void CStandardRFPage6::OnTimer(int id) {
    if (id == kTickTimer) {
        Tick();
        return;
    }
    if (id != kTimeoutTimer || !running()) return;
    OnStop();
    Message("Test Timed out after two minutes");
}

void CStandardRFPage6::OnStop() {
    KillTimer(kTimeoutTimer);
    KillTimer(kTickTimer);
    link().RequestAbort();
    if (running()) {
        link().Send(kEndStream);
        link().Pause(100);
        if (link().Run(HdtCommand::MuteSpeaker)) link().Run(HdtCommand::SaveTracking);
    }
    Enable({kResult1, kResult2, kIdStop}, false);
    Enable({kStrong, kWeak}, true);
    SetWizardButtons(kWizBackNext);
}

}  // namespace tw::testtune
