#include <algorithm>

#include "families/hln/hln_messages.h"
#include "families/hln/hln_table.h"
#include "families/hln/hln_transfers.h"
#include "ui/ui.h"

namespace tw::hln {
namespace {

// Radios fill only the first part of the block; that much is enough.
constexpr unsigned long kAuxiliaryMinimum = 25;

}  // namespace

bool HlnReadAuxiliaryBlock(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity) {
    (void)identity;
    BusyCursor busy(link.ui());
    HlnTableEntry entry;
    if (!HlnResolveTable(link, HlnSlot::Auxiliary, entry)) return false;
    if (!entry.exists()) return false;
    const auto size = static_cast<std::uint8_t>(PersonalityImage::kAuxiliaryBlockSize);
    if (!hlnSendAddressed(link, 'C', size, entry.address())) {
        link.message(messages::kReadError);
        return false;
    }
    const auto answer = link.port().readUpTo(size);
    if (answer) std::copy(answer->begin(), answer->end(), image.auxiliary.begin());
    if (!answer || answer->size() < kAuxiliaryMinimum) {
        link.message(messages::kReadError);
        return false;
    }
    return true;
}

}  // namespace tw::hln
