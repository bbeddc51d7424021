#include "testtune/test_sheet.h"

#include "testtune/facet_pages.h"
#include "testtune/frontcap_pages.h"
#include "testtune/rf_pages.h"

namespace tw::testtune {

CTestSheet::CTestSheet(Env& env, std::string title)
    : env_(env),
      title_(std::move(title)),
      link_(env),
      timers_(std::make_unique<VirtualTimerHost>(env.clock)) {
    link_.onConnectionLost([this] { OnConnectionLost(); });
}

CTestSheet::~CTestSheet() {
    // Pages first: a page's test dialog joins its worker before the link goes.
    for (auto& p : pages_) timers_->killAll(p.get());
    pages_.clear();
}

std::vector<std::string> CTestSheet::pageTitles() const {
    std::vector<std::string> out;
    for (const auto& p : pages_) out.push_back(p->title());
    return out;
}

std::vector<std::string> CTestSheet::describe() const {
    std::vector<std::string> lines{title_};
    for (const auto& page : pageTitles()) lines.push_back("page: " + page);
    return lines;
}

void CTestSheet::setTimerHost(std::unique_ptr<PageTimerHost> host) {
    if (host) timers_ = std::move(host);
}

void CTestSheet::setWizardMode() {
    wizard_ = true;
    if (!pages_.empty()) activate(0);
}

bool CTestSheet::backEnabled() const {
    return active_ > 0 && (buttons_ & kWizBack) != 0 && (buttons_ & kWizDisabledFinish) == 0;
}

bool CTestSheet::nextEnabled() const {
    return active_ + 1 < pageCount() && (buttons_ & kWizNext) != 0 &&
           (buttons_ & kWizDisabledFinish) == 0;
}

bool CTestSheet::finishEnabled() const {
    // The last page offers Finish whenever no test runs there.
    if ((buttons_ & kWizDisabledFinish) != 0) return false;
    return (buttons_ & kWizFinish) != 0 || active_ + 1 == pageCount();
}

void CTestSheet::activate(int index) {
    active_ = index;
    if (initialised_.size() < pages_.size()) initialised_.resize(pages_.size(), false);
    // The sheet's own button rule for a page without one: Next on the first page, Back and
    // Next between, Back on the last.
    buttons_ = index == 0 ? kWizNext : index + 1 == pageCount() ? kWizBack : kWizBackNext;
    CTestPage& page = activePage();
    dispatch([&] {
        if (!initialised_[static_cast<std::size_t>(index)]) {
            initialised_[static_cast<std::size_t>(index)] = true;
            page.OnInitDialog();
        }
        page.OnSetActive();
    });
}

bool CTestSheet::next() {
    if (closed_ || !nextEnabled()) return false;
    activate(active_ + 1);
    return true;
}

bool CTestSheet::back() {
    if (closed_ || !backEnabled()) return false;
    activate(active_ - 1);
    return true;
}

void CTestSheet::stopRunningTest() {
    // Closing the dialog ends its test (the radio is told) and tells its page.
    if (testDialog_) testDialog_->Close();
    // A sheet that never opened (a failed launch) has no page up and nothing running.
    if (pages_.empty() || static_cast<std::size_t>(active_) >= initialised_.size() ||
        !initialised_[static_cast<std::size_t>(active_)])
        return;
    CTestPage& page = activePage();
    if (page.running()) dispatch([&] { page.OnStop(); });
}

bool CTestSheet::finish() {
    if (closed_ || (wizard_ && !finishEnabled())) return false;
    stopRunningTest();
    Close();
    return true;
}

bool CTestSheet::cancel() {
    if (closed_) return true;
    if (!pages_.empty() && !activePage().mayClose()) return false;
    stopRunningTest();
    Close();
    return true;
}

bool CTestSheet::press(const std::string& button, bool& accepted) {
    accepted = false;
    // Next and Back move between pages; the sheet stays open.
    if (button == "Next" || button == "Back") {
        if (button == "Next")
            next();
        else
            back();
        return false;
    }
    if (button == "Finish" || button == "OK") {
        accepted = finish();
        return accepted;
    }
    if (button == "Cancel") return cancel();
    return false;
}

void CTestSheet::dispatch(const std::function<void()>& handler) {
    ++depth_;
    timers_->enterHandler();
    handler();
    if (depth_ == 1) {
        while (!posted_.empty()) {
            auto message = std::move(posted_.front());
            posted_.pop_front();
            message();
        }
    }
    --depth_;
    timers_->leaveHandler();
    changed();
}

bool CTestSheet::pressButton(int id) {
    if (closed_ || pages_.empty()) return false;
    CTestPage& page = activePage();
    // 2 is the Stop button of every page, whatever id the page gives it.
    if (id == kIdStop) id = page.stopId();
    if (!page.controls().has(id) || !page.controls().enabled(id)) return false;
    bool handled = false;
    dispatch([&] { handled = id == page.stopId() ? (page.OnStop(), true) : page.OnCommand(id); });
    return handled;
}

bool CTestSheet::arrow(int id, int delta) {
    if (closed_ || pages_.empty()) return false;
    bool done = false;
    dispatch([&] { done = activePage().step(id, delta); });
    return done;
}

bool CTestSheet::scroll(int id, int code) {
    if (closed_ || pages_.empty()) return false;
    CTestPage& page = activePage();
    if (!page.controls().enabled(id)) return false;
    bool done = false;
    dispatch([&] { done = page.OnScroll(id, code); });
    return done;
}

void CTestSheet::wait(Millis ms) {
    auto* host = dynamic_cast<VirtualTimerHost*>(timers_.get());
    if (!host) {
        env_.clock.sleep(ms);
        return;
    }
    host->pass(ms, [this] {
        if (testDialog_) testDialog_->apply();
    });
}

void CTestSheet::Close() {
    if (closed_) return;
    closed_ = true;
    for (auto& p : pages_) timers_->killAll(p.get());
    if (closeListener_) closeListener_();
    changed();
}

void CTestSheet::OnConnectionLost() {
    if (testDialog_) testDialog_->Close();
    Close();
}

void CTestSheet::noteTransmitterOn() {
    if (transmitterOn_) return;
    transmitterOn_ = true;
    changed();
}

void CTestSheet::noteTransmitterOff() {
    everUnkeyed_ = true;
    if (!transmitterOn_) return;
    transmitterOn_ = false;
    changed();
}

void CTestSheet::noteTransmitFrequency(std::optional<long long> hz) {
    if (transmitHz_ == hz) return;
    transmitHz_ = hz;
    if (transmitterOn_) changed();
}

std::string megahertzText(long long hz) {
    const long long whole = hz / 1000000;
    long long fraction = hz % 1000000;
    int digits = 6;
    while (digits > 4 && fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    std::string decimals = std::to_string(fraction);
    decimals.insert(0, static_cast<std::size_t>(digits) - decimals.size(), '0');
    return std::to_string(whole) + "." + decimals + " MHz";
}

std::string transmitterOnText(const CTestSheet& sheet) {
    if (!sheet.transmitterMayBeOn()) return {};
    std::string text = "TRANSMITTER ON";
    if (const auto hz = sheet.transmitHz()) text += " - " + megahertzText(*hz);
    return text;
}

CStandRFSheet::CStandRFSheet(Env& env) : CTestSheet(env, kTitle) {
    AddPage<CStandardRFPage1>();
    AddPage<CStandardRFPage2>();
    AddPage<CStandardRFPage3>();
    AddPage<CStandardRFPage4>();
    AddPage<CStandardRFPage5>();
    AddPage<CStandardRFPage6>();
}

CFrontcapSheet::CFrontcapSheet(Env& env) : CTestSheet(env, kTitle) {
    AddPage<CFrontcapPage1>();
    AddPage<CFrontcapPage2>();
    AddPage<CFrontcapPage4>();
    AddPage<CFrontcapPage6>();
}

CFacetTestSheet::CFacetTestSheet(Env& env) : CTestSheet(env, kTitle) {
    AddPage<CKeypadPage>();
    AddPage<CGeneralPage>();
    AddPage<CUdcTest>();
    AddPage<CGeneralPage3>();
}

std::unique_ptr<CTestSheet> buildTestSheet(Env& env, TestSheetChoice choice) {
    switch (choice) {
        case TestSheetChoice::Io:
            return std::make_unique<CFacetTestSheet>(env);
        case TestSheetChoice::StandardRf:
            return std::make_unique<CStandRFSheet>(env);
        case TestSheetChoice::Frontcap:
            return std::make_unique<CFrontcapSheet>(env);
    }
    return nullptr;
}

}  // namespace tw::testtune
