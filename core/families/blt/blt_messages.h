#pragma once

namespace tw::blt::messages {

inline constexpr const char* kNotInProgramMode =
    "Radio not in program mode and/or not initialized. Reconnect Radio.";
inline constexpr const char* kPortInUse =
    "Serial port in use by another application or failed to open";
inline constexpr const char* kNoTrackingData =
    "No Valid Tracking Data, use Get Status function with radio connected or read data from file.";
inline constexpr const char* kNoFeatureData =
    "No Valid Feature Data. Select Yes to create blank feature data. If you select No, use Get "
    "Status function with radio connected or read feature data from file.  ";
inline constexpr const char* kFeatureFamilyQuestion =
    "Is this feature data for a BLT, Lyra or NOVAC 60M";
inline constexpr const char* kReadTrackingComplete = "Read Tracking Data Complete.";
inline constexpr const char* kReadFeaturesComplete = "Read Feature Data Complete.";
inline constexpr const char* kHardwareBelowLevel4 =
    "BLT/Lyra hardware less than level 4 does not support version 7 tracking data.";
inline constexpr const char* kNoThreePowerRows =
    "BLT hardware does not support version 7 tracking data with three power rows.";
inline constexpr const char* kWriteTrackingComplete = "Write Tracking Data Complete.";
inline constexpr const char* kWriteTrackingFailed = "Write Tracking Data Failed";
inline constexpr const char* kWriteFeaturesComplete = "Write Feature Data Complete.";
inline constexpr const char* kWriteFeaturesFailed = "Write Feature Data Failed";
inline constexpr const char* kCouldNotWriteTracking = "Could not write Tracking Data to Disk";
inline constexpr const char* kCouldNotReadTracking = "Could not read Tracking Data from Disk";
inline constexpr const char* kCouldNotWriteFeatures = "Could not write Feature Data to Disk";
inline constexpr const char* kCouldNotReadFeatures = "Could not read Feature Data from Disk";
inline constexpr const char* kUpgradeQuestion =
    "You are about to upgrade the BLT/Lyra tracking data to version 7 for switchable radios. You "
    "should have a backup of your current tracking data and your feature data before attempting "
    "to upgrade. Continue?";
inline constexpr const char* kUpgradeComplete =
    "Complete. You will need to write the tracking data, and feature data, and then reprogram "
    "the personality using Perscribe, in that order. If you have a Dualset capable radio, be sure "
    "you do not power cycle before you program the personality.";
inline constexpr const char* kEnteredTestZone = "You have entered the TEST ZONE";
inline constexpr const char* kLeftTestZone = "You have left the TEST ZONE";

// Flash and recovery.
inline constexpr const char* kReadCodeFailed = "Read Radio Code Failed.";
inline constexpr const char* kReadCodeComplete = "Read Radio Code Complete.";
inline constexpr const char* kNoAdiFile = "No ADI File Read From Radio";
inline constexpr const char* kNoDspFile = "No DSP File Read From Radio";
inline constexpr const char* kReadingAdi = "Reading ADI File";
inline constexpr const char* kReadingDsp = "Reading DSP File";
inline constexpr const char* kReadAdiDspComplete = "Read ADI/DSP Code Complete.";
inline constexpr const char* kPowerCycleForRecovery =
    "Power cycle radio to programming mode and connect to correct programming box and serial "
    "port.";
inline constexpr const char* kDesktopQuestion =
    "The option allows the reflashing of the Desktop Frequency Select board. Do you want to "
    "continue?";
inline constexpr const char* kDesktopInstructions =
    "You should have the frequency select board connected to the programming box and have "
    "powered up the desktop station. Press the PTT button on the programming interface box to "
    "place the board in programming mode. Press OK and select the flash file. You should then "
    "see the code downloading to the board.";
inline constexpr const char* kAllAttemptsFailed =
    "All attempts failed. Please check the cable connections, power cycle the desktop station, "
    "and retry.";
inline constexpr const char* kInvalidRadioType = "Invalid radio type.";
inline constexpr const char* kCouldNotCompleteWrite = "Could not complete write, please retry.";
inline constexpr const char* kCouldNotConnectBoard =
    "Could not connect to frequency select board. Press PTT on interface box ONCE and retry.";

// Failures the connection library would leave unreported; the technician must not take them
// for success.
inline constexpr const char* kUpgradeFailed = "Version Upgrade Failed";
inline constexpr const char* kJumpFailed = "Jump Failed";
inline constexpr const char* kRecoveryFailed = "Radio Recovery Failed";
inline constexpr const char* kNoFeatureDataToWrite =
    "No Valid Feature Data, use Get Status function with radio connected or read feature data "
    "from file.";
inline constexpr const char* kStatusReadFailed = "Could not read the radio status";

}  // namespace tw::blt::messages
