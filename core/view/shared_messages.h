#pragma once

// Texts that several families show word for word, each defined here once. A family's own
// messages name them through a using-declaration, so its code reads them as its own.
namespace tw::shared_text {

// MARTEN 30, WLB and MARTEN 60P (the WLA page adds "or busy").
inline constexpr const char* kPortNotOpened = "Comm Port not opened.";
// MARTEN 30, WLB, MARTEN 60P and WLA identifications.
inline constexpr const char* kWrongRadioType = "Wrong radio type number";
inline constexpr const char* kInvalidBandSplit = "Invalid band split data";
inline constexpr const char* kCouldNotInitialize =
    "Could not initialize radio. Check connection and confirm no other application is using "
    "comm port. ";
// The question before a write of tracking data that is all zero (KVR, HLN, WLB, MARTEN 60P,
// WLA).
inline constexpr const char* kAllZero = "Tracking Data is set to 0.\n Proceed?";
// Tracking files (KVR, HLN, WLB, MARTEN 60P, MARTEN 30).
inline constexpr const char* kCouldNotOpenFile = "Could not open file.";
inline constexpr const char* kWrongFileSize = "Wrong size of the file.";

}  // namespace tw::shared_text
