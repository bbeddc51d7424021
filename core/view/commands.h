#pragma once

#include <optional>
#include <string>

namespace tw {

// Command ids of the main menu and toolbar.
enum class Command : int {
    Print = 57607,
    PrintPreview = 57609,
    PrintSetup = 57606,
    Exit = 57665,
    HelpFinder = 57667,
    About = 57664,
    GetStatus = 32771,
    CommSettings = 32772,
    ReadTrackingFromRadio = 32773,
    ReadTrackingFromDisk = 32774,
    ReadFeaturesFromRadio = 32775,
    ReadFeaturesFromDisk = 32776,
    WriteTrackingToDisk = 32778,
    WriteTrackingToRadio = 32779,
    WriteFeaturesToRadio = 32780,
    WriteFeaturesToDisk = 32781,
    TestMode = 32790,
};

// What a Radio command does on a given tab.
enum class Route {
    Nothing,
    NoFeaturesMessage,  // "Error - KVR Radios do not have feature data"
    KvrTestNotice,
    GetStatus,
    ReadTrackingFromRadio,
    ReadTrackingFromDisk,
    WriteTrackingToRadio,
    WriteTrackingToDisk,
    ReadFeaturesFromRadio,
    ReadFeaturesFromDisk,
    WriteFeaturesToRadio,
    WriteFeaturesToDisk,
    SetTestMode,
};

inline constexpr int kTabCount = 7;

Route routeFor(Command command, int tab);
// The command's update handler: false greys the item on that tab.
bool commandEnabled(Command command, int tab);
// Status-bar prompt of a command: the text before "\n" is the prompt, after it the tooltip.
std::optional<std::string> commandPrompt(Command command);

inline constexpr const char* kNoFeaturesMessage = "Error - KVR Radios do not have feature data";

}  // namespace tw
