#include "families/hln/hln_page_ops.h"

#include "families/hln/hln_connect.h"
#include "families/hln/hln_messages.h"
#include "families/hln/hln_transfers.h"
#include "families/hln/personality_image.h"
#include "families/hln/radio_identity.h"
#include "ui/ui.h"
#include "util/hex.h"

namespace tw::hln {
namespace {

// A write that stops part-way leaves the radio with some of the new bytes.
constexpr const char* kPartWrittenDetail =
    "The radio may now hold part of the new data: write it again before the radio is used.";

constexpr const char* kUnknownSerial = "000000000000";

// One radio operation from opening to closing the port.
class Operation {
  public:
    Operation(HlnLink& link, char type) : link_(link), busy_(link.ui()), type_(type) {}
    ~Operation() { link_.close(); }
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // Opens, connects and names the radio. The NOVAC 30P is spelled without the blank on
    // the tracking commands.
    bool connect(std::string& model, std::string& serial, bool compactNovacName = false) {
        if (!HlnOpenPort(link_)) {
            link_.message(messages::kCommNotOpen);
            return false;
        }
        if (!HlnConnect(link_, type_, identity_)) return false;
        const std::string name = HlnModelName(identity_);
        if (name.empty()) {
            model = "???";
            serial = kUnknownSerial;
            return false;
        }
        model = compactNovacName && identity_.typeLetter() == 'M' ? "NOVAC30P" : name;
        return true;
    }

    std::string serialText() const { return hexEncode(identity_.serialNumber.data(), 6); }

    bool transferFeatures(bool write) {
        identity_.writeMode = write ? 1 : 0;
        const bool ok = HlnTransferFeatureData(link_, image_, identity_);
        identity_.writeMode = 0;
        return ok;
    }
    bool transferTracking(bool write) {
        identity_.writeMode = write ? 1 : 0;
        const bool ok = HlnTransferTrackingData(link_, image_, identity_);
        identity_.writeMode = 0;
        return ok;
    }

    std::string featureText() const {
        return hexEncode(image_.feature.data(), image_.featureLength());
    }
    std::string trackingText() const {
        return hexEncode(image_.tracking.data(), image_.tracking.size());
    }

    HlnLink& link() { return link_; }
    RadioIdentity& identity() { return identity_; }
    PersonalityImage& image() { return image_; }

  private:
    HlnLink& link_;
    BusyCursor busy_;
    char type_;
    RadioIdentity identity_;
    PersonalityImage image_;
};

}  // namespace

bool HlnOpenPort(HlnLink& link) {
    return link.open();
}

bool HlnGetStatus(HlnLink& link, std::string& model, std::string& serial, std::string& features,
                  std::string& tracking, char type, HlnStatusRead* read) {
    model = "????????";
    serial = kUnknownSerial;
    features = "01FF09FFFFFFFFFFFFFFFFFFFFFF";
    tracking = "FFFF1015FFFF1015FFFF1015FFFF1015FFFF1015FFFF1015E0E0E0";
    Operation op(link, type);
    if (!op.connect(model, serial)) return false;
    serial = op.serialText();
    HlnStatusRead got;
    got.features = op.transferFeatures(false);
    if (got.features)
        features = op.featureText();
    else
        link.message("Radio has no feature data.");
    got.tracking = op.transferTracking(false);
    if (got.tracking)
        tracking = op.trackingText();
    else
        link.message("Radio has no tracking data.");
    if (read) *read = got;
    return true;
}

bool HlnReadTracking(HlnLink& link, std::string& model, std::string& serial, std::string& tracking,
                     char type) {
    Operation op(link, type);
    if (!op.connect(model, serial, true)) return false;
    if (hasNoTrackingData(op.identity().typeLetter())) {
        link.close();
        link.message("This radio does not contain tracking data.");
        return false;
    }
    serial = op.serialText();
    if (!op.transferTracking(false)) {
        link.message("Tracking data not returned.");
        return false;
    }
    tracking = op.trackingText();
    link.message("Tracking data read successfully.");
    return true;
}

bool HlnWriteTracking(HlnLink& link, std::string& model, std::string& serial,
                      const std::string& tracking, char type, const HlnBeforeWrite& before) {
    Operation op(link, type);
    if (!op.connect(model, serial, true)) return false;
    serial = op.serialText();
    if (before && !before(serial, [&op]() -> std::optional<std::string> {
            if (!op.transferTracking(false)) return std::nullopt;
            return op.trackingText();
        }))
        return false;
    auto& record = op.image().tracking;
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] =
            2 * i + 1 < tracking.size() ? strictHexPair(tracking[2 * i], tracking[2 * i + 1]) : 0;
    const bool ok = op.transferTracking(true);
    link.message(ok ? "Tracking data written successfully." : "Tracking data not written.");
    if (!ok) link.ui().detail(kPartWrittenDetail);
    return ok;
}

bool HlnReadFeatures(HlnLink& link, std::string& model, std::string& serial, std::string& features,
                     char type) {
    (void)type;
    // The feature read connects the way a TRV is connected (power-cycle hint, extended
    // handshake on request), whatever type was chosen.
    Operation op(link, 'C');
    if (!op.connect(model, serial)) return false;
    serial = op.serialText();
    if (!op.transferFeatures(false)) {
        features.clear();
        link.message("Feature data not returned.");
        return false;
    }
    features = op.featureText();
    link.message("Feature data read successfully.");
    return true;
}

bool HlnWriteFeatures(HlnLink& link, std::string& model, std::string& serial,
                      const std::string& features, char type, const HlnBeforeWrite& before) {
    const std::size_t bytes = features.size() / 2;  // an odd last digit is dropped
    if (bytes > PersonalityImage::kFeatureRecordSize) {
        link.message("Feature data must not contain more than 50 bytes.");
        return false;
    }
    Operation op(link, type);
    if (!op.connect(model, serial)) return false;
    serial = op.serialText();
    if (before && !before(serial, [&op]() -> std::optional<std::string> {
            if (!op.transferFeatures(false)) return std::nullopt;
            return op.featureText();
        }))
        return false;
    // The record goes out as the text gives it, whatever the read of the copy left in it.
    auto& record = op.image().feature;
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    for (std::size_t i = 0; i < bytes; ++i)
        record[i] = strictHexPair(features[2 * i], features[2 * i + 1]);
    const bool ok = op.transferFeatures(true);
    link.message(ok ? "Feature data written successfully." : "Feature data not written.");
    if (!ok) link.ui().detail(kPartWrittenDetail);
    return ok;
}

}  // namespace tw::hln
