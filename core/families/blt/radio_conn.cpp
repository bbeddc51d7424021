#include "families/blt/radio_conn.h"

#include "families/blt/blt_dialogs.h"
#include "families/blt/blt_files.h"
#include "families/blt/radio_types.h"
#include "families/blt/tracking_layout.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/text.h"
#include "view/env.h"

namespace tw::blt {

bool isHeldDataCommand(ECommand c) {
    switch (c) {
        case ECommand::UpgradeTracking:
        case ECommand::EditTracking:
        case ECommand::WriteTrackingFile:
        case ECommand::ReadTrackingFile:
        case ECommand::EditFeatures:
        case ECommand::WriteFeatureFile:
        case ECommand::ReadFeatureFile:
            return true;
        default:
            return false;
    }
}

CRadioConn::CRadioConn(Env& env, RadioBackendFactory& factory)
    : env_(env), backend_(factory.create(env)) {}

CRadioConn::~CRadioConn() {
    if (backend_->isConnected()) backend_->closeRadio();
}

int CRadioConn::OpenRadioAndInit(int port) {
    return backend_->open(data, port);
}

int CRadioConn::ProcessCommand(ECommand command) {
    return ProcessCommand(command, std::string(), 0, 0, 0, 0);
}

int CRadioConn::ProcessCommand(ECommand command, const std::string& path, std::uint16_t,
                               std::uint32_t, std::uint32_t, std::uint32_t) {
    if (isHeldDataCommand(command)) return heldCommand(command, path);
    const int r = backend_->command(command, data, path);
    if (r != 0 && command == ECommand::ReadStatus) keepStatusRead();
    return r;
}

int CRadioConn::heldCommand(ECommand command, const std::string& path) {
    switch (command) {
        case ECommand::UpgradeTracking:
            return upgradeToVersionSeven(data) ? 1 : 0;
        case ECommand::EditTracking: {
            TrackingEditDialog dialog(data);
            if (!env_.ui.runDialog(dialog)) return 0;
            dialog.apply(data);
            return 1;
        }
        case ECommand::EditFeatures: {
            FeatureEditDialog dialog(data);
            if (!env_.ui.runDialog(dialog)) return 0;
            dialog.apply(data);
            return 1;
        }
        case ECommand::WriteTrackingFile:
            // A file of no tracking data would be refused when read back.
            if (data.trackingVersion < 1 || data.trackingVersion > kMaxTrackingVersion) return 0;
            return saveFileAtomically(path, encodeTrackingFile(data)) ? 1 : 0;
        case ECommand::WriteFeatureFile:
            if (data.featureLength() == 0 || data.featureLength() > kFeatureBlockSize) return 0;
            return saveFileAtomically(path, encodeFeatureFile(data)) ? 1 : 0;
        case ECommand::ReadTrackingFile: {
            const auto bytes = loadWholeFile(path, kTrackingFileSize);
            return bytes && decodeTrackingFile(*bytes, data) ? 1 : 0;
        }
        case ECommand::ReadFeatureFile: {
            const auto bytes = loadWholeFile(path, kMaxFeatureFileSize);
            return bytes && decodeFeatureFile(*bytes, data) ? 1 : 0;
        }
        default:
            return 0;
    }
}

// Every status read leaves copies of the radio's tracking and feature data, in the files
// Write to Disk would save, before anything can be written over them.
std::string CRadioConn::historyRadio() const {
    const auto& s = data.serialNumber;
    std::string radio = format("%02X%02X%02X%02X%02X%02X", s[0], s[1], s[2], s[3], s[4], s[5]);
    return radio == "000000000000" ? RadioTypeName(data.radioTypeCode) : radio;
}

void CRadioConn::keepStatusRead() {
    if (!keepReads) return;
    const std::string radio = historyRadio();
    if (data.trackingVersion >= 1 && data.trackingVersion <= kMaxTrackingVersion)
        keepRadioRead(env_, "blt", radio, "Trk", encodeTrackingFile(data));
    if (data.featureLength() > 0 && data.featureLength() <= kFeatureBlockSize)
        keepRadioRead(env_, "blt", radio, "Enc", encodeFeatureFile(data));
}

int CRadioConn::FillBltStatus(RadioStatus* status) {
    return status ? backend_->fillStatus(data, *status) : 0;
}

int CRadioConn::CalcBltHWLevel() {
    return backend_->calcHardwareLevel(data);
}

int CRadioConn::RadioStatusDlg() {
    RadioStatusDialog dialog(data);
    env_.ui.runDialog(dialog);
    return 1;
}

int CRadioConn::SerialClose() {
    backend_->serialClose();
    return 1;
}

int CRadioConn::CloseRadio() {
    backend_->closeRadio();
    return 1;
}

bool CRadioConn::IsConnected() const {
    return backend_->isConnected();
}

void CRadioConn::StatusOpen(const std::string& text) {
    env_.ui.openStatus();
    env_.ui.setStatusText(text);
}

void CRadioConn::StatusClose() {
    env_.ui.closeStatus();
}

}  // namespace tw::blt
