#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "run/radio_work.h"
#include "ui/dialog.h"
#include "view/compare.h"
#include "view/controls.h"
#include "view/env.h"
#include "view/value_source.h"

namespace tw {

// A button or other action of a page beyond the menu commands, offered to front ends by
// name (the command line calls it a step). A page's list of them is the one description of its
// buttons: the window builds them from it and the command line offers its steps.
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
    // What a cancel of the step may leave in the radio.
    RadioWork work = RadioWork::Read;

    // The page's button that carries the action out (0: a step without a button), and its
    // cell in the page's button grid.
    int button = 0;
    int row = 0;
    int column = 0;
    // What the button runs: it asks the technician for what the step's words say. Unset: run
    // with no words. pressWork: what a cancel of the press may leave, where it differs from
    // the step's (a dialog whose step cancels it but whose button may write).
    std::function<bool()> press;
    std::optional<RadioWork> pressWork;
    // The button opens a window of its own, so it runs on the window's thread.
    bool opensWindow = false;
    // False for a button the layout holds hidden and no front end offers.
    bool offered = true;
};

// What an operation may do to the page's values, for the record of where they came from.
enum class SourceEffect {
    RadioRead,   // replaces them with a radio's (or fails and leaves them)
    RadioWrite,  // writes them to a radio
    FileLoad,    // replaces them with a file's
    FileSave,    // stores them in a file
    Action,      // a page button: noted when it changed them from a radio or a file
};

// Which of a page's values an operation or an edit concerns.
enum class DataSet { Tracking, Features, Both };

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

    // The family's tracking and feature files: extension without the dot ("tk2", "fea") and
    // the data it holds. A family lists none while it keeps no data files.
    struct DataFile {
        const char* extension;
        DataSet set;
    };
    virtual std::vector<DataFile> dataFiles() const { return {}; }
    // The data file `path` is by its extension (letter case aside), or nothing.
    std::optional<DataSet> dataOfFile(const std::string& path) const;
    // Loads a data file of the family into the page, as Read ... From Disk does.
    bool loadDataFile(DataSet set) {
        return set == DataSet::Features ? ReadFeaturesFromDisk() : ReadTrackingFromDisk();
    }
    // The page's values of `set` (Tracking or Features) as it labels them, in display order:
    // what a compare reads. Pages whose values sit in edit boxes name the boxes in
    // comparedFields; others build the values themselves.
    virtual std::vector<ComparedValue> comparedValues(DataSet set) const;

    // Runs an operation of the page and notes in source() what it did to the values.
    // `operation` names it in the line of a failure ("Get Status").
    bool tracked(SourceEffect effect, DataSet set, const std::string& operation,
                 const std::function<bool()>& run);
    const ValueSource& source() const { return source_; }
    // The technician changed control `id` by hand.
    void noteEdited(int id);
    // Values the technician changed and neither wrote to a radio nor saved to a file.
    bool unsaved(DataSet set) const;

    // Value checks while typing. fieldProblem: what the edit box `id` would be marked with for
    // `text` (the fault and what the box allows), by the rule the check before a write reads;
    // nothing when that check would take it, for a box without a rule, and for an empty box,
    // so that a page that has read nothing yet does not open all marked. It reads no page
    // state, so a front end may ask while an operation runs.
    std::optional<std::string> fieldProblem(int id, const std::string& text) const {
        return text.empty() ? std::nullopt : valueProblem(id, text);
    }
    // The box a failed check before a write named (0: none), handed out once, so that a later
    // operation does not send the focus there again.
    int takeFailedField() { return std::exchange(failedField_, 0); }

  protected:
    // An edit box of the page's data and its label ("Squelch, Low").
    struct ComparedField {
        int id;
        std::string label;
    };
    virtual std::vector<ComparedField> comparedFields(DataSet set) const {
        (void)set;
        return {};
    }
    // Controls that hold feature data rather than tracking data.
    virtual bool isFeatureControl(int id) const {
        (void)id;
        return false;
    }
    // The file dialog of a data file, remembering the file chosen for the source line.
    std::optional<std::string> askDataFile(const FileChoice& choice, bool save);
    // A data file chosen another way (given beforehand).
    void noteFileChosen(const std::string& path, bool save);
    // The page now shows a band's default values.
    void noteDefaults(const std::string& band);
    // The family's part of fieldProblem, for a text that is not empty.
    virtual std::optional<std::string> valueProblem(int id, const std::string& text) const {
        (void)id;
        (void)text;
        return std::nullopt;
    }
    int failedField_ = 0;

    // The file dialog of a tracking or feature file: every family's dialogs start in the
    // "Track" directory of the profile, and a save asks before overwriting.
    FileChoice dataFileChoice(const char* filter, const char* extension, bool save) const;

    Env& env_;
    Controls controls_;

  private:
    void markSaved(DataSet set);

    ValueSource source_;
    std::string chosenFile_;
    long filesOpened_ = 0;
    long filesSaved_ = 0;
    bool unsavedTracking_ = false;
    bool unsavedFeatures_ = false;
};

}  // namespace tw
