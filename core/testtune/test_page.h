#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "testtune/hdt_link.h"
#include "view/controls.h"

namespace tw::testtune {

class CTestSheet;
class CTestDialog;

// Wizard button states a page posts to its sheet.
enum WizardButtons : int {
    kWizBack = 1,
    kWizNext = 2,
    kWizBackNext = 3,
    kWizFinish = 4,
    kWizDisabledFinish = 8,  // a test runs: Back, Next and Finish off
};

// The "Stop Test" button of every page and test dialog.
inline constexpr int kIdStop = 2;
// The overall time-out of a running test, and its timer.
inline constexpr Millis kTestTimeoutMs = 120000;
inline constexpr int kTimeoutTimer = 1;

// What a page does when the radio does not answer the resync a test starts with.
struct ResyncFailure {
    enum Close { None, Page, Sheet };
    const char* message = nullptr;  // told first, when set
    Close close = None;             // WM_CLOSE posted to the page or to the sheet
    int buttons = 0;                // wizard buttons set then; 0 leaves them
};

// An arrow (up-down) control: its range and position.
struct Arrow {
    int low = 0;
    int high = 0;
    int position = 0;
};

// One page of a test sheet: its controls by id and its handlers. The sheet calls the
// handlers one at a time (see CTestSheet::dispatch); what a page "posts" runs after the
// handler that posted it has returned.
class CTestPage {
  public:
    CTestPage(CTestSheet& sheet, std::string title);
    virtual ~CTestPage();
    CTestPage(const CTestPage&) = delete;
    CTestPage& operator=(const CTestPage&) = delete;

    const std::string& title() const { return title_; }
    Controls& controls() { return controls_; }
    const Controls& controls() const { return controls_; }
    const std::map<int, Arrow>& arrows() const { return arrows_; }
    int arrowPosition(int id) const;
    // Which controls are push buttons (the rest are texts, indicators, arrows, scroll bars).
    bool isButton(int id) const { return buttons_.count(id) != 0; }
    // Radio-button groups: the id of the selected button of each group (by first id).
    const std::map<int, int>& selections() const { return selections_; }

    // Handlers. Each returns false when the page has no such control or it is disabled.
    virtual void OnInitDialog() {}
    // The page became the active one; a page without its own rule keeps the sheet's.
    virtual void OnSetActive() {}
    virtual bool OnCommand(int id);
    // An arrow step: `position` is the arrow's position after it (position plus delta).
    virtual void OnArrow(int id, int delta, int position) {
        (void)id;
        (void)delta;
        (void)position;
    }
    // A scroll-bar notification: code 0 line up, 1 line down, 16 the bar took the focus.
    virtual bool OnScroll(int id, int code) {
        (void)id;
        (void)code;
        return false;
    }
    // A page timer fell due (WM_TIMER).
    virtual void OnTimer(int id) { (void)id; }
    // The Stop handler (IDCANCEL); it acts only while Stop is enabled.
    virtual void OnStop() = 0;
    // A page with no Stop button of its own never runs a test.
    bool running() const { return controls_.has(stopId_) && controls_.enabled(stopId_); }
    int stopId() const { return stopId_; }

    // Steps an arrow by one; false when the arrow is unknown or disabled. A step past the
    // end of the range is ignored, as a spin control at its end does not move.
    bool step(int id, int delta);
    // A page that keeps the sheet from closing (a test that must not be disrupted).
    virtual bool mayClose() const { return true; }

    static constexpr int kScrollUp = 0;
    static constexpr int kScrollDown = 1;
    static constexpr int kScrollFocus = 16;

  protected:
    // The resync every test starts with; false after the page's reaction to a radio that did
    // not answer it.
    bool Resync(const ResyncFailure& failure);
    CHdtLink& link();
    Env& env();
    void message(const std::string& text);
    void SetWizardButtons(int buttons);
    // WM_CLOSE to the page: its running test ends as Stop would end it.
    void postClose();
    void postCloseSheet();
    void startTimer(int id, Millis ms, bool repeating = false);
    void KillTimer(int id);

    Control& addControl(int id, std::string text = {}, bool enabled = true);
    Control& addButton(int id, std::string label, bool enabled = true) {
        buttons_.insert(id);
        Control& c = addControl(id, std::move(label), enabled);
        c.showsValue = false;
        return c;
    }
    void addArrow(int id, int low, int high, int position = 0);
    void setArrowPosition(int id, int position);
    void enable(std::initializer_list<int> ids, bool on);
    void select(int group, int id) { selections_[group] = id; }

    // Transmit frequency of the transmitter tests by band: 800 MHz radios the first, 900 MHz
    // radios the second followed by narrow band. A radio of neither split is not keyed: the
    // technician is told and the step fails.
    bool setTransmitFrequency(long long hz800, long long hz900);
    // "cmd 74 1": the page remembers that the transmitter may be on from the moment it is
    // asked for, answered or not.
    bool keyTransmitter();
    // "cmd 74 0" whenever the transmitter may be on; true when it was not or went off.
    bool unkeyTransmitter();
    // "cmd 74 0" whatever the page believes (the Stop of the power page always sends it).
    bool forceUnkey() {
        keyed_ = true;
        return unkeyTransmitter();
    }

    CTestSheet& sheet_;
    int stopId_ = kIdStop;

  private:
    std::string title_;
    Controls controls_;
    std::map<int, Arrow> arrows_;
    std::map<int, int> selections_;
    std::set<int> buttons_;
    bool keyed_ = false;
};

inline constexpr const char* kNoBandSplitRead = "No correct bandsplit read from radio.";

}  // namespace tw::testtune
