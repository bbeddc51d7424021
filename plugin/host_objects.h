#pragma once

#include <string>

#include "plugin/validation/page_controls.h"
#include "tunewright_plugin.h"
#include "ui/ui.h"

namespace tw::plugin {

// A host's page as the core's controls: found by id in the host's list (the window the
// host names first). A missing control, or a callback the host left null, gives nothing.
class HostControls : public PageControls {
  public:
    HostControls(const TwControlList* list, TwControl* window = nullptr)
        : list_(list), window_(window) {}
    std::optional<std::string> text(int control) const override;
    std::optional<bool> checked(int control) const override;
    std::optional<int> selectedIndex(int control) const override;
    void enable(int control, bool on) override;
    void focus(int control) override;
    // Only an item the list holds is deleted: a page opened again has lost it already.
    void deleteListItem(int control, int index) override;

  private:
    TwControl* find(int id) const;
    const TwControlList* list_;
    TwControl* window_;
};

// The members of `host` its version has, the rest null (a null host: all null). An object
// of an older version ends before the members added since, so they are never read from it;
// everything else in the plug-in reads only such a copy.
TwHost copyHostObject(const TwHost* host);

// The host's message, question, busy, status and progress callbacks as the core's Ui.
// Without a host messages go to standard error and every question is answered No.
class HostUi : public Ui {
  public:
    explicit HostUi(const TwHost* host) : host_(host) {}
    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    // The host's askRisky; without one the answer is No and the host's message says so.
    bool askRisky(const std::string& text) override;
    bool askOkCancel(const std::string& text) override { return askYesNo(text); }
    std::optional<std::string> chooseOpenFile(const FileChoice&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileChoice&) override { return {}; }
    bool runDialog(Dialog&) override { return false; }
    void openStatus() override;
    void setStatusText(const std::string& text) override;
    void closeStatus() override;
    void progress(long done, long total) override;
    void beginBusy() override;
    void endBusy() override;
    void beep() override {}
    void detail(const std::string& text) override;

  private:
    const TwHost* host_;
};

}  // namespace tw::plugin
