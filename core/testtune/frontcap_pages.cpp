#include "testtune/frontcap_pages.h"

#include "testtune/hdt_reply.h"
#include "testtune/test_sheet.h"
#include "util/text.h"

namespace tw::testtune {
namespace {

constexpr const char* kCouldNotStartGain = "Could not start Gain At Rated Audio Test.";

}  // namespace

CFrontcapPage::CFrontcapPage(CTestSheet& sheet, std::string title, int startId, int idleButtons)
    : CTimedTestPage(sheet, std::move(title),
                     {.starts = {startId},
                      .lost = {.message = "Cannot enter Diagnostics mode."},
                      .stopButtons = idleButtons,
                      .timedOut = "Test timed out after 2 minutes."}) {
    addButton(startId, "Start Test");
    addButton(kIdStop, "Stop Test", false);
}

// ---- Transmit audio ----

CFrontcapPage1::CFrontcapPage1(CTestSheet& sheet)
    : CFrontcapPage(sheet, "TX FM Hum and Noise / Int. Mic Gain / TX Audio Distortion Tests",
                    kStart, kWizNext) {}

void CFrontcapPage1::OnInitDialog() {
    enable({kStart}, true);
    enable({kIdStop}, false);
}

void CFrontcapPage1::OnSetActive() {
    SetWizardButtons(kWizNext);
}

bool CFrontcapPage1::setUp(int) {
    if (setTransmitFrequency(815000000, 899000000) && link().run(HdtCommand::SelectStartPower) &&
        keyTransmitter())
        return true;
    message(kCouldNotStartGain);
    return false;
}

// ---- Gain at rated audio ----

CFrontcapPage2::CFrontcapPage2(CTestSheet& sheet)
    : CFrontcapPage(sheet, "Gain At Rated Audio/Rx Audio Distortion", kStart, kWizBackNext) {
    addControl(kVolumeText, format("%03d", kStartVolume));
    addControl(kLow, "OUT OF RANGE - LOW", false);
    addControl(kHigh, "OUT OF RANGE - High", false);
    addArrow(kVolume, 160, 199, kStartVolume);
}

void CFrontcapPage2::OnInitDialog() {
    setArrowPosition(kVolume, kStartVolume);
    enable({kVolume, kIdStop}, false);
    enable({kStart}, true);
}

bool CFrontcapPage2::setUp(int) {
    CHdtLink& l = link();
    const bool band800 = l.facts().band == kBand800;
    if (l.run(HdtCommand::SetReceiveFrequency, {band800 ? 851000000 : 935000000}) &&
        (band800 || l.run(HdtCommand::SelectNarrowBand)) && l.run(HdtCommand::ReceiverOn) &&
        l.run(HdtCommand::SpeakerOff) && l.run(HdtCommand::SpeakerOnAt180))
        return true;
    message(kCouldNotStartGain);
    return false;
}

void CFrontcapPage2::showRunning(int) {
    // The radio plays at 180 now: the arrow and its field say so.
    setArrowPosition(kVolume, kStartVolume);
    enable({kVolume}, true);
    controls().setText(kVolumeText, format("%03d", kStartVolume));
}

void CFrontcapPage2::OnArrow(int id, int delta, int position) {
    (void)delta;
    if (id != kVolume) return;
    controls().setText(kVolumeText, format("%03d", position));
    if (!link().run(HdtCommand::SpeakerOff) || !link().run(HdtCommand::SpeakerVolume, {position})) {
        OnStop();
        return;
    }
    controls().setEnabled(kHigh, position >= 184);
    controls().setEnabled(kLow, position < 176);
}

bool CFrontcapPage2::finish() {
    link().run(HdtCommand::MuteSpeaker);
    enable({kVolume, kHigh, kLow}, false);
    return true;
}

// ---- Squelch ----

CFrontcapPage4::CFrontcapPage4(CTestSheet& sheet)
    : CFrontcapPage(sheet, "Squelch Test", kStart, kWizBackNext) {
    addButton(kWide, "Wide Band");
    addButton(kNarrow, "Narrow Band");
    addControl(kSetting, "Squelch Setting", false);
    addControl(kOutOfRange, "Error - Out of Range", false);
    addControl(kLabel, "Squelch -", false);
    addControl(kResult, "", false);
    addArrow(kSquelch, 0, 255, 1);
    select(kWide, kWide);
}

void CFrontcapPage4::OnInitDialog() {
    narrow_ = false;
    select(kWide, kWide);
    enable({kStart, kWide, kNarrow}, true);
    setArrowPosition(kSquelch, 1);
    enable({kSquelch, kIdStop, kSetting, kOutOfRange, kLabel, kResult}, false);
    controls().setText(kResult, "");
}

bool CFrontcapPage4::OnOtherCommand(int id) {
    // Each button selects the bandwidth it names.
    if (id != kWide && id != kNarrow) return false;
    narrow_ = id == kNarrow;
    select(kWide, id);
    return true;
}

bool CFrontcapPage4::squelchStep(int level) {
    if (!link().run(HdtCommand::SetSquelchLevel, {level})) return false;
    correct_ = replyHas(link().reply().text(), "PASS");
    return link().run(HdtCommand::TestSquelchLevel);
}

bool CFrontcapPage4::setUp(int) {
    CHdtLink& l = link();
    const bool band800 = l.facts().band == kBand800;
    if (l.run(HdtCommand::SetReceiveFrequency, {band800 ? 815000000 : 899000000}) &&
        l.run(HdtCommand::SetBandwidth, {narrow_ ? 1 : 0}) && l.run(HdtCommand::UnmuteSpeaker) &&
        squelchStep(1))
        return true;
    message("Could not start Squelch Test.");
    return false;
}

void CFrontcapPage4::showRunning(int) {
    setArrowPosition(kSquelch, 1);
    enable({kStart, kWide, kNarrow}, false);
    enable({kResult, kLabel, kSquelch, kSetting}, true);
    showResult(1);
}

void CFrontcapPage4::showResult(int level) {
    const bool outOfRange = level > kHighestSetting;
    controls().setEnabled(kOutOfRange, outOfRange);
    controls().setText(kResult, outOfRange ? "" : correct_ ? "Correct" : "Low");
}

void CFrontcapPage4::OnArrow(int id, int delta, int position) {
    (void)delta;
    if (id != kSquelch) return;
    if (!squelchStep(position)) {
        OnStop();
        return;
    }
    showResult(position);
}

bool CFrontcapPage4::finish() {
    // An out-of-range setting was only shown to the technician: the radio keeps its saved one.
    if (link().run(HdtCommand::MuteSpeaker) && arrowPosition(kSquelch) <= kHighestSetting)
        link().run(HdtCommand::SaveTracking);
    return true;
}

void CFrontcapPage4::stopped(bool) {
    enable({kSquelch, kSetting, kOutOfRange, kResult, kLabel}, false);
    controls().setText(kResult, "");
    enable({kWide, kNarrow}, true);
}

// ---- SINAD ----

CFrontcapPage6::CFrontcapPage6(CTestSheet& sheet)
    : CFrontcapPage(sheet, "SINAD TESTS", kStart, kWizBack) {
    addButton(kLow, "Low");
    addButton(kHigh, "High");
    select(kLow, kLow);
}

void CFrontcapPage6::OnInitDialog() {
    enable({kLow, kHigh, kStart}, true);
    enable({kIdStop}, false);
    low_ = true;
    select(kLow, kLow);
}

bool CFrontcapPage6::OnOtherCommand(int id) {
    if (id != kLow && id != kHigh) return false;
    low_ = id == kLow;
    select(kLow, id);
    return true;
}

bool CFrontcapPage6::setUp(int) {
    CHdtLink& l = link();
    const std::uint8_t band = l.facts().band;
    const long long hz = low_ ? (band == kBand800 ? 851000000 : 935000000)
                              : (band == kBand800 ? 869000000 : 941000000);
    if (l.run(HdtCommand::SetReceiveFrequency, {hz}) &&
        (band != kBand900 || l.run(HdtCommand::SelectNarrowBand)) && l.run(HdtCommand::ReceiverOn))
        return true;
    message("Could not start Sinad Test.");
    return false;
}

void CFrontcapPage6::showRunning(int) {
    enable({kLow, kHigh}, false);
}

bool CFrontcapPage6::finish() {
    link().run(HdtCommand::MuteSpeaker);
    return true;
}

void CFrontcapPage6::stopped(bool) {
    enable({kLow, kHigh}, true);
}

}  // namespace tw::testtune
