#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testtune/hdt_link.h"
#include "testtune/pick_test.h"
#include "ui/dialog.h"

namespace tw::testtune {

// A test sheet: a titled wizard of test pages that owns the one link all its pages talk
// through. The pages come with the sheets' own tests; until then a sheet has none.
//
// A sheet closes by its buttons (front end) or from the program's side when the link is
// lost: then the open test dialog closes first, then the sheet, and the technician is back on
// the family page that launched it. Nothing else is closed.
class CTestSheet : public Dialog {
  public:
    CTestSheet(Env& env, std::string title);
    ~CTestSheet() override;

    std::string kind() const override { return "TestSheet"; }
    std::vector<std::string> describe() const override;
    bool press(const std::string& button, bool& accepted) override;
    std::string defaultButton() const override { return "Cancel"; }

    const std::string& title() const { return title_; }
    CHdtLink& link() { return link_; }
    const std::vector<std::string>& pageTitles() const { return pageTitles_; }

    void setWizardMode() { wizard_ = true; }
    bool wizardMode() const { return wizard_; }

    // Closes the sheet from the program's side; the front end showing it is told.
    void Close();
    bool closed() const { return closed_; }
    void setCloseListener(std::function<void()> listener) { closeListener_ = std::move(listener); }
    // While a test dialog is up, how to close it (empty when none is).
    void setTestDialogCloser(std::function<void()> closer) {
        testDialogCloser_ = std::move(closer);
    }

  protected:
    std::vector<std::string> pageTitles_;

  private:
    void OnConnectionLost();

    std::string title_;
    CHdtLink link_;
    bool wizard_ = false;
    bool closed_ = false;
    std::function<void()> closeListener_;
    std::function<void()> testDialogCloser_;
};

class CStandRFSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Standard Tests";
    explicit CStandRFSheet(Env& env) : CTestSheet(env, kTitle) {}
};

class CFrontcapSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Frontcap Tests";
    explicit CFrontcapSheet(Env& env) : CTestSheet(env, kTitle) {}
};

class CFacetTestSheet : public CTestSheet {
  public:
    static constexpr const char* kTitle = "Facet Test & Tune";
    explicit CFacetTestSheet(Env& env) : CTestSheet(env, kTitle) {}
};

std::unique_ptr<CTestSheet> BuildTestSheet(Env& env, TestSheetChoice choice);

}  // namespace tw::testtune
