#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "view/controls.h"
#include "view/env.h"

namespace tw {

// A button or other action of a page beyond the menu commands, offered to front ends by
// name (the command line calls it a step).
struct PageAction {
    std::string step;      // e.g. "radio-type"
    std::string argsHelp;  // e.g. "TYPE LINE"; empty when it takes none
    std::string help;
    // Words the step takes after its name; kAllAssignments: every following word of the
    // form ID=VALUE (none at all is fine).
    int argCount = 0;
    static constexpr int kAllAssignments = -1;
    std::function<bool(const std::vector<std::string>&)> run;
    // How a headless front end answers the dialog the action opens, from the same arguments;
    // empty when the action opens none (or its default button will do).
    std::function<DialogScript(const std::vector<std::string>&)> dialogScript;
    // The words of one use after the step name, for help texts (e.g. "country=Europe").
    std::string example;
    // Offered only to a program started for service work (--service).
    bool serviceOnly = false;
};

// The page of one family tab. It holds what the dialog holds (the controls' texts and enable
// states) and carries out the view's commands. Operations return true when they completed;
// every failure has already been reported to the technician through the Ui.
class FamilyPage {
  public:
    explicit FamilyPage(Env& env) : env_(env) {}
    virtual ~FamilyPage() = default;
    FamilyPage(const FamilyPage&) = delete;
    FamilyPage& operator=(const FamilyPage&) = delete;

    virtual bool GetStatus() { return ReadTrackingFromRadio(); }
    virtual bool ReadTrackingFromRadio() = 0;
    virtual bool ReadTrackingFromDisk() = 0;
    virtual bool WriteTrackingToRadio() = 0;
    virtual bool WriteTrackingToDisk() = 0;
    // Pages without feature data keep these; the view never routes to them.
    virtual bool ReadFeaturesFromRadio() { return true; }
    virtual bool ReadFeaturesFromDisk() { return true; }
    virtual bool WriteFeaturesToRadio() { return true; }
    virtual bool WriteFeaturesToDisk() { return true; }
    virtual bool SetTestMode(int on) {
        (void)on;
        return true;
    }

    // Lines of the maintenance report for this tab, from the controls' current texts.
    virtual std::vector<std::string> ReportLines() { return {}; }

    // The page's own buttons, for front ends that drive the page by name.
    virtual std::vector<PageAction> actions() { return {}; }

    Controls& controls() { return controls_; }
    const Controls& controls() const { return controls_; }

  protected:
    // The file dialog of a tracking or feature file: every family's dialogs start in the
    // "Track" directory of the profile, and a save asks before overwriting.
    FileChoice dataFileChoice(const char* filter, const char* extension, bool save) const;

    Env& env_;
    Controls controls_;
};

}  // namespace tw
