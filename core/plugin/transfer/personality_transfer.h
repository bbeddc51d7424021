#pragma once

#include <string>

#include "plugin/store/personality.h"
#include "plugin/transfer/transfer_outcome.h"

namespace tw {

struct Env;

// Fills the personality from an HLN-family radio on port 1 (fromRadio) or from a memory
// image file. On any outcome but Done the personality is as it was.
TransferOutcome ReadPers(Env& env, const TransferSettings& settings, CPersonality& personality,
                         bool fromRadio, const std::string& path,
                         const RadioDescription& description);

// Sends the personality to the radio on port 1 (toRadio) or saves it as an image file. The
// personality is left as it was, its type included.
TransferOutcome WritePers(Env& env, const TransferSettings& settings, CPersonality& personality,
                          unsigned idOverride, bool toRadio, const std::string& path,
                          const RadioDescription& description);

// Reading buffer of the transfer: larger than every radio's image.
inline constexpr std::size_t kPersReadBufferSize = 24576;

namespace pers_text {
inline constexpr const char* kNoStorage = "Cannot Allocate Personality Storage";
inline constexpr const char* kWrongLetter =
    "The radio description is for type \"%c\"; the personality is type \"%c\". Nothing was "
    "transferred.";
inline constexpr const char* kUnknownLetter =
    "Radio type \"%c\" (code %u) has no personality images. Nothing was transferred.";
inline constexpr const char* kNoBandLimits =
    "The personality holds no band limits, so the band of the image is unknown. Nothing was "
    "read.";
inline constexpr const char* kCannotOpen = "Cannot open the image file %s: %s";
inline constexpr const char* kCannotRead = "Cannot read the image file %s: %s";
inline constexpr const char* kTooLong =
    "The image file %s holds %ju bytes; a type \"%c\" personality image is at most %u bytes. "
    "Nothing was read.";
inline constexpr const char* kFileCutShort =
    "The image file is cut short: %s holds %zu bytes, but %s. Nothing was read.";
inline constexpr const char* kRadioCutShort =
    "The image read from the radio is cut short: it holds %zu bytes, but %s. The personality "
    "was not changed.";
inline constexpr const char* kCannotWrite = "Cannot write the image file %s: %s";
inline constexpr const char* kOtherRadio =
    "The radio is type \"%c\"; the personality is for type \"%c\".\nWrite the personality to "
    "this radio anyway?";
inline constexpr const char* kPreReadFailed =
    "The radio's %s could not be read, so the write would erase it. Nothing was sent to the "
    "radio.";
inline constexpr const char* kPreReadDiffers =
    "The radio's %s read differently twice, so a line fault may have changed it. Nothing was "
    "sent to the radio.";
inline constexpr const char* kBandDetail = "Band code %d from the lower band limit %.4f MHz";
}  // namespace pers_text

}  // namespace tw
