#pragma once

// Texts the HLN link shows the technician, each named once.
namespace tw::hln::messages {

inline constexpr const char* kProgramMode =
    "If radio is not in program mode, power cycle radio to program mode.\n\nSee Perscribe online "
    "help for instructions on how to place radios in program mode.";
inline constexpr const char* kWakeWriteFailed = "Error on Initial Write for Handshake";
inline constexpr const char* kAskExtended = "TRV Handshake not complete, use extended handshaking?";
inline constexpr const char* kHandshakeFailed = "Error on Initial Handshake Setup";
inline constexpr const char* kNoHandshake = "No Radio Handshake";
inline constexpr const char* kGetIdWriteFailed = "Error Writing Get Radio ID Command";
inline constexpr const char* kReadIdFailed = "Error Reading Radio ID";
inline constexpr const char* kUnknownType = "Unknown Radio Type";
inline constexpr const char* kGetSerialWriteFailed =
    "Error Writing Get Radio Serial Number Command";
inline constexpr const char* kReadTimeout = "Read Timeout";
inline constexpr const char* kReadError = "Error Reading From Radio";
inline constexpr const char* kNoData = "Radio Did Not Return Data";
inline constexpr const char* kFeatureInvalid = "Feature Data is Invalid";
inline constexpr const char* kNoFeatureData = "Radio has no feature data";
inline constexpr const char* kNoTrackingSpace = "No space for tracking data";
inline constexpr const char* kNoTrackingData = "Radio has no tracking data";
inline constexpr const char* kVerifyFailed = "Verify Failed.  Try Again.";
inline constexpr const char* kRadioFailedVerify = "Radio failed Verify";
inline constexpr const char* kCommNotOpen = "Comm not open";
inline constexpr const char* kUnableToWrite = "Unable to write to the radio.";
inline constexpr const char* kTestModeRefused = "Unable to put the radio in test mode.";
inline constexpr const char* kReadRadioFailed = "Error Reading Radio";
inline constexpr const char* kTestModeStuck = "Unable to put the radio out of test mode.";

inline constexpr const char* kStatusWaking = "Waking Radio ...";
inline constexpr const char* kStatusExtended =
    "TRV Extended Handshake (Please Wait)- Attempt %d of %d";
inline constexpr const char* kStatusRead = "Read Percent Complete = %d";
inline constexpr const char* kStatusVerifyRead = "Verify Read Percent Complete = %d";
inline constexpr const char* kStatusWrite = "Write Percent Complete = %d";
inline constexpr const char* kStatusVerify = "Verify Percent Complete = %d";

}  // namespace tw::hln::messages
