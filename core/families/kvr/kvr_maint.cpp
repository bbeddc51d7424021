#include "families/kvr/kvr_maint.h"

#include "config/profile.h"
#include "families/kvr/kvr_link.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "families/kvr/kvr_report.h"
#include "history/read_history.h"
#include "link/memory_command.h"
#include "util/file_io.h"
#include "view/tracking_report.h"

namespace tw::kvr {

namespace {

constexpr const char* kTk1Filter = "Tracking Data|*.tk1|All Files|*.*||";

constexpr std::size_t kTrackingChars = 2 * kTrackingBlockSize;
constexpr std::size_t kInitialDataChars = 2 * InitialData::kSize;
// Time for the radio to store the block before it is asked for it again.
constexpr int kBeforeReadBackMs = 20;
constexpr const char* kPartialWriteDetail =
    "The tracking block may now hold part of the new values: read it from the radio and "
    "write it again before the radio is used.";

// Reads the tracking block over an open link, reporting a failed or short read.
bool readTrackingBlock(Env& env, KvrLink& link, std::string& chars) {
    if (!link.send(memoryCommand(MemoryOp::Read, kTrackingBlockSize, kTrackingAddress)) ||
        !link.read(kTrackingChars, chars)) {
        env.ui.message(messages::kTrackingReadError);
        return false;
    }
    if (chars.size() < kTrackingChars) {
        env.ui.message(messages::kTrackingShort);
        return false;
    }
    return true;
}

}  // namespace

bool openAndHandshake(Env& env, KvrLink& link) {
    if (!link.open()) {
        env.ui.message(messages::kPortNotOpen);
        return false;
    }
    env.ui.message(messages::kPowerOn);
    if (const auto fault = link.handshake()) {
        env.ui.message(faultMessage(*fault));
        link.close();
        return false;
    }
    return true;
}

CKvrMaint::CKvrMaint(Env& env) : FamilyPage(env) {
    controls_.add(kRadioTypeButton, "Radio Type", false);
    for (const auto& v : kTrackingValues) controls_.add(v.control);
}

std::optional<std::string> CKvrMaint::valueProblem(int id, const std::string& text) const {
    return trackingFieldProblem(id, text);
}

TrackingTexts CKvrMaint::texts() const {
    TrackingTexts t;
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        t[i] = controls_.text(kTrackingValues[i].control);
    return t;
}

void CKvrMaint::show(const TrackingTexts& t) {
    for (std::size_t i = 0; i < kTrackingValueCount; ++i)
        controls_.setText(kTrackingValues[i].control, t[i]);
}

bool CKvrMaint::checkBeforeLeaving(const TrackingTexts& t) {
    if (auto problem = checkTrackingTexts(t, &failedField_)) {
        env_.ui.message(*problem);
        return false;
    }
    return !allTrackingZero(t) || env_.ui.askYesNo(messages::kAllZero);
}

bool CKvrMaint::ReadTrackingFromRadio() {
    KvrLink link(env_);
    if (!openAndHandshake(env_, link)) return false;
    std::string chars;
    if (!readTrackingBlock(env_, link, chars)) return false;
    env_.ui.message(messages::kTrackingRead);
    link.close();
    const TrackingTexts values = decodeTrackingBlock(chars);
    show(values);
    // The radio tells no serial number over this link: its copies file under the family.
    keepRadioRead(env_, "kvr", "KVR", "tk1", encodeTk1(values));
    return true;
}

bool CKvrMaint::WriteTrackingToRadio() {
    const TrackingTexts t = texts();
    if (!checkBeforeLeaving(t)) return false;
    KvrLink link(env_);
    if (!openAndHandshake(env_, link)) return false;
    // The bytes the page does not show go back exactly as the radio holds them now.
    std::string current;
    if (!readTrackingBlock(env_, link, current)) return false;
    // The block just read is what the write replaces: it is the copy kept before it.
    if (!keepBeforeWrite(env_, "kvr", "KVR", "tk1", encodeTk1(decodeTrackingBlock(current))))
        return false;
    const std::string block = encodeTrackingBlock(t, current.substr(0, kTrackingChars));
    bool sent = false;
    {
        // The radio stores whatever follows the command as the block.
        SerialLink::WholeCommand whole(env_.link);
        sent = link.send(memoryCommand(MemoryOp::Write, kTrackingBlockSize, kTrackingAddress)) &&
               link.send(block);
    }
    if (!sent) {
        env_.ui.message(messages::kTrackingWriteError);
        env_.ui.detail(kPartialWriteDetail);
        return false;
    }
    // The radio acknowledges nothing: only reading the block back shows that it kept it.
    link.pause(kBeforeReadBackMs);
    link.discardInput();
    std::string back;
    if (!link.send(memoryCommand(MemoryOp::Read, kTrackingBlockSize, kTrackingAddress)) ||
        !link.read(kTrackingChars, back) || back != block) {
        env_.ui.message(messages::kTrackingWriteError);
        env_.ui.detail(kPartialWriteDetail);
        return false;
    }
    env_.ui.message(messages::kTrackingWritten);
    return true;
}

bool CKvrMaint::WriteTrackingToDisk() {
    const TrackingTexts t = texts();
    if (!checkBeforeLeaving(t)) return false;
    const auto path = askDataFile(dataFileChoice(kTk1Filter, "tk1", true), true);
    if (!path) return false;
    if (!saveFileAtomically(*path, encodeTk1(t))) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    return true;
}

bool CKvrMaint::ReadTrackingFromDisk() {
    const auto path = askDataFile(dataFileChoice(kTk1Filter, "tk1", false), false);
    if (!path) return false;
    auto bytes = loadWholeFile(*path, kTk1Size + kTrailingBlanksAllowance);
    if (!bytes) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    // A file of any other length is not a tracking file of this radio; loading part of it
    // would put invented values on the page.
    if (bytes->size() <= kTk1Size + kTrailingBlanksAllowance) dropTrailingBlanks(*bytes);
    const auto loaded = decodeTk1(*bytes);
    if (!loaded) {
        env_.ui.message(messages::kWrongFileSize);
        return false;
    }
    show(*loaded);
    return true;
}

std::vector<FamilyPage::ComparedField> CKvrMaint::comparedFields(DataSet set) const {
    std::vector<ComparedField> fields;
    if (set == DataSet::Features) return fields;
    for (const auto& row : kTrackingRows)
        for (std::size_t c = 0; c < row.controls.size(); ++c)
            fields.push_back({row.controls[c], std::string(row.talkAround ? "Talk Around " : "") +
                                                   row.name + ", " + kTrackingColumns[c]});
    return fields;
}

std::vector<std::string> CKvrMaint::ReportLines() {
    return kvrReportLines(texts());
}

bool CKvrMaint::RadioType(bool* written) {
    if (written) *written = false;
    KvrLink link(env_);
    if (!openAndHandshake(env_, link)) return false;
    std::string chars;
    if (!link.send(memoryCommand(MemoryOp::Read, InitialData::kSize, InitialData::kAddress)) ||
        !link.read(kInitialDataChars, chars) || chars.size() < kInitialDataChars) {
        env_.ui.message(messages::kInitialDataReadError);
        return false;
    }
    initialData_ = decodeInitialData(chars);

    CKvrRadioTypeDlg dlg(env_, link, initialData_);
    dlg.OnInitDialog();
    const bool accepted = env_.ui.runDialog(dlg);
    dlg.OnDestroy();
    if (written) *written = accepted && !dlg.writeFailed();
    return !dlg.writeFailed();
}

std::vector<PageAction> CKvrMaint::actions() {
    PageAction show;
    show.step = "radio-type";
    show.help = "read the initial data and show the Radio Type dialog, then cancel it";
    show.run = [this](const std::vector<std::string>&) { return RadioType(); };
    show.dialogScript = [](const std::vector<std::string>&) { return DialogScript{{}, "Cancel"}; };
    // The window's button leaves the dialog to the technician, who may write from it.
    show.button = kRadioTypeButton;
    show.pressWork = RadioWork::Write;

    PageAction write;
    write.step = "radio-type-write";
    write.argsHelp = "TYPE LINE";
    write.help = "choose radio type line TYPE and band-split line LINE (from 0), Write To Radio";
    write.argCount = 2;
    write.example = "3 0";
    write.work = RadioWork::Write;
    write.run = [this](const std::vector<std::string>&) {
        bool written = false;
        return RadioType(&written) && written;
    };
    write.dialogScript = [](const std::vector<std::string>& args) {
        DialogScript s;
        s.settings = {{std::to_string(CKvrRadioTypeDlg::kRadioTypeList), args.at(0)},
                      {std::to_string(CKvrRadioTypeDlg::kBandSplitList), args.at(1)}};
        s.button = CKvrRadioTypeDlg::kWriteButton;
        return s;
    };
    return {show, write};
}

}  // namespace tw::kvr
