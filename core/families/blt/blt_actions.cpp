#include "families/blt/blt_page.h"
#include "families/blt/blt_report.h"
#include "testtune/launcher.h"
#include "testtune/sheet_steps.h"

namespace tw::blt {

namespace {

// ID=VALUE words as dialog settings, then OK; words for other purposes are left out.
DialogScript assignments(const std::vector<std::string>& args, const std::string& skip = {}) {
    DialogScript s;
    for (const auto& arg : args) {
        const auto eq = arg.find('=');
        const std::string key = arg.substr(0, eq);
        if (!skip.empty() && key == skip) continue;
        s.settings.emplace_back(key, eq == std::string::npos ? "" : arg.substr(eq + 1));
    }
    s.button = "OK";
    return s;
}

}  // namespace

std::vector<std::string> CMaintenanceDlg::ReportLines() {
    return bltReportLines(conn_->data);
}

std::vector<PageAction> CMaintenanceDlg::actions() {
    std::vector<PageAction> list;
    // Data buttons in the left column of the page, radio-code and recovery buttons on the right.
    auto button = [](PageAction& a, int id, int row, int column, RadioWork work) {
        a.button = id;
        a.row = row;
        a.column = column;
        a.work = work;
    };
    auto plain = [&](const char* step, const char* help, bool (CMaintenanceDlg::*op)(), int id,
                     int row, int column, RadioWork work = RadioWork::Read) {
        PageAction a;
        a.step = step;
        a.help = help;
        a.run = [this, op](const std::vector<std::string>&) { return (this->*op)(); };
        button(a, id, row, column, work);
        list.push_back(a);
        return &list.back();
    };
    auto withFile = [&](const char* step, const char* help, bool (CMaintenanceDlg::*op)(), int id,
                        int row, RadioWork work = RadioWork::Read) {
        PageAction a;
        a.step = step;
        a.argsHelp = "FILE";
        a.help = help;
        a.argCount = 1;
        a.run = [this, op](const std::vector<std::string>& args) {
            presetFile(args.at(0));
            const bool ok = (this->*op)();
            presetFile_.reset();
            return ok;
        };
        a.press = [this, op] { return (this->*op)(); };
        button(a, id, row, 1, work);
        list.push_back(a);
    };
    plain("radio-info", "Radio Information: status read and the radio status dialog",
          &CMaintenanceDlg::GetStatus, kRadioInformationButton, 3, 0);

    PageAction tracking;
    tracking.step = "tracking-edit";
    tracking.argsHelp = "[ID=VALUE ...]";
    tracking.help = "Tracking Data Edit: set words by field id (5000 + word), OK";
    tracking.argCount = PageAction::kAllAssignments;
    tracking.run = [this](const std::vector<std::string>&) { return TrackingDataEdit(); };
    tracking.dialogScript = [](const std::vector<std::string>& args) { return assignments(args); };
    button(tracking, kTrackingEditButton, 0, 0, RadioWork::Write);
    list.push_back(tracking);

    PageAction feature;
    feature.step = "feature-edit";
    feature.argsHelp = "[new=blt|other] [OFFSET=HEX ...]";
    feature.help =
        "Feature Data Edit: new= makes a blank record when none is held; decimal byte offset = "
        "hex value, OK";
    feature.argCount = PageAction::kAllAssignments;
    feature.run = [this](const std::vector<std::string>& args) {
        for (const auto& arg : args) {
            if (arg.rfind("new=", 0) != 0) continue;
            const std::string family = arg.substr(4);
            if (family != "blt" && family != "other") {
                env_.ui.detail("feature-edit: new= takes blt or other, not " + family);
                return false;
            }
            if (conn_->data.featureLength() == 0) createBlankFeatureData(family == "blt");
        }
        return FeatureDataEdit();
    };
    feature.dialogScript = [](const std::vector<std::string>& args) {
        return assignments(args, "new");
    };
    button(feature, kFeatureEditButton, 1, 0, RadioWork::Write);
    list.push_back(feature);

    plain("version-upgrade", "Version Upgrade: held tracking data to version 7",
          &CMaintenanceDlg::VersionUpgrade, kVersionUpgradeButton, 2, 0, RadioWork::Write);
    withFile("write-code", "Write Code to File: the radio code into a .BIN file",
             &CMaintenanceDlg::WriteCodeToFile, kWriteCodeButton, 0);
    withFile("write-adi-dsp", "Write ADI/DSP to File: the ADI or DSP file of the radio",
             &CMaintenanceDlg::WriteAdiDspToFile, kWriteAdiDspButton, 1);
    plain("jump", "Jump", &CMaintenanceDlg::Jump, kJumpButton, 2, 1);
    plain("recovery", "Recovery: power-cycled radio back into programming",
          &CMaintenanceDlg::Recovery, kRecoveryButton, 3, 1);
    withFile("desktop", "Desktop: reflash the desktop frequency-select board from FILE",
             &CMaintenanceDlg::Desktop, kDesktopButton, 4, RadioWork::Flash);
    // Stands in the layout, hidden, and is never offered.
    plain("radio-recovery", "Radio Recovery", &CMaintenanceDlg::RadioRecovery, kRadioRecoveryButton,
          5, 1)
        ->offered = false;

    // The window runs the alignment as a whole in its sheet window; a headless front end
    // launches the sheet on its bench and drives it with the sheet's own steps.
    PageAction alignment =
        alignmentBench_ ? testtune::alignmentAction(*alignmentBench_) : PageAction{};
    alignment.step = "alignment";
    alignment.serviceOnly = true;
    if (!alignment.run)
        alignment.run = [this](const std::vector<std::string>&) { return GveAlignment(); };
    alignment.press = [this] { return GveAlignment(); };
    alignment.opensWindow = true;
    button(alignment, kGveAlignmentButton, 4, 0, RadioWork::Read);
    list.push_back(alignment);
    if (alignmentBench_)
        for (auto& a : testtune::sheetActions(*alignmentBench_)) list.push_back(std::move(a));
    return list;
}

}  // namespace tw::blt
