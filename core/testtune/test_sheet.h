#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "testtune/hdt_link.h"
#include "testtune/page_timers.h"
#include "testtune/pick_test.h"
#include "testtune/test_page.h"
#include "ui/dialog.h"

namespace tw::testtune {

// A test dialog open over a page (the streaming tests): its controls and its Stop button.
class CTestDialog {
  public:
    virtual ~CTestDialog() = default;
    virtual const std::string& title() const = 0;
    virtual const Controls& controls() const = 0;
    // A button of the dialog by id (2: Stop); false when it has none.
    virtual bool press(int id) = 0;
    // Applies what the test changed since the last call (user-interface side).
    virtual void apply() = 0;
    // WM_CLOSE to the dialog.
    virtual void Close() = 0;
    virtual bool closed() const = 0;
};

// A test sheet: a titled wizard of test pages that owns the one link all its pages talk
// through, the pages' timers and the wizard buttons the pages set.
//
// A sheet closes by its buttons or from the program's side when the link is lost: then the
// open test dialog closes first, then the sheet, and the technician is back on the family
// page that launched it. Leaving the sheet in any way first stops the running test.
class CTestSheet : public Dialog {
  public:
    CTestSheet(Env& env, std::string title);
    ~CTestSheet() override;

    std::string kind() const override { return "TestSheet"; }
    std::vector<std::string> describe() const override;
    // "Next", "Back", "Finish", "Cancel" (and "OK", as Finish, for front ends without wizard
    // buttons).
    bool press(const std::string& button, bool& accepted) override;
    std::string defaultButton() const override { return "Cancel"; }

    const std::string& title() const { return title_; }
    CHdtLink& link() { return link_; }
    Env& env() { return env_; }
    std::vector<std::string> pageTitles() const;

    void setWizardMode();
    bool wizardMode() const { return wizard_; }

    // Pages, counted from 0 in the sheet's order.
    int pageCount() const { return static_cast<int>(pages_.size()); }
    int activeIndex() const { return active_; }
    CTestPage& activePage() { return *pages_.at(static_cast<std::size_t>(active_)); }
    CTestPage& page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }

    void SetWizardButtons(int buttons) { buttons_ = buttons; }
    bool backEnabled() const;
    bool nextEnabled() const;
    bool finishEnabled() const;

    // The wizard buttons; false when the button is disabled (nothing happens then).
    bool next();
    bool back();
    bool finish();
    // Cancel, Escape, or WM_CLOSE to the sheet: stops the running test and closes; false
    // while a test that must not be disrupted runs.
    bool cancel();

    // A handler of the active page, or any handler: run one at a time, then what it posted.
    void dispatch(const std::function<void()>& handler);
    void post(std::function<void()> message) { posted_.push_back(std::move(message)); }
    bool pressButton(int id);
    bool arrow(int id, int delta);
    bool scroll(int id, int code);

    // Lets time pass (virtual on a virtual clock): page timers fire, an open test dialog
    // takes the test's changes as they come.
    void wait(Millis ms);

    PageTimerHost& timers() { return *timers_; }
    // The GUI puts its own host in place before the sheet runs.
    void setTimerHost(std::unique_ptr<PageTimerHost> host);

    // The open test dialog, if any (owned by its page).
    CTestDialog* testDialog() const { return testDialog_; }
    void setTestDialog(CTestDialog* dialog) { testDialog_ = dialog; }

    // Closes the sheet from the program's side; the front end showing it is told.
    void Close();
    bool closed() const { return closed_; }
    void setCloseListener(std::function<void()> listener) { closeListener_ = std::move(listener); }
    // Called whenever something visible changed (front ends refresh).
    void setChangeListener(std::function<void()> listener) {
        changeListener_ = std::move(listener);
    }
    void changed() {
        if (changeListener_) changeListener_();
    }

    // The radio's transmitter as far as the sheet can tell: possibly on from the moment a
    // page sends "cmd 74 1", answered or not, and off again only once a "cmd 74 0" has been
    // answered as sent. A front end shows it at once (a change is announced as it happens,
    // before the handler goes on), so that a failure message never hides a keyed radio.
    bool transmitterMayBeOn() const { return transmitterOn_; }
    // The transmit frequency the radio last accepted on this sheet, in hertz; nothing before
    // one was set and after a setting went unanswered (the radio may hold either).
    std::optional<long long> transmitHz() const { return transmitHz_; }
    // Some "cmd 74 0" of this sheet was answered as sent.
    bool everUnkeyed() const { return everUnkeyed_; }
    void noteTransmitterOn();
    void noteTransmitterOff();
    void noteTransmitFrequency(std::optional<long long> hz);

  protected:
    template <class Page>
    Page& AddPage() {
        auto page = std::make_unique<Page>(*this);
        Page& ref = *page;
        pages_.push_back(std::move(page));
        return ref;
    }

  private:
    void activate(int index);
    void OnConnectionLost();
    // Stops the running test of the active page (and its test dialog) before leaving.
    void stopRunningTest();

    Env& env_;
    std::string title_;
    CHdtLink link_;
    std::unique_ptr<PageTimerHost> timers_;
    std::vector<std::unique_ptr<CTestPage>> pages_;
    std::vector<bool> initialised_;
    int active_ = 0;
    int buttons_ = kWizNext;
    bool wizard_ = false;
    bool closed_ = false;
    int depth_ = 0;
    std::deque<std::function<void()>> posted_;
    CTestDialog* testDialog_ = nullptr;
    std::function<void()> closeListener_;
    std::function<void()> changeListener_;
    bool transmitterOn_ = false;
    bool everUnkeyed_ = false;
    std::optional<long long> transmitHz_;
};

// The transmitter indicator's words: "TRANSMITTER ON", with the frequency when it is known
// ("TRANSMITTER ON - 815.0125 MHz"); empty while the transmitter is off.
std::string transmitterOnText(const CTestSheet& sheet);
// Hertz as a technician reads a channel: megahertz with four decimals, more when needed.
std::string megahertzText(long long hz);

class CStandRFSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Standard Tests";
    explicit CStandRFSheet(Env& env);
};

class CFrontcapSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Frontcap Tests";
    explicit CFrontcapSheet(Env& env);
};

class CFacetTestSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Facet Test & Tune";
    explicit CFacetTestSheet(Env& env);
};

std::unique_ptr<CTestSheet> buildTestSheet(Env& env, TestSheetChoice choice);

}  // namespace tw::testtune
