#include "families/hln/hln_page.h"

#include <algorithm>
#include <cstring>

#include "families/hln/hln_checks.h"
#include "families/hln/hln_page_ops.h"
#include "families/hln/hln_test_mode.h"
#include "families/hln/radio_identity.h"
#include "families/hln/select_radio_type.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/hex.h"
#include "util/text.h"
#include "view/shared_messages.h"

namespace tw::hln {
namespace {

using namespace ids;

constexpr const char* kNoFeaturesNovac = "Error - NOVAC 30P Radios do not have feature data";
constexpr const char* kCouldNotOpen = shared_text::kCouldNotOpenFile;
constexpr int kDefaultRadioType = 'U';

}  // namespace

CHlnmaintDlg::CHlnmaintDlg(Env& env)
    : FamilyPage(env), link_(env.link, env.ui, [&env](PortSession& port) {
          return port.open(env.app.currentPort, 9600);
      }) {
    controls_.add(kModel);
    controls_.add(kSerial);
    controls_.add(kFeatures);
    for (const auto& f : kHlnTrackingFields) controls_.add(f.control);
}

std::optional<char> CHlnmaintDlg::selectRadioType() {
    const int preselect = lastType_
                              ? *lastType_
                              : env_.profile.getInt(profile_keys::kRadioSection,
                                                    profile_keys::kRadioType, kDefaultRadioType);
    SelectRadioTypeDialog dialog(preselect);
    if (!env_.ui.runDialog(dialog)) return std::nullopt;
    lastType_ = dialog.letter();
    return lastType_;
}

std::string CHlnmaintDlg::takeFeatureText() {
    std::string t = text(kFeatures);
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    controls_.setText(kFeatures, t);
    return t;
}

void CHlnmaintDlg::showTracking(const std::string& trackingText) {
    if (modelKeepsNoTracking(text(kModel))) {
        for (const auto& f : kHlnTrackingFields) {
            controls_.setText(f.control, "NA");
            controls_.setEnabled(f.control, false);
        }
        return;
    }
    for (std::size_t i = 0; i < kHlnTrackingFields.size(); ++i) {
        const int id = kHlnTrackingFields[i].control;
        if (2 * i + 1 < trackingText.size())
            controls_.setText(
                id, format("%d", strictHexPair(trackingText[2 * i], trackingText[2 * i + 1])));
        controls_.setEnabled(id, true);
    }
}

void CHlnmaintDlg::keepRead(const std::string& extension, const std::string& fileText) {
    keepRadioRead(env_, kHlnHistoryFamily, historyRadioName(text(kSerial), text(kModel)), extension,
                  std::vector<std::uint8_t>(fileText.begin(), fileText.end()));
}

std::vector<std::uint8_t> CHlnmaintDlg::tk2Bytes(const std::string& trackingText) {
    HlnTrackingBytes values{};
    for (std::size_t i = 0; i < values.size() && 2 * i + 1 < trackingText.size(); ++i)
        values[i] = strictHexPair(trackingText[2 * i], trackingText[2 * i + 1]);
    const std::string file = encodeTk2(values);
    return {file.begin(), file.end()};
}

void CHlnmaintDlg::keepTrackingRead(const std::string& trackingText) {
    const auto file = tk2Bytes(trackingText);
    keepRead("tk2", std::string(file.begin(), file.end()));
}

void CHlnmaintDlg::rememberRead(const std::string& serial,
                                const std::optional<std::string>& tracking,
                                const std::optional<std::string>& features) {
    if (lastRead_.serial != serial) lastRead_ = {serial, {}, {}};
    if (tracking) lastRead_.tracking = tracking;
    if (features) lastRead_.features = features;
}

HlnBeforeWrite CHlnmaintDlg::beforeWrite(bool tracking) {
    return [this, tracking](const std::string& serial,
                            const std::function<std::optional<std::string>()>& readHeld) {
        const auto& kept = tracking ? lastRead_.tracking : lastRead_.features;
        // A radio that names no serial number cannot be told from another one.
        const bool named = serial != "000000000000";
        if (!confirmOtherRadio(env_, tracking ? trackingSource_ : featureSource_,
                               named ? serial : std::string()))
            return false;
        const bool sameRadio = serial == lastRead_.serial && named;
        const std::optional<std::string> held = kept && sameRadio ? kept : readHeld();
        lastRead_ = {};
        HeldCopy copy;
        if (held && tracking) copy = tk2Bytes(*held);
        if (held && !tracking) copy = std::vector<std::uint8_t>(held->begin(), held->end());
        return keepBeforeWrite(env_, kHlnHistoryFamily, historyRadioName(serial, text(kModel)),
                               tracking ? "tk2" : "fea", copy);
    };
}

std::vector<FamilyPage::ComparedField> CHlnmaintDlg::comparedFields(DataSet set) const {
    std::vector<ComparedField> fields;
    if (set == DataSet::Tracking)
        for (const auto& f : kHlnTrackingFields) fields.push_back({f.control, f.where});
    return fields;
}

std::vector<ComparedValue> CHlnmaintDlg::comparedValues(DataSet set) const {
    if (set != DataSet::Features) return FamilyPage::comparedValues(set);
    // The feature bytes mean different things on different models: they are compared as
    // bytes, in the pairs of characters the box shows them by.
    std::string t = text(kFeatures);
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    std::vector<ComparedValue> values;
    for (std::size_t i = 0; i < t.size(); i += 2)
        values.push_back({format("byte 0x%02zX", i / 2), t.substr(i, 2)});
    return values;
}

std::optional<std::string> CHlnmaintDlg::valueProblem(int id, const std::string& text) const {
    return hlnFieldProblem(id, text);
}

void CHlnmaintDlg::applyZktRule() {
    const std::string& model = text(kModel);
    if (!modelLocksAlignment(model)) return;
    for (int id : kHlnZktLockedControls) controls_.setEnabled(id, false);
}

bool CHlnmaintDlg::trackingValues(HlnTrackingBytes& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int v = leadingInt(text(kHlnTrackingFields[i].control));
        // Locked fields of ZKT and ZLT radios skip the range checks; a value that is no
        // byte would shift every later pair of the text.
        if (v < 0 || v > 255) {
            env_.ui.message("Tracking values must be within 0-255.");
            return false;
        }
        values[i] = static_cast<std::uint8_t>(v);
    }
    return true;
}

bool CHlnmaintDlg::GetStatus() {
    const auto type = selectRadioType();
    if (!type) return false;
    std::string model, serial, features, tracking;
    HlnStatusRead read;
    if (!HlnGetStatus(link_, model, serial, features, tracking, *type, &read)) return false;
    // A cancel goes unannounced by the status read, which would show the record it cut short
    // as missing: nothing of a cancelled read is shown or kept.
    if (env_.link.cancelled()) return false;
    controls_.setText(kModel, model);
    controls_.setText(kSerial, serial);
    controls_.setText(kFeatures, features);
    showTracking(tracking);
    applyZktRule();
    if (read.features) keepRead("fea", features);
    if (read.tracking && !modelKeepsNoTracking(model)) keepTrackingRead(tracking);
    trackingSource_.reset();
    featureSource_.reset();
    lastRead_ = {};
    rememberRead(serial, read.tracking ? std::optional<std::string>(tracking) : std::nullopt,
                 read.features ? std::optional<std::string>(features) : std::nullopt);
    return true;
}

bool CHlnmaintDlg::ReadTrackingFromRadio() {
    const auto type = selectRadioType();
    if (!type) return false;
    std::string model = text(kModel), serial = text(kSerial), tracking;
    if (!HlnReadTracking(link_, model, serial, tracking, *type)) return false;
    controls_.setText(kModel, model);
    controls_.setText(kSerial, serial);
    showTracking(tracking);
    applyZktRule();
    keepTrackingRead(tracking);
    trackingSource_.reset();
    rememberRead(serial, tracking, std::nullopt);
    return true;
}

bool CHlnmaintDlg::WriteTrackingToRadio() {
    const auto type = selectRadioType();
    if (!type) return false;
    // The answer only steers the checks; the field shows a model once the radio names it.
    std::string model = text(kModel);
    if (*type == 'U' && env_.ui.askYesNo("Is this an ZKT radio?")) model = "ZKT";
    // The zero question comes before the checks: a set of zeros never passes the squelch
    // range, so asked afterwards it could never be reached.
    const bool allZero = std::all_of(kHlnTrackingFields.begin(), kHlnTrackingFields.end(),
                                     [&](const auto& f) { return text(f.control) == "0"; });
    if (allZero && !env_.ui.askYesNo(shared_text::kAllZero)) return false;
    if (!ValidateHlnTracking(env_.ui, controls_, model, &failedField_)) return false;
    HlnTrackingBytes values{};
    if (!trackingValues(values)) return false;
    std::string serial = text(kSerial);
    if (!HlnWriteTracking(link_, model, serial, hexEncode(values.data(), values.size()), *type,
                          beforeWrite(true)))
        return false;
    controls_.setText(kModel, model);
    applyZktRule();
    controls_.setText(kSerial, serial);
    return true;
}

bool CHlnmaintDlg::ReadFeaturesFromRadio() {
    const auto type = selectRadioType();
    if (!type) return false;
    if (hasNoFeatureData(*type)) {
        env_.ui.message(kNoFeaturesNovac);
        return false;
    }
    std::string model = text(kModel), serial = text(kSerial), features = takeFeatureText();
    const bool ok = HlnReadFeatures(link_, model, serial, features, *type);
    controls_.setText(kModel, model);
    controls_.setText(kSerial, serial);
    controls_.setText(kFeatures, features);
    if (ok) {
        keepRead("fea", features);
        featureSource_.reset();
        rememberRead(serial, std::nullopt, features);
    }
    return ok;
}

bool CHlnmaintDlg::WriteFeaturesToRadio() {
    const auto type = selectRadioType();
    if (!type) return false;
    if (hasNoFeatureData(*type)) {
        env_.ui.message(kNoFeaturesNovac);
        return false;
    }
    std::string features = takeFeatureText();
    if (!ValidateHlnFeatures(env_.ui, features)) return false;
    std::string model = text(kModel), serial = text(kSerial);
    const bool ok = HlnWriteFeatures(link_, model, serial, features, *type, beforeWrite(false));
    controls_.setText(kModel, model);
    controls_.setText(kSerial, serial);
    controls_.setText(kFeatures, features);
    return ok;
}

bool CHlnmaintDlg::WriteTrackingToDisk() {
    if (!ValidateHlnTracking(env_.ui, controls_, text(kModel), &failedField_)) return false;
    HlnTrackingBytes values{};
    if (!trackingValues(values)) return false;
    const auto path = askDataFile(dataFileChoice(kTk2Filter, "tk2", true), true);
    if (!path) return false;
    if (!saveFileAtomically(*path, encodeTk2(values))) {
        env_.ui.message(kCouldNotOpen);
        return false;
    }
    return true;
}

bool CHlnmaintDlg::ReadTrackingFromDisk() {
    const auto path = askDataFile(dataFileChoice(kTk2Filter, "tk2", true), false);
    if (!path) return false;
    auto bytes = readFilePrefix(*path, kTk2Size + kTrailingBlanksAllowance + 1);
    if (!bytes) {
        env_.ui.message(kCouldNotOpen);
        return false;
    }
    const std::size_t read = bytes->size();
    while (!bytes->empty() && std::strchr(" \t\r\n", bytes->back()) != nullptr) bytes->pop_back();
    // After the 27 pairs only blanks and line ends may follow (a hand-edited file); anything
    // else means the file is not what it seems.
    if (read > kTk2Size + kTrailingBlanksAllowance || bytes->size() > kTk2Size) {
        const auto size = fileSize(*path);
        env_.ui.message("The file is too long for tracking data (" +
                        std::to_string(size ? *size : read) +
                        " bytes).\nA tracking data file holds " + std::to_string(kTk2Size) +
                        " hexadecimal characters.");
        return false;
    }
    const auto values = decodeTk2(*bytes);
    if (!values) {
        env_.ui.message("The file is too short for tracking data.\nA tracking data file holds " +
                        std::to_string(kTk2Size) + " hexadecimal characters.");
        return false;
    }
    for (std::size_t i = 0; i < values->size(); ++i)
        controls_.setText(kHlnTrackingFields[i].control, format("%d", (*values)[i]));
    trackingSource_ = historyCopyAt(env_.app, kHlnHistoryFamily, *path);
    return true;
}

bool CHlnmaintDlg::WriteFeaturesToDisk() {
    const std::string features = takeFeatureText();
    if (!ValidateHlnFeatures(env_.ui, features)) return false;
    const auto path = askDataFile(dataFileChoice(kFeaFilter, "fea", true), true);
    if (!path) return false;
    if (!saveFileAtomically(*path, features)) {
        env_.ui.message(kCouldNotOpen);
        return false;
    }
    return true;
}

bool CHlnmaintDlg::ReadFeaturesFromDisk() {
    const auto path = askDataFile(dataFileChoice(kFeaFilter, "fea", true), false);
    if (!path) return false;
    const auto bytes = readFilePrefix(*path, kFeaReadLimit);
    if (!bytes) {
        env_.ui.message(kCouldNotOpen);
        return false;
    }
    controls_.setText(kFeatures, decodeFea(*bytes));
    featureSource_ = historyCopyAt(env_.app, kHlnHistoryFamily, *path);
    return true;
}

bool CHlnmaintDlg::SetTestMode(int on) {
    if (!on) {
        const bool left = HlnLeaveTestMode(link_);
        env_.ui.message(left ? "You have left the test mode for HLN radios"
                             : "Error in leaving Test Mode");
        return left;
    }
    const auto type = selectRadioType();
    if (!type) return false;
    std::string model;
    bool entered = false;
    {
        BusyCursor busy(env_.ui);
        entered = HlnEnterTestMode(link_, model, *type);
    }
    if (!entered) return false;
    controls_.setText(kModel, model);
    env_.ui.message(model);
    return true;
}

}  // namespace tw::hln
