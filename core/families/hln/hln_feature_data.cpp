#include "families/hln/hln_messages.h"
#include "families/hln/hln_table.h"
#include "families/hln/hln_transfers.h"
#include "ui/ui.h"

namespace tw::hln {
namespace {

bool readFeatures(HlnLink& link, PersonalityImage& image) {
    if (!link.writeText("GI")) {
        link.message(messages::kReadError);
        return false;
    }
    auto& record = image.feature;
    if (!hlnReceive(link, &record[0], 1)) return false;
    if (record[0] == HlnLink::kPrompt) {
        link.message(messages::kNoData);
        return false;
    }
    if (!hlnReceive(link, &record[1], 2)) return false;
    const std::size_t count = record[2];
    if (count > PersonalityImage::kMaxFeatureCount) {
        link.message(messages::kFeatureInvalid);
        return false;
    }
    return hlnReceive(link, &record[3], count + 2) && hlnReceivePrompt(link);
}

bool writeFeatures(HlnLink& link, const PersonalityImage& image) {
    HlnTableEntry entry;
    if (!HlnResolveTable(link, HlnSlot::Feature, entry)) return false;
    if (!entry.exists()) {
        link.message(messages::kNoFeatureData);
        return false;
    }
    if (image.feature[2] > PersonalityImage::kMaxFeatureCount) {
        // The count would take the radio past the end of the record.
        link.message(messages::kFeatureInvalid);
        return false;
    }
    return hlnWriteMemory(link, static_cast<std::uint8_t>(image.featureLength()), entry.address(),
                          image.feature.data());
}

}  // namespace

bool HlnTransferFeatureData(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity) {
    BusyCursor busy(link.ui());
    return identity.writeMode ? writeFeatures(link, image) : readFeatures(link, image);
}

}  // namespace tw::hln
