#include "testtune/launcher.h"

#include <map>

namespace tw::testtune {

AlignmentBench::~AlignmentBench() {
    closeSheet();
}

CTestSheet* AlignmentBench::sheet() const {
    return sheet_ && !sheet_->closed() ? sheet_.get() : nullptr;
}

void AlignmentBench::closeSheet() {
    // A run that ends with a test still running stops it: nothing stays keyed.
    if (sheet_ && !sheet_->closed()) sheet_->cancel();
    if (sheet_) {
        // A sheet that lost its radio without ever unkeying it knows nothing of a transmitter
        // an earlier sheet may have left keyed.
        const bool inOrder = report_.opened && !sheet_->link().connectionLost();
        transmitterAfter_ = sheet_->transmitterMayBeOn()       ? TransmitterAfterSheet::MayBeOn
                            : sheet_->everUnkeyed() || inOrder ? TransmitterAfterSheet::Off
                                                               : TransmitterAfterSheet::Untold;
    }
    sheet_.reset();
    report_.opened = false;
}

CTestSheet* AlignmentBench::launch() {
    closeSheet();
    report_ = {};
    CPickTestDlg picker;
    env_.ui.runDialog(picker);
    if (!picker.choice()) return nullptr;
    return launch(*picker.choice());
}

CTestSheet* AlignmentBench::launch(TestSheetChoice choice) {
    closeSheet();
    report_ = {};
    report_.choice = choice;
    sheet_ = buildTestSheet(env_, choice);
    report_.title = sheet_->title();
    CHdtLink& link = sheet_->link();

    report_.connected = link.Connect();
    report_.facts = link.facts();
    if (!report_.connected) {
        env_.ui.message(kCouldNotInitialize);
        closeSheet();
        return nullptr;
    }
    report_.battery = link.ReadBattery();
    if (report_.battery < kLowestBattery || sheet_->closed()) {
        env_.ui.message(kBatteryTooLow);
        closeSheet();
        return nullptr;
    }
    env_.ui.detail("GVE test link: " + describeFacts(report_.facts) + ", battery " +
                   std::to_string(report_.battery));
    sheet_->setWizardMode();
    report_.opened = true;
    return sheet_.get();
}

bool runGveAlignment(Env& env, TransmitterAfterSheet* after) {
    AlignmentBench bench(env);
    CTestSheet* sheet = bench.launch();
    if (sheet) {
        env.ui.runDialog(*sheet);
        bench.closeSheet();
    }
    if (after) *after = bench.transmitterAfterSheet();
    return sheet != nullptr;
}

PageAction alignmentAction(AlignmentBench& bench) {
    static const std::map<std::string, std::string> kButtons = {
        {"io", "102"}, {"rf", "103"}, {"frontcap", "104"}, {"cancel", "Cancel"}};
    PageAction a;
    a.step = "alignment";
    a.argsHelp = "io|rf|frontcap|cancel";
    a.help =
        "GVE Alignment: pick a test sheet, connect to the radio's test interpreter, check "
        "the battery (service work only)";
    a.argCount = 1;
    a.serviceOnly = true;
    a.dialogScript = [](const std::vector<std::string>& args) {
        DialogScript script;
        const auto it = kButtons.find(args.at(0));
        // A word that names no button is pressed as it is: the picker refuses it.
        script.button = it == kButtons.end() ? args.at(0) : it->second;
        return script;
    };
    a.run = [&bench](const std::vector<std::string>& args) {
        if (bench.launch()) return true;
        return args.at(0) == "cancel" && !bench.report().choice;
    };
    return a;
}

}  // namespace tw::testtune
