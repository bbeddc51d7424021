#include "view/commands.h"

namespace tw {
namespace {

bool isFeatureCommand(Command c) {
    return c == Command::ReadFeaturesFromRadio || c == Command::ReadFeaturesFromDisk ||
           c == Command::WriteFeaturesToRadio || c == Command::WriteFeaturesToDisk;
}

Route featureRoute(Command c) {
    switch (c) {
        case Command::ReadFeaturesFromRadio:
            return Route::ReadFeaturesFromRadio;
        case Command::ReadFeaturesFromDisk:
            return Route::ReadFeaturesFromDisk;
        case Command::WriteFeaturesToRadio:
            return Route::WriteFeaturesToRadio;
        default:
            return Route::WriteFeaturesToDisk;
    }
}

}  // namespace

Route routeFor(Command c, int tab) {
    if (tab < 0 || tab >= kTabCount) return Route::Nothing;
    switch (c) {
        case Command::GetStatus:
            return (tab == 1 || tab == 2) ? Route::GetStatus : Route::ReadTrackingFromRadio;
        case Command::ReadTrackingFromRadio:
            return Route::ReadTrackingFromRadio;
        case Command::ReadTrackingFromDisk:
            return Route::ReadTrackingFromDisk;
        case Command::WriteTrackingToRadio:
            return Route::WriteTrackingToRadio;
        case Command::WriteTrackingToDisk:
            return Route::WriteTrackingToDisk;
        case Command::TestMode:
            if (tab == 0) return Route::KvrTestNotice;
            return (tab == 1 || tab == 2) ? Route::SetTestMode : Route::Nothing;
        default:
            break;
    }
    if (isFeatureCommand(c)) {
        if (tab == 1 || tab == 2) return featureRoute(c);
        if (tab == 0) return Route::NoFeaturesMessage;
        if (tab == 3 && c == Command::WriteFeaturesToDisk) return Route::NoFeaturesMessage;
    }
    return Route::Nothing;
}

bool commandEnabled(Command c, int tab) {
    if (c == Command::GetStatus) return tab == 0 || tab == 1 || tab == 2 || tab == 6;
    if (isFeatureCommand(c)) return tab == 1 || tab == 2;
    return true;
}

std::optional<std::string> commandPrompt(Command c) {
    switch (c) {
        case Command::Print:
            return "Print the active document\nPrint";
        case Command::PrintPreview:
            return "Display full pages\nPrint Preview";
        case Command::PrintSetup:
            return "Change the printer and printing options\nPrint Setup";
        case Command::Exit:
            return "Quit the application; prompts to save documents\nExit";
        case Command::GetStatus:
            return "Get the status of the radio\nGet Status";
        case Command::CommSettings:
            return "Serial Port Settings\nSerial Port";
        case Command::ReadTrackingFromRadio:
            return "Read the Tracking Data from the Radio\nRead Tracking From Radio";
        case Command::ReadTrackingFromDisk:
            return "Read the Tracking Data from a File on Disk\nRead Tracking Data from File";
        case Command::ReadFeaturesFromRadio:
            return "Read the Feature Data from the Radio\nRead Features From Radio";
        case Command::ReadFeaturesFromDisk:
            return "Read the Feature data from a Disk File\nRead Features from Disk";
        case Command::WriteTrackingToRadio:
            return "Write Tracking Data to the Radio\nWrite Tracking to Radio";
        case Command::WriteTrackingToDisk:
            return "Write the Tracking Data to a Disk File\nWrite Tracking to File";
        case Command::WriteFeaturesToRadio:
            return "Write the Feature Data to the Radio\nWrite Features to Radio";
        case Command::WriteFeaturesToDisk:
            return "Write the Feature Data to a Disk File\nWrite Features to File";
        case Command::HelpFinder:
            return "List Help topics\nHelp Topics";
        case Command::About:
            return "Display program information, version number and copyright\nAbout";
        case Command::TestMode:
            return "Enter Interactive Test and Tune Mode\nEnter Test Mode";
    }
    return std::nullopt;
}

}  // namespace tw
