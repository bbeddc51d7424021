#include <algorithm>

#include "families/hln/hln_messages.h"
#include "families/hln/hln_table.h"
#include "families/hln/hln_transfers.h"
#include "ui/ui.h"

namespace tw::hln {
namespace {

constexpr int kShortTracking = 25;
constexpr int kFullTracking = 27;

}  // namespace

int hlnTrackingLength(std::uint8_t major, std::uint8_t minor) {
    // Data layout 6.70 added squelch mid and high; older radios have one squelch value.
    return (major > 6 || (major == 6 && minor >= 70)) ? kFullTracking : kShortTracking;
}

bool HlnTransferTrackingData(HlnLink& link, PersonalityImage& image,
                             const RadioIdentity& identity) {
    BusyCursor busy(link.ui());
    if (hasNoTrackingData(identity.typeLetter())) return true;

    HlnTableEntry entry;
    if (!hlnResolveBase(link, entry.base)) return false;
    std::uint8_t version[2] = {};
    if (!hlnReadMemory(link, 2, static_cast<std::uint16_t>(entry.base + kHlnVersionAt), version))
        return false;
    const int length = hlnTrackingLength(version[0], version[1]);
    if (!hlnResolveSlot(link, entry.base, HlnSlot::Tracking, entry.offset)) return false;
    const bool writing = identity.writeMode != 0;
    if (!entry.exists()) {
        link.message(writing ? messages::kNoTrackingSpace : messages::kNoTrackingData);
        return false;
    }

    auto& record = image.tracking;
    const auto count = static_cast<std::uint8_t>(length);
    if (writing) return hlnWriteMemory(link, count, entry.address(), record.data());

    if (!hlnSendAddressed(link, 'C', count, entry.address())) {
        link.message(messages::kReadError);
        return false;
    }
    const auto answer = link.port().readUpTo(count);
    if (answer) std::copy(answer->begin(), answer->end(), record.begin());
    if (!answer || answer->size() < count) {
        link.message(messages::kReadError);
        return false;
    }
    if (length == kShortTracking) std::fill(record.begin() + 25, record.end(), record[24]);
    return true;
}

}  // namespace tw::hln
