#include "families/blt/blt_page.h"

#include <algorithm>

#include "families/blt/blt_files.h"
#include "families/blt/blt_messages.h"
#include "families/blt/radio_types.h"
#include "families/blt/tracking_layout.h"
#include "history/read_history.h"
#include "util/text.h"

namespace tw::blt {

namespace {

constexpr const char* kTrkSaveFilter = "Tracking Data|*.Trk|All Files|*.*||";
constexpr const char* kTrkOpenFilter = "Trk File|*.Trk|All Files|*.*||";
constexpr const char* kEncFilter = "Enc Data|*.Enc|All Files|*.*||";

}  // namespace

CMaintenanceDlg::CMaintenanceDlg(Env& env) : FamilyPage(env) {
    controls_.add(kRadioType);
    controls_.add(kMemory);
    const std::pair<int, const char*> buttons[] = {
        {kTrackingEditButton, "Tracking Data &Edit ..."},
        {kFeatureEditButton, "Feature Data E&dit ..."},
        {kVersionUpgradeButton, "Version Upgrade ..."},
        {kRadioInformationButton, "&Radio Information"},
        {kRecoveryButton, "Re&covery"},
        {kGveAlignmentButton, "&GVE Alignment"},
        {kDesktopButton, "Desktop ..."},
        {kWriteCodeButton, "&Write Code to File ..."},
        {kWriteAdiDspButton, "Write ADI/DSP to File  ..."},
        {kJumpButton, "Jump"},
        {kRadioRecoveryButton, "R&adio Recovery"},
    };
    for (const auto& [id, label] : buttons) controls_.add(id, label, false);
    // Nothing is held yet: there is no tracking data to upgrade. The test sheets are for
    // service work only, and the hidden Radio Recovery is never offered.
    controls_.setEnabled(kVersionUpgradeButton, false);
    controls_.setEnabled(kGveAlignmentButton, env.app.serviceMode);
    controls_.setEnabled(kRadioRecoveryButton, false);
    setBackendFactory(noRadioBackend());
}

CMaintenanceDlg::~CMaintenanceDlg() = default;

void CMaintenanceDlg::setBackendFactory(std::shared_ptr<RadioBackendFactory> factory) {
    conn_.reset();
    factory_ = std::move(factory);
    conn_ = std::make_unique<CRadioConn>(env_, *factory_);
    // The page shows what is held from the start, so a refresh after a refused file changes
    // nothing.
    BltRefresh();
}

std::optional<std::string> CMaintenanceDlg::chooseFile(const FileChoice& choice, bool save) {
    if (presetFile_) {
        auto path = std::move(presetFile_);
        presetFile_.reset();
        noteFileChosen(*path, save);
        return path;
    }
    return askDataFile(choice, save);
}

// Only an open that leaves the radio ready, followed by a status read, connects: anything
// else would let reads report success over data of an earlier radio or file.
bool CMaintenanceDlg::BltConnect() {
    BusyCursor busy(env_.ui);
    const int r = conn_->OpenRadioAndInit(env_.app.currentPort);
    if (r == 1 && conn_->ProcessCommand(ECommand::ReadStatus) != 0) return true;
    if (r == -1) env_.ui.message(messages::kPortInUse);
    conn_->CloseRadio();
    return false;
}

bool CMaintenanceDlg::connectOrSay() {
    if (!BltConnect()) {
        env_.ui.message(messages::kNotInProgramMode);
        return false;
    }
    conn_->data.statusFresh = 0;
    return true;
}

void CMaintenanceDlg::BltRefresh() {
    const auto& d = conn_->data;
    controls_.setEnabled(kTrackingEditButton, true);
    controls_.setEnabled(kFeatureEditButton, true);
    const std::string name = RadioTypeName(d.radioTypeCode);
    controls_.setText(kRadioType, name == "Unknown" ? " " : name);
    // Unknown memory shows nothing rather than the last radio's.
    controls_.setText(kMemory, d.memorySizeCode != 0 ? format("%d K", d.memoryKilobytes()) : "");
    controls_.setEnabled(kVersionUpgradeButton, d.trackingVersion == 1 || d.trackingVersion == 2);
    controls_.setEnabled(kJumpButton, d.radioTypeCode != kTypeNovac60M);
}

bool CMaintenanceDlg::connectForWrite(bool tracking,
                                      std::optional<std::vector<std::uint8_t>>& radioHeld) {
    conn_->keepReads = false;
    const bool connected = connectOrSay();
    conn_->keepReads = true;
    if (!connected) return false;
    const RadioData& d = conn_->data;
    if (tracking && d.trackingVersion >= 1 && d.trackingVersion <= kMaxTrackingVersion)
        radioHeld = encodeTrackingFile(d);
    if (!tracking && d.featureLength() > 0 && d.featureLength() <= kFeatureBlockSize)
        radioHeld = encodeFeatureFile(d);
    return true;
}

CMaintenanceDlg::PageHeld CMaintenanceDlg::keepHeld() const {
    return {copyTracking(conn_->data), copyFeatures(conn_->data)};
}

void CMaintenanceDlg::putBack(const PageHeld& copy) {
    restoreTracking(conn_->data, copy.tracking);
    restoreFeatures(conn_->data, copy.features);
}

std::string CMaintenanceDlg::benchSerial() const {
    const auto& s = conn_->data.serialNumber;
    const bool named = std::any_of(s.begin(), s.end(), [](std::uint8_t b) { return b != 0; });
    return named ? conn_->historyRadio() : std::string();
}

bool CMaintenanceDlg::GetStatus() {
    if (!connectOrSay()) return false;
    trackingSource_.reset();
    featureSource_.reset();
    conn_->RadioStatusDlg();
    conn_->SerialClose();
    BltRefresh();
    return true;
}

bool CMaintenanceDlg::TrackingDataEdit() {
    if (conn_->data.trackingVersion == 0) {
        env_.ui.message(messages::kNoTrackingData);
        return false;
    }
    const bool ok = conn_->ProcessCommand(ECommand::EditTracking) != 0;
    BltRefresh();
    return ok;
}

void CMaintenanceDlg::createBlankFeatureData(bool bltLyraNovac) {
    auto& d = conn_->data;
    d.featureBlock.fill(0);
    d.featureWords[kFeatureLengthWord] = kFeatureRecordSize;
    d.featureBlock[2] = 255;
    d.featureBlock[3] = 255;
    d.featureBlock[5] = bltLyraNovac ? 26 : 174;
    d.featureBlock[6] = 4;
    d.featureBlock[7] = 20;
    d.featureBlock[10] = 1;
}

bool CMaintenanceDlg::FeatureDataEdit() {
    if (conn_->data.featureLength() == 0) {
        if (!env_.ui.askYesNo(messages::kNoFeatureData)) return false;
        createBlankFeatureData(env_.ui.askYesNo(messages::kFeatureFamilyQuestion));
    }
    return conn_->ProcessCommand(ECommand::EditFeatures) != 0;
}

bool CMaintenanceDlg::ReadTrackingFromRadio() {
    if (!connectOrSay()) return false;
    trackingSource_.reset();
    featureSource_.reset();
    conn_->SerialClose();
    BltRefresh();
    env_.ui.message(messages::kReadTrackingComplete);
    return true;
}

bool CMaintenanceDlg::ReadFeaturesFromRadio() {
    if (!connectOrSay()) return false;
    trackingSource_.reset();
    featureSource_.reset();
    conn_->SerialClose();
    // The status read brought another radio's type and memory: show them.
    BltRefresh();
    env_.ui.message(messages::kReadFeaturesComplete);
    return true;
}

bool CMaintenanceDlg::WriteTrackingToRadio() {
    // Writing without tracking data would wipe the radio's alignment.
    if (conn_->data.trackingVersion == 0) {
        env_.ui.message(messages::kNoTrackingData);
        return false;
    }
    const PageHeld held = keepHeld();
    std::optional<std::vector<std::uint8_t>> radioHeld;
    if (!connectForWrite(true, radioHeld)) {
        putBack(held);
        return false;
    }
    conn_->CalcBltHWLevel();
    const char* refusal = nullptr;
    if (conn_->data.hardwareLevel < 4 && held.tracking.version == kVersionSeven)
        refusal = messages::kHardwareBelowLevel4;
    else if (held.tracking.format == kThreePowerRows && isEarlyBlt(conn_->data.radioTypeCode))
        refusal = messages::kNoThreePowerRows;
    putBack(held);
    if (refusal) {
        conn_->SerialClose();
        env_.ui.message(refusal);
        return false;
    }
    if (!confirmOtherRadio(env_, trackingSource_, benchSerial()) ||
        (radioHeld && !keepBeforeWrite(env_, "blt", conn_->historyRadio(), "Trk", radioHeld))) {
        conn_->SerialClose();
        return false;
    }
    if (conn_->ProcessCommand(ECommand::WriteTrackingToRadio) == 0) {
        env_.ui.message(messages::kWriteTrackingFailed);
        conn_->SerialClose();
        return false;
    }
    conn_->SerialClose();
    env_.ui.message(messages::kWriteTrackingComplete);
    return true;
}

bool CMaintenanceDlg::WriteFeaturesToRadio() {
    if (conn_->data.featureLength() == 0) {
        env_.ui.message(messages::kNoFeatureDataToWrite);
        return false;
    }
    const PageHeld held = keepHeld();
    std::optional<std::vector<std::uint8_t>> radioHeld;
    if (!connectForWrite(false, radioHeld)) {
        putBack(held);
        return false;
    }
    putBack(held);
    if (!confirmOtherRadio(env_, featureSource_, benchSerial()) ||
        (radioHeld && !keepBeforeWrite(env_, "blt", conn_->historyRadio(), "Enc", radioHeld))) {
        conn_->SerialClose();
        return false;
    }
    if (conn_->ProcessCommand(ECommand::WriteFeaturesToRadio, std::string(), 0, 0, 0, 0) == 0) {
        env_.ui.message(messages::kWriteFeaturesFailed);
        conn_->SerialClose();
        return false;
    }
    conn_->SerialClose();
    env_.ui.message(messages::kWriteFeaturesComplete);
    return true;
}

bool CMaintenanceDlg::WriteTrackingToDisk() {
    const auto path = chooseFile(dataFileChoice(kTrkSaveFilter, "Trk", true), true);
    if (!path) return false;
    if (conn_->ProcessCommand(ECommand::WriteTrackingFile, *path, 0, 0, 0, 0) == 0) {
        env_.ui.message(messages::kCouldNotWriteTracking);
        return false;
    }
    return true;
}

bool CMaintenanceDlg::ReadTrackingFromDisk() {
    const auto path = chooseFile(dataFileChoice(kTrkOpenFilter, "Trk", false), false);
    if (!path) return false;
    const bool ok = conn_->ProcessCommand(ECommand::ReadTrackingFile, *path, 0, 0, 0, 0) != 0;
    if (!ok) env_.ui.message(messages::kCouldNotReadTracking);
    if (ok) trackingSource_ = historyCopyAt(env_.app, "blt", *path);
    BltRefresh();
    return ok;
}

bool CMaintenanceDlg::WriteFeaturesToDisk() {
    const auto path = chooseFile(dataFileChoice(kEncFilter, "Enc", true), true);
    if (!path) return false;
    if (conn_->ProcessCommand(ECommand::WriteFeatureFile, *path, 0, 0, 0, 0) == 0) {
        env_.ui.message(messages::kCouldNotWriteFeatures);
        return false;
    }
    return true;
}

bool CMaintenanceDlg::ReadFeaturesFromDisk() {
    const auto path = chooseFile(dataFileChoice(kEncFilter, "Enc", false), false);
    if (!path) return false;
    if (conn_->ProcessCommand(ECommand::ReadFeatureFile, *path, 0, 0, 0, 0) == 0) {
        env_.ui.message(messages::kCouldNotReadFeatures);
        return false;
    }
    featureSource_ = historyCopyAt(env_.app, "blt", *path);
    return true;
}

std::vector<ComparedValue> CMaintenanceDlg::comparedValues(DataSet set) const {
    const RadioData& data = conn_->data;
    if (set == DataSet::Features) {
        const std::size_t n = std::min<std::size_t>(data.featureLength(), kFeatureBlockSize);
        return byteValues({data.featureBlock.begin(), data.featureBlock.begin() + n});
    }
    // Words of another layout mean other things: the version comes first so that a compare
    // across versions says so before it lists the words.
    std::vector<ComparedValue> values = {
        {"Tracking version", std::to_string(data.trackingVersion)}};
    for (const auto& f : editorFields(data.trackingVersion))
        values.push_back({f.label, std::to_string(data.trackingArrays.at(f.word))});
    return values;
}

bool CMaintenanceDlg::VersionUpgrade() {
    if (!env_.ui.askYesNo(messages::kUpgradeQuestion)) return false;
    const bool ok = conn_->ProcessCommand(ECommand::UpgradeTracking) != 0;
    env_.ui.message(ok ? messages::kUpgradeComplete : messages::kUpgradeFailed);
    // Upgraded data is version 7: nothing left to upgrade.
    BltRefresh();
    return ok;
}

bool CMaintenanceDlg::GveAlignment() {
    if (!controls_.enabled(kGveAlignmentButton) || !gveAlignment_) return false;
    return gveAlignment_();
}

void CMaintenanceDlg::sheetEnded(testtune::TransmitterAfterSheet transmitter) {
    using testtune::TransmitterAfterSheet;
    if (transmitter == TransmitterAfterSheet::MayBeOn) {
        transmitterWarning_ = testtune::kTransmitterMayStillBeOn;
        env_.ui.message(transmitterWarning_);
    } else if (transmitter == TransmitterAfterSheet::Off) {
        transmitterWarning_.clear();
    }
}

bool CMaintenanceDlg::SetTestMode(int on) {
    env_.ui.message(on ? messages::kEnteredTestZone : messages::kLeftTestZone);
    return true;
}

}  // namespace tw::blt
