// The test link of the BLT page's GVE Alignment (tab 2): connect, resync, and the sheet's
// launch with its battery check, against the simulated test interpreter.
#include <memory>

#include "fault_matrix.h"
#include "testtune/hdt_link.h"
#include "testtune/launcher.h"

namespace tw::faults {

TW_FAULT_ROWS(hdt) {
    using testtune::CHdtLink;
    // The test link is no page operation: the rows reach the bench's environment through
    // their preparation.
    auto bench = std::make_shared<PageBench*>(nullptr);
    const std::string versionFailed = "Unable to read radio code version.";
    const std::string testModeFailed = "Could not start Test Mode. Please Retry.";

    FaultRow connect;
    connect.name = "hdt connect";
    connect.family = "hdt";
    connect.tab = 2;
    connect.prepare = [bench](PageBench& b) { *bench = &b; };
    connect.run = [bench](FamilyPage&) {
        CHdtLink link((*bench)->env());
        return link.Connect();
    };
    connect.silent = {CHdtLink::kPowerOn};
    connect.failures = {testModeFailed};
    // Facts that cannot be read and a late prompt are told; test mode decides.
    connect.notes = {CHdtLink::kPowerOn, versionFailed, CHdtLink::kNoBandSplit,
                     CHdtLink::kNoRadioType};
    connect.boundMs = 10000;

    FaultRow resync = connect;
    resync.name = "hdt resync";
    resync.run = [bench](FamilyPage&) {
        Env& env = (*bench)->env();
        CHdtLink link(env);
        link.port().Attach(env.link.slkInit(3, CHdtLink::kBaud));
        return link.Resync();
    };
    resync.silent = {CHdtLink::kHdtLost};
    resync.failures = {testModeFailed, CHdtLink::kHdtLost};
    resync.notes = {versionFailed, CHdtLink::kNoBandSplit, CHdtLink::kNoRadioType};

    FaultRow launch = connect;
    launch.name = "hdt alignment launch";
    launch.run = [bench](FamilyPage&) {
        testtune::AlignmentBench alignment((*bench)->env());
        return alignment.launch(testtune::TestSheetChoice::StandardRf) != nullptr;
    };
    launch.silent = {CHdtLink::kPowerOn, testtune::kCouldNotInitialize};
    launch.failures = {testModeFailed, testtune::kCouldNotInitialize, testtune::kBatteryTooLow,
                       CHdtLink::kLinkLost};
    launch.boundMs = 15000;
    return {connect, resync, launch};
}

}  // namespace tw::faults
