#include "testtune/test_page.h"

#include "testtune/test_sheet.h"

namespace tw::testtune {

CTestPage::CTestPage(CTestSheet& sheet, std::string title)
    : sheet_(sheet), title_(std::move(title)) {}

CTestPage::~CTestPage() = default;

CHdtLink& CTestPage::link() {
    return sheet_.link();
}

Env& CTestPage::env() {
    return sheet_.env();
}

bool CTestPage::Resync(const ResyncFailure& failure) {
    if (link().Resync()) return true;
    if (failure.message) message(failure.message);
    if (failure.close == ResyncFailure::Page) postClose();
    if (failure.close == ResyncFailure::Sheet) postCloseSheet();
    if (failure.buttons != 0) SetWizardButtons(failure.buttons);
    return false;
}

void CTestPage::message(const std::string& text) {
    env().ui.message(text);
}

void CTestPage::SetWizardButtons(int buttons) {
    sheet_.SetWizardButtons(buttons);
}

void CTestPage::postClose() {
    sheet_.post([this] { OnStop(); });
}

void CTestPage::postCloseSheet() {
    sheet_.post([this] { sheet_.cancel(); });
}

void CTestPage::startTimer(int id, Millis ms, bool repeating) {
    sheet_.timers().start(this, id, ms, repeating,
                          [this, id] { sheet_.dispatch([this, id] { OnTimer(id); }); });
}

void CTestPage::KillTimer(int id) {
    sheet_.timers().kill(this, id);
}

bool CTestPage::OnCommand(int id) {
    (void)id;
    return false;
}

int CTestPage::arrowPosition(int id) const {
    const auto it = arrows_.find(id);
    return it == arrows_.end() ? 0 : it->second.position;
}

Control& CTestPage::addControl(int id, std::string text, bool enabled) {
    Control& c = controls_.add(id, std::move(text));
    c.enabled = enabled;
    return c;
}

void CTestPage::addArrow(int id, int low, int high, int position) {
    arrows_[id] = {low, high, position};
    if (!controls_.has(id)) addControl(id, {}, true).showsValue = false;
}

void CTestPage::setArrowPosition(int id, int position) {
    auto it = arrows_.find(id);
    if (it != arrows_.end()) it->second.position = position;
}

void CTestPage::enable(std::initializer_list<int> ids, bool on) {
    for (const int id : ids) controls_.setEnabled(id, on);
}

bool CTestPage::step(int id, int delta) {
    auto it = arrows_.find(id);
    if (it == arrows_.end() || !controls_.enabled(id)) return false;
    const int position = it->second.position + delta;
    if (position < it->second.low || position > it->second.high) return true;
    it->second.position = position;
    OnArrow(id, delta, position);
    return true;
}

bool CTestPage::setTransmitFrequency(long long hz800, long long hz900) {
    const std::uint8_t band = link().facts().band;
    if (band != kBand800 && band != kBand900) {
        message(kNoBandSplitRead);
        return false;
    }
    const long long hz = band == kBand800 ? hz800 : hz900;
    const bool set = link().run(HdtCommand::setTransmitFrequency, {hz});
    sheet_.noteTransmitFrequency(set ? std::optional<long long>(hz) : std::nullopt);
    if (!set) return false;
    return band == kBand800 || link().run(HdtCommand::SelectNarrowBand);
}

bool CTestPage::keyTransmitter() {
    keyed_ = true;
    sheet_.noteTransmitterOn();
    return link().run(HdtCommand::TransmitterOn);
}

bool CTestPage::unkeyTransmitter() {
    if (!keyed_) return true;
    const bool off = link().run(HdtCommand::TransmitterOff);
    if (off) {
        keyed_ = false;
        sheet_.noteTransmitterOff();
    }
    return off;
}

}  // namespace tw::testtune
