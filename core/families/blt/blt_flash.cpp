#include "families/blt/blt_messages.h"
#include "families/blt/blt_page.h"
#include "families/blt/radio_types.h"

namespace tw::blt {

namespace {

constexpr const char* kCodeFilter = "Radio Code|*.BIN|All Files|*.*||";

}  // namespace

bool CMaintenanceDlg::WriteCodeToFile() {
    if (!connectOrSay()) return false;
    const std::string name = conn_->ProcessCommand(ECommand::CodeFileName) != 0
                                 ? conn_->data.codeFileName
                                 : std::string("untitled.bin");
    FileChoice choice;
    choice.filter = kCodeFilter;
    choice.defaultExtension = "BIN";
    choice.initialName = name;
    choice.overwritePrompt = true;
    const auto path = chooseFile(choice, true);
    if (!path) {
        conn_->SerialClose();
        return false;
    }
    const bool ok = conn_->ProcessCommand(ECommand::ReadRadioCode, *path, 0, 0, 0, 0) != 0;
    if (!ok) {
        env_.ui.message(messages::kReadCodeFailed);
        conn_->StatusClose();
    }
    conn_->SerialClose();
    // "Complete" here means the operation is over; a failure was reported just before.
    env_.ui.message(messages::kReadCodeComplete);
    return ok;
}

bool CMaintenanceDlg::WriteAdiDspToFile() {
    if (!connectOrSay()) return false;
    RadioStatus status;
    // Without the radio's type the choice between the ADI and the DSP file is a guess.
    if (conn_->FillBltStatus(&status) == 0) {
        conn_->SerialClose();
        env_.ui.message(messages::kStatusReadFailed);
        return false;
    }
    const bool adi = isEarlyBlt(status.radioType) ||
                     (status.radioType == kTypeLyra && conn_->data.dspSelect == 0);
    FileChoice choice;
    choice.filter = adi ? "ADI Files|*.adi|All Files|*.*||" : "DSP Files|*.dsp|All Files|*.*||";
    choice.defaultExtension = adi ? "ADI" : "DSP";
    choice.initialName = conn_->data.adiDspFileName;
    choice.overwritePrompt = true;
    const auto path = chooseFile(choice, true);
    if (!path) {
        conn_->SerialClose();
        return false;
    }
    conn_->StatusOpen(adi ? messages::kReadingAdi : messages::kReadingDsp);
    const bool ok = conn_->ProcessCommand(adi ? ECommand::ReadAdiFile : ECommand::ReadDspFile,
                                          *path, 0, 0, 0, 0) != 0;
    if (!ok) env_.ui.message(adi ? messages::kNoAdiFile : messages::kNoDspFile);
    conn_->StatusClose();
    env_.ui.message(messages::kReadAdiDspComplete);
    conn_->SerialClose();
    return ok;
}

bool CMaintenanceDlg::Jump() {
    if (!connectOrSay()) return false;
    const bool ok = conn_->ProcessCommand(ECommand::Jump) != 0;
    conn_->data.statusFresh = 0;
    BltRefresh();
    conn_->SerialClose();
    if (!ok) env_.ui.message(messages::kJumpFailed);
    return ok;
}

bool CMaintenanceDlg::Recovery() {
    if (conn_->IsConnected()) conn_->CloseRadio();
    bool ok = false;
    if (env_.ui.askOkCancel(messages::kPowerCycleForRecovery)) {
        const int r = conn_->OpenRadioAndInit(env_.app.currentPort);
        if (r == -1) {
            env_.ui.message(messages::kPortInUse);
            conn_->CloseRadio();
            return false;
        }
        ok = conn_->ProcessCommand(ECommand::RadioRecovery) != 0 &&
             conn_->ProcessCommand(ECommand::ReadStatus) != 0;
        if (!ok) env_.ui.message(messages::kRecoveryFailed);
    }
    conn_->CloseRadio();
    BltRefresh();
    return ok;
}

bool CMaintenanceDlg::RadioRecovery() {
    const bool ok = conn_->ProcessCommand(ECommand::RadioRecovery) != 0 &&
                    conn_->ProcessCommand(ECommand::ReadStatus) != 0;
    if (!ok) env_.ui.message(messages::kRecoveryFailed);
    BltRefresh();
    return ok;
}

bool CMaintenanceDlg::desktopAttempt(const std::string& path, bool& finished) {
    CRadioConn board(env_, *factory_);
    board.data.boardMode = 1;
    const int r = board.OpenRadioAndInit(env_.app.currentPort);
    if (r != 1) {
        env_.ui.message(messages::kCouldNotConnectBoard);
        return false;
    }
    // The board takes only code for the radio last read, and that must be a Lyra or none.
    const auto type = conn_->data.radioTypeCode;
    if (type != kTypeLyra && type != 0) {
        env_.ui.message(messages::kInvalidRadioType);
        finished = true;
        return false;
    }
    board.data.flashMode = 0;
    board.data.hardwareLevel = 2;
    if (board.ProcessCommand(ECommand::FlashDesktopBoard, path, 0, 0, 0, 0) != 0) {
        finished = true;
        return true;
    }
    env_.ui.message(messages::kCouldNotCompleteWrite);
    return false;
}

bool CMaintenanceDlg::Desktop() {
    if (!env_.ui.askYesNo(messages::kDesktopQuestion)) return false;
    env_.ui.message(messages::kDesktopInstructions);
    FileChoice choice;
    choice.filter = kCodeFilter;
    choice.defaultExtension = "BIN";
    choice.initialName = "*.BIN";
    const auto path = chooseFile(choice, false);
    if (!path) {
        env_.ui.message(messages::kAllAttemptsFailed);
        return false;
    }
    for (int attempt = 0; attempt < kDesktopAttempts; ++attempt) {
        bool finished = false;
        const bool ok = desktopAttempt(*path, finished);
        if (finished) return ok;
    }
    env_.ui.message(messages::kAllAttemptsFailed);
    return false;
}

}  // namespace tw::blt
