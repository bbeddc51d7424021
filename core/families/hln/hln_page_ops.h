#pragma once

#include <functional>
#include <optional>
#include <string>

#include "families/hln/hln_link.h"

namespace tw::hln {

// The radio operations of the HLN page. Each opens the port, connects as `type`, does its
// transfer, shows its outcome and closes the port. Outputs the operation does not reach
// keep what the caller put in them.

// Opens the port with the link's opener; false when no port could be opened.
bool HlnOpenPort(HlnLink& link);

// Identity, feature data and tracking data. The outputs start as the defaults shown for a
// radio that answers nothing; a transfer that fails leaves its text at that default.
// `read`, when given, tells which of the two records came from the radio.
struct HlnStatusRead {
    bool features = false;
    bool tracking = false;
};
bool HlnGetStatus(HlnLink& link, std::string& model, std::string& serial, std::string& features,
                  std::string& tracking, char type, HlnStatusRead* read = nullptr);

// Called by a write once the radio is connected and before anything changes it, with the
// radio's serial number and a read of the record the write replaces (its hex text; nothing
// when the read failed). False stops the write there.
using HlnBeforeWrite = std::function<bool(
    const std::string& serial, const std::function<std::optional<std::string>()>& readHeld)>;

// Tracking data as 54 hex digits in record order. A failed transfer leaves `tracking` as
// it was and returns false.
bool HlnReadTracking(HlnLink& link, std::string& model, std::string& serial, std::string& tracking,
                     char type);
bool HlnWriteTracking(HlnLink& link, std::string& model, std::string& serial,
                      const std::string& tracking, char type, const HlnBeforeWrite& before = {});

// Feature data as hex text of the record's N + 5 bytes. After a failed transfer from a
// connected radio the text is empty, so that no other radio's data stays beside this
// radio's identity.
bool HlnReadFeatures(HlnLink& link, std::string& model, std::string& serial, std::string& features,
                     char type);
// Refuses a text of more than the record's 50 bytes before opening the port.
bool HlnWriteFeatures(HlnLink& link, std::string& model, std::string& serial,
                      const std::string& features, char type, const HlnBeforeWrite& before = {});

}  // namespace tw::hln
