#include "families/compact/compact_page.h"

#include "families/compact/frequency_range_dlg.h"
#include "families/compact/hex_link.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/hex.h"
#include "util/text.h"
#include "view/field_rule.h"

namespace tw::compact {

namespace {

constexpr int kFieldMaximum = 255;
constexpr FieldRule kFieldRule{0, kFieldMaximum};

// A field's text as a number: digits only, blanks around them allowed; nothing otherwise. The
// box holds three digits, so a longer text is beyond every byte whatever its digits.
std::optional<long> fieldValue(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty()) return std::nullopt;
    long value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kFieldMaximum) value = kFieldMaximum + 1;
    }
    if (t.size() > 3) return kFieldMaximum + 1;
    return value;
}

// The byte a field stands for; nothing when its text is no number or out of range.
std::optional<std::uint8_t> fieldByte(const std::string& text) {
    const auto value = fieldValue(text);
    if (!value || !kFieldRule.admits(*value)) return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

}  // namespace

CCompactPage::CCompactPage(Env& env, const CompactModel& model)
    : FamilyPage(env), model_(model), record_(model.recordSize, 0) {
    for (const auto& f : model_.fields) controls_.add(f.control);
    controls_.add(kBandSplitText);
    controls_.add(kVersionText);
    controls_.add(model_.defaultsButton, "Defaults", false);
}

std::optional<std::string> CCompactPage::valueProblem(int id, const std::string& text) const {
    for (const auto& f : model_.fields)
        if (f.control == id) return fieldMark(kFieldRule, fieldValue(text));
    return std::nullopt;
}

bool CCompactPage::takeValues() {
    std::vector<std::uint8_t> taken = record_;
    for (const auto& f : model_.fields) {
        const auto value = fieldByte(controls_.text(f.control));
        if (!value) {
            env_.ui.message(format("Valid range for %s is 0-%d.", f.name, kFieldMaximum));
            failedField_ = f.control;
            return false;
        }
        taken[f.recordByte] = *value;
    }
    record_ = std::move(taken);
    return true;
}

bool CCompactPage::allZeroButTxDevHigh() const {
    for (const auto& f : model_.fields)
        if (f.control != kTxDevHigh && controls_.text(f.control) != "0") return false;
    return true;
}

void CCompactPage::showRecord(const std::array<const char*, kBandCount>& bandNames) {
    for (const auto& f : model_.fields)
        controls_.setText(f.control, std::to_string(record_[f.recordByte]));
    controls_.setText(kBandSplitText, bandName(bandNames, bandIndex()));
}

bool CCompactPage::connect(HexLink& link) {
    std::string version;
    if (!link.Connect(model_, version)) {
        if (link.fault() == HexLink::Fault::PortNotOpened)
            env_.ui.message(messages::kPortNotOpened);
        if (link.fault() == HexLink::Fault::WrongRadioType)
            env_.ui.message(messages::kWrongRadioType);
        link.close();
        return false;
    }
    controls_.setText(kVersionText, version);
    return true;
}

void CCompactPage::fail(HexLink& link, StatusWindow& status, const char* message) {
    link.close();
    status.close();
    env_.ui.message(message);
}

bool CCompactPage::readBlocks(HexLink& link, StatusWindow& status,
                              std::vector<std::uint8_t>& record) {
    if (readHeld(link, record)) return true;
    fail(link, status, messages::kCouldNotRead);
    return false;
}

bool CCompactPage::readHeld(HexLink& link, std::vector<std::uint8_t>& record) {
    for (const auto& b : model_.writtenBlocks)
        if (!link.ReadHexBlock(b.count, b.address, record.data() + b.firstByte)) return false;
    const auto& band = model_.bandBlock;
    return link.ReadHexBlock(band.count, band.address, record.data() + band.firstByte);
}

bool CCompactPage::resetRadio(HexLink& link, StatusWindow& status) {
    const bool sent = link.sendReset();
    if (!sent) env_.ui.message(messages::kResetFailed);
    link.close();
    status.close();
    return sent;
}

bool CCompactPage::ReadTrackingFromRadio() {
    StatusWindow status(env_.ui);
    status.setText("Handshaking");
    HexLink link(env_);
    if (!connect(link)) {
        status.close();
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    status.setText("Reading Tracking Data");
    std::vector<std::uint8_t> read = record_;
    if (!readBlocks(link, status, read)) return false;
    record_ = std::move(read);
    showRecord(model_.radioBandNames);
    keepRadioRead(env_, model_.family, model_.radioName, model_.extension,
                  recordToFile(model_, record_));
    return resetRadio(link, status);
}

bool CCompactPage::writeBlocks(HexLink& link, StatusWindow& status) {
    std::string text;
    for (std::size_t i = 0; i + 1 < record_.size(); ++i) text += hexPair(record_[i]);
    for (const auto& b : model_.writtenBlocks) {
        const std::size_t at = 2 * b.firstByte, n = 2 * static_cast<std::size_t>(b.count);
        if (!link.WriteHexBlock(b.count, b.address, text.substr(at, n))) {
            fail(link, status, messages::kCouldNotWrite);
            return false;
        }
    }
    const auto& zero = model_.zeroWrite;
    if (zero.count == 0) return true;
    if (link.WriteHexBlock(zero.count, zero.address,
                           std::string(2 * static_cast<std::size_t>(zero.count), '\0')))
        return true;
    fail(link, status, messages::kCouldNotWrite);
    return false;
}

// The radio answers nothing to a write; reading the blocks back is the only way to know they
// arrived whole before the radio is reset into service with them.
bool CCompactPage::readBack(HexLink& link, StatusWindow& status) {
    for (const auto& b : model_.writtenBlocks) {
        std::vector<std::uint8_t> back(b.count);
        if (!link.ReadHexBlock(b.count, b.address, back.data()) ||
            !std::equal(back.begin(), back.end(),
                        record_.begin() + static_cast<long>(b.firstByte))) {
            fail(link, status, messages::kCouldNotWrite);
            return false;
        }
    }
    return true;
}

bool CCompactPage::WriteTrackingToRadio() {
    if (allZeroButTxDevHigh() && !env_.ui.askYesNo(messages::kAllZero)) return false;
    StatusWindow status(env_.ui);
    status.setText("Handshaking");
    HexLink link(env_);
    if (!connect(link)) {
        status.close();
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    status.setText("Writing Tracking Data");
    // The band index stays: the radio never receives it, and a file saved after this write
    // must still name the band.
    if (!takeValues()) return false;
    // What the radio holds now is kept before the first block changes it; no reset comes
    // first, or the unacknowledged writes after it would be lost.
    std::vector<std::uint8_t> current = record_;
    HeldCopy held;
    if (readHeld(link, current)) held = recordToFile(model_, current);
    if (!keepBeforeWrite(env_, model_.family, model_.radioName, model_.extension, held)) {
        link.close();
        status.close();
        return false;
    }
    if (!writeBlocks(link, status) || !readBack(link, status)) return false;
    return resetRadio(link, status);
}

bool CCompactPage::WriteTrackingToDisk() {
    if (!takeValues()) return false;
    const auto path = askDataFile(dataFileChoice(model_.fileFilter, model_.extension, true), true);
    if (!path) return false;
    if (!saveFileAtomically(*path, recordToFile(model_, record_))) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    return true;
}

bool CCompactPage::ReadTrackingFromDisk() {
    const auto path =
        askDataFile(dataFileChoice(model_.fileFilter, model_.extension, false), false);
    if (!path) return false;
    const auto bytes = loadWholeFile(*path, model_.recordSize);
    if (!bytes) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    if (bytes->size() != model_.recordSize) {
        env_.ui.message(messages::kWrongFileSize);
        return false;
    }
    record_ = fileToRecord(model_, *bytes);
    showRecord(model_.fileBandNames);
    return true;
}

bool CCompactPage::Defaults() {
    CChooseFrequencyRangeDlg dlg(model_, bandIndex());
    if (!env_.ui.runDialog(dlg)) return false;
    const int band = dlg.selection();
    record_.back() = static_cast<std::uint8_t>(band);
    if (band >= 0 && band < kBandCount) {
        for (const auto& d : model_.defaults)
            controls_.setText(d.control, std::to_string(static_cast<std::uint8_t>(
                                             d.byBand[static_cast<std::size_t>(band)])));
        controls_.setText(kBandSplitText, bandName(model_.defaultBandNames, band));
        noteDefaults(bandName(model_.defaultBandNames, band));
    }
    controls_.setText(model_.everyBandControl, std::to_string(model_.everyBandValue));
    controls_.setText(kVersionText, "");
    return true;
}

std::vector<FamilyPage::ComparedField> CCompactPage::comparedFields(DataSet set) const {
    std::vector<ComparedField> fields;
    if (set == DataSet::Tracking)
        for (const auto& f : model_.fields) fields.push_back({f.control, f.name});
    return fields;
}

std::vector<PageAction> CCompactPage::actions() {
    PageAction defaults;
    defaults.step = "defaults";
    defaults.argsHelp = "BAND";
    defaults.help = "Defaults: choose frequency range BAND (0 to 4) and OK, or cancel";
    defaults.argCount = 1;
    // Cancelling is a choice the technician may make, not a failure.
    defaults.run = [this](const std::vector<std::string>&) {
        Defaults();
        return true;
    };
    defaults.button = model_.defaultsButton;
    defaults.press = [this] { return Defaults(); };
    defaults.dialogScript = [](const std::vector<std::string>& args) {
        if (args.at(0) == "cancel") return DialogScript{{}, "Cancel"};
        return DialogScript{{{CChooseFrequencyRangeDlg::kRangeList, args.at(0)}}, "OK"};
    };
    return {defaults};
}

}  // namespace tw::compact
