#include "families/compact/wla_page.h"

#include "families/compact/wla_files.h"
#include "families/compact/wla_record.h"
#include "families/compact/wla_report.h"
#include "history/read_history.h"
#include "util/file_io.h"

namespace tw::compact {

namespace {

constexpr int kTrackingBytePauseMs = 40;  // the radio stores each byte before the next
constexpr int kBeforeReadBackMs = 500;
constexpr const char* kHistoryFamily = "wla";
constexpr const char* kHistoryRadio = "WLA";

}  // namespace

CWlaPage::CWlaPage(Env& env) : FamilyPage(env) {
    for (int id : {kRadioType, kRfType, kMaxPower}) controls_.add(id);
    for (const auto& f : kWlaFields) controls_.add(f.control);
    controls_.add(kWriteCodeButton, "Write Code to File ...", false);
    controls_.add(kReflashButton, "Reflash Radio from File ...", false);
}

void CWlaPage::setRecord(const WlaRecord& record) {
    record_ = record;
    showRecord(record_, controls_);
}

bool CWlaPage::connect(WlaLink& link, WlaMode mode) {
    if (!link.open(mode)) {
        env_.ui.message(messages::kPortNotOpenedOrBusy);
        return false;
    }
    env_.ui.message(mode == WlaMode::Flash ? messages::kPowerCycleFlash
                                           : messages::kPowerCycleProgramming);
    const auto connection = link.WlaConnect(mode);
    const auto& id = connection.identity;
    if (!id) {
        if (!connection.problem.empty()) env_.ui.message(connection.problem);
        link.close();
        return false;
    }
    // Only an identification that passed every check may change what the page says about the
    // radio, so a power class never stands beside the band of another radio.
    const std::string band = kWlaBandNames[id->band];
    controls_.setText(kRadioType, "WLA");
    controls_.setText(kMaxPower, id->fortyWatts ? "40W" : "20W");
    controls_.setText(kRfType, band);
    powerText_ =
        id->fortyWatts ? "Maximum Output Power = 40 Watts" : "Maximum Output Power = 20 Watts";
    bandText_ = "Band Split = " + band;
    return true;
}

std::optional<std::string> CWlaPage::valueProblem(int id, const std::string& text) const {
    return wlaFieldProblem(id, text);
}

bool CWlaPage::takeFields(WlaRecord& out) {
    std::string problem;
    const auto taken = takeRecord(controls_, problem, &failedField_);
    if (!taken) {
        env_.ui.message(problem);
        return false;
    }
    out = *taken;
    return true;
}

bool CWlaPage::ReadTrackingFromRadio() {
    BusyCursor busy(env_.ui);
    WlaLink link(env_);
    if (!connect(link, WlaMode::Programming)) {
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    std::vector<std::uint8_t> bytes;
    // A short answer is no record: the page keeps the one it has.
    if (!link.send(readTrackingCommand()) || !link.read(kWlaRecordSize, bytes) ||
        bytes.size() != kWlaRecordSize) {
        link.close();
        env_.ui.message(messages::kCouldNotReadTracking);
        return false;
    }
    link.close();
    setRecord(*decodeTk4(bytes));
    keepRadioRead(env_, kHistoryFamily, kHistoryRadio, "tk4", encodeTk4(record_));
    return true;
}

bool CWlaPage::WriteTrackingToRadio() {
    BusyCursor busy(env_.ui);
    WlaRecord record{};
    if (!takeFields(record)) return false;
    if (allFieldsZero(controls_) && !env_.ui.askYesNo(messages::kAllZero)) return false;
    record_ = record;
    WlaLink link(env_);
    if (!connect(link, WlaMode::Programming)) {
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    auto fail = [&](const char* message) {
        link.close();
        env_.ui.message(message);
        return false;
    };
    // What the radio holds now is kept before the write replaces it.
    HeldCopy held;
    std::vector<std::uint8_t> current;
    if (link.send(readTrackingCommand()) && link.read(kWlaRecordSize, current) &&
        current.size() == kWlaRecordSize)
        held = encodeTk4(*decodeTk4(current));
    if (!keepBeforeWrite(env_, kHistoryFamily, kHistoryRadio, "tk4", held)) {
        link.close();
        return false;
    }
    bool sent = false;
    {
        // The radio takes the record's bytes as they follow the head.
        SerialLink::WholeCommand whole(env_.link);
        sent = link.send(writeTrackingHead());
        for (std::size_t i = 0; sent && i < record.size(); ++i) {
            sent = link.sendByte(record[i]);
            if (sent) link.pause(kTrackingBytePauseMs);
        }
    }
    if (!sent) return fail(messages::kIoErrorRetry);
    std::vector<std::uint8_t> answer;
    if (!link.read(2, answer) || answer != std::vector<std::uint8_t>{'O', 'K'})
        return fail(messages::kIoErrorRetry);

    std::vector<std::uint8_t> back;
    if (!link.send(readTrackingCommand())) return fail(messages::kCouldNotVerify);
    link.pause(kBeforeReadBackMs);
    if (!link.read(kWlaRecordSize, back) || back.size() != kWlaRecordSize)
        return fail(messages::kCouldNotVerify);
    // The radio said "OK"; only what it gives back shows whether every byte was stored.
    if (back != encodeTk4(record)) return fail(messages::kTrackingMismatch);
    link.close();
    return true;
}

bool CWlaPage::ReadTrackingFromDisk() {
    FileChoice choice = dataFileChoice(kTk4Filter, "tk4", false);
    choice.initialName = "*.tk4";
    const auto path = askDataFile(choice, false);
    if (!path) return false;
    const auto bytes = loadWholeFile(*path, kWlaRecordSize);
    if (!bytes) {
        env_.ui.message(messages::kOpenForReading);
        return false;
    }
    const auto record = decodeTk4(*bytes);
    if (!record) {
        env_.ui.message(messages::kTk4WrongSize);
        return false;
    }
    // The file holds no band or power: those texts stay as the last identification left them.
    setRecord(*record);
    return true;
}

bool CWlaPage::WriteTrackingToDisk() {
    WlaRecord record{};
    if (!takeFields(record)) return false;
    record_ = record;
    FileChoice choice = dataFileChoice(kTk4Filter, "tk4", true);
    choice.initialName = "*.tk4";
    const auto path = askDataFile(choice, true);
    if (!path) return false;
    if (!saveFileAtomically(*path, encodeTk4(record_))) {
        env_.ui.message(messages::kOpenForWriting);
        return false;
    }
    return true;
}

std::vector<FamilyPage::ComparedField> CWlaPage::comparedFields(DataSet set) const {
    std::vector<ComparedField> fields;
    if (set == DataSet::Tracking)
        for (const auto& f : kWlaFields)
            fields.push_back({f.control, std::string(f.row) + ", " + f.column});
    return fields;
}

std::vector<std::string> CWlaPage::ReportLines() {
    return wlaReportLines(controls_, bandText_, powerText_);
}

std::vector<PageAction> CWlaPage::actions() {
    PageAction flash;
    flash.step = "flash";
    flash.argsHelp = "FILE";
    flash.help = "Reflash Radio from File: erase the radio and write the S-record FILE";
    flash.argCount = 1;
    flash.run = [this](const std::vector<std::string>& args) { return reflashFrom(args.at(0)); };
    flash.work = RadioWork::Flash;
    flash.button = kReflashButton;
    flash.column = 1;
    flash.press = [this] { return ReflashRadioFromFile(); };

    PageAction readCode;
    readCode.step = "read-code";
    readCode.argsHelp = "FILE";
    readCode.help = "Write Code to File: read the radio's program code into the S-record FILE";
    readCode.argCount = 1;
    readCode.run = [this](const std::vector<std::string>& args) { return writeCodeTo(args.at(0)); };
    readCode.button = kWriteCodeButton;
    readCode.press = [this] { return WriteCodeToFile(); };

    PageAction check;
    check.step = "check-code";
    check.argsHelp = "FILE";
    check.help = "check an S-record FILE as Reflash would (records, range, blocks); no radio";
    check.argCount = 1;
    check.run = [this](const std::vector<std::string>& args) { return checkCodeFile(args.at(0)); };
    return {flash, readCode, check};
}

}  // namespace tw::compact
