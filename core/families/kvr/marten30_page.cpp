#include "families/kvr/marten30_page.h"

#include "config/profile.h"
#include "families/kvr/kvr_maint.h"
#include "families/kvr/marten30_dialogs.h"
#include "families/kvr/marten30_link.h"
#include "families/kvr/marten30_report.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/hex.h"
#include "util/text.h"

namespace tw::kvr {

namespace {

constexpr const char* kTk7Filter = "Tracking Data|*.tk7|All Files|*.*||";

std::uint16_t blockAddress(std::size_t block) {
    return static_cast<std::uint16_t>(m30::kAreaStart + block * m30::kBlockSize);
}

std::string percentText(std::size_t block) {
    return format("Percent Complete = %d", static_cast<int>(block * 100 / m30::kBlockCount));
}

// Blocks done, shown with the percentage at the start of each block; the whole only once the
// image has been read or written and checked.
void markBlocks(StatusWindow& status, std::size_t done) {
    status.progress(static_cast<long>(done), static_cast<long>(m30::kBlockCount));
}

// Reads the tracking area twice, block by block; the image when both reads agree in full.
std::optional<Marten30Image> readImage(Marten30Link& link, StatusWindow& status) {
    std::string first, second;
    bool complete = true;
    for (std::size_t block = 0; block < m30::kBlockCount; ++block) {
        status.setText(percentText(block));
        markBlocks(status, block);
        std::string a, b;
        // A short block cannot be told from a good one by comparing; it counts as a bad read.
        // A radio that answers nothing at all has gone away: the read ends there rather than
        // waiting out every remaining block.
        complete = link.readBlock(blockAddress(block), a, 0) && complete;
        if (a.empty()) break;
        complete = link.readBlock(blockAddress(block), b, 0) && complete;
        if (b.empty()) break;
        first += a;
        second += b;
    }
    if (!complete || first != second) return std::nullopt;
    markBlocks(status, m30::kBlockCount);
    Marten30Image image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = strictHexPair(first[2 * i], first[2 * i + 1]);
    return image;
}

// The image's serial number; empty when it holds none (all zeros).
std::string namedSerial(const Marten30Image& image) {
    const std::string serial = serialNumberText(image);
    return serial.find_first_not_of('0') == std::string::npos ? std::string() : serial;
}

// The radio's name in the history: its serial number, or its type when it has none.
std::string historyRadio(const Marten30Image& image, bool portable) {
    const std::string serial = namedSerial(image);
    return serial.empty() ? radioTypeText(portable) : serial;
}

// Opens the link and asks who answers, telling the technician what was wrong with the radio;
// the link is closed on failure.
std::optional<Marten30Identity> identifyRadio(Env& env, Marten30Link& link) {
    if (!link.open()) {
        env.ui.message(messages::kPortNotOpened);
        return std::nullopt;
    }
    const auto answer = link.identify();
    if (answer.unknownCountry) env.ui.message(messages::kInvalidCountry);
    if (answer.identity) return answer.identity;
    if (const char* text = faultMessage(answer.fault)) env.ui.message(text);
    link.close();
    return std::nullopt;
}

}  // namespace

CMarten30Page::CMarten30Page(Env& env) : FamilyPage(env) {
    for (const auto& field : kDisplayFields) controls_.add(field.control);
    controls_.add(kRadioStatusButton, "Radio Status", false);
    controls_.add(kSquelchButton, "Squelch Settings ...", false);
    controls_.add(kDeviationButton, "Transmitter Deviation...", false);
    controls_.add(kCloningButton, "Cloning Data", false);
    controls_.add(kCountryButton, "Country Setting", false);
    controls_.add(kPowerButton, "Tx Power/Tx Frequency", false);
}

void CMarten30Page::showFromImage() {
    const std::uint8_t id = image_[m30::kIdentityByte];
    controls_.setText(kBandSplit, bandSplitText(bandSplitOf(id)));
    controls_.setText(kRadioType, radioTypeText(isPortable(image_)));
    controls_.setText(kCountry, countryText(countryOf(id)));
    controls_.setText(kSerialNumber, serialNumberText(image_));
}

bool CMarten30Page::ReadTrackingFromRadio() {
    StatusWindow status(env_.ui);
    status.setText("Handshaking");
    Marten30Link link(env_);
    const auto ident = identifyRadio(env_, link);
    if (!ident) {
        status.close();
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    status.setText("Reading Tracking Data");
    const auto read = readImage(link, status);
    const bool valid = read.has_value();
    if (!valid) {
        status.close();
        env_.ui.message(messages::kInvalidRead);
        link.close();
    } else {
        image_ = *read;
        loadedCopy_.reset();
        controls_.setText(kSerialNumber, serialNumberText(image_));
        keepRadioRead(env_, "marten30", historyRadio(image_, ident->radioId == kPortableRadioId),
                      "tk7", std::vector<std::uint8_t>(image_.begin(), image_.end()));
    }
    controls_.setText(kRadioType, radioTypeText(ident->radioId == kPortableRadioId));
    controls_.setText(kBandSplit, bandSplitText(ident->bandSplit));
    controls_.setText(kCountry, countryText(ident->country));
    controls_.setText(kRadioCode, ident->radioCode);
    return valid;
}

bool CMarten30Page::WriteTrackingToRadio() {
    StatusWindow status(env_.ui);
    status.setText("Handshaking");
    Marten30Link link(env_);
    const auto ident = identifyRadio(env_, link);
    if (!ident) {
        status.close();
        env_.ui.message(messages::kCouldNotInitialize);
        return false;
    }
    status.setText("Writing Tracking Data");
    if (ident->radioId != kPortableRadioId && ident->radioId != kMobileRadioId) {
        env_.ui.message(messages::kInvalidRadioId);
        return false;
    }
    // What the radio holds now is kept before the first block changes it.
    status.setText("Reading Tracking Data");
    const auto held = readImage(link, status);
    const HeldCopy copy =
        held ? HeldCopy(std::vector<std::uint8_t>(held->begin(), held->end())) : HeldCopy();
    const std::string radio =
        held ? historyRadio(*held, ident->radioId == kPortableRadioId) : "unknown";
    // The image carries its radio's serial number: another radio's would be written with it.
    if (!confirmOtherRadio(env_, loadedCopy_, held ? namedSerial(*held) : std::string())) {
        link.close();
        return false;
    }
    if (!keepBeforeWrite(env_, "marten30", radio, "tk7", copy)) {
        link.close();
        return false;
    }
    status.setText("Writing Tracking Data");
    fixChecksums(image_);
    const std::string chars = hexEncode(image_.data(), image_.size());
    for (std::size_t block = 0; block < m30::kBlockCount; ++block) {
        status.setText(percentText(block));
        markBlocks(status, block);
        const std::string piece = chars.substr(block * 2 * m30::kBlockSize, 2 * m30::kBlockSize);
        if (link.writeBlock(blockAddress(block), piece) != Marten30Link::WriteResult::Written) {
            // The radio now holds a mix of old and new blocks: say so at once, and let go of
            // the port and the status window before the technician acts on it.
            link.close();
            status.close();
            env_.ui.message(messages::kWriteNotVerified);
            env_.ui.detail(
                "The radio's tracking area may now hold new and old blocks side by side: write "
                "the image again before the radio is used.");
            return false;
        }
    }
    markBlocks(status, m30::kBlockCount);
    return true;
}

bool CMarten30Page::WriteTrackingToDisk() {
    const auto path = askDataFile(dataFileChoice(kTk7Filter, "tk7", true), true);
    if (!path) return false;
    if (!saveFileAtomically(*path, std::vector<std::uint8_t>(image_.begin(), image_.end()))) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    return true;
}

bool CMarten30Page::ReadTrackingFromDisk() {
    const auto path = askDataFile(dataFileChoice(kTk7Filter, "tk7", false), false);
    if (!path) return false;
    const auto bytes = loadWholeFile(*path, image_.size());
    if (!bytes) {
        env_.ui.message(messages::kCouldNotOpenFile);
        return false;
    }
    // A file of another size is no image of this radio; the image on the page stays.
    if (bytes->size() != image_.size()) {
        env_.ui.message(messages::kWrongFileSize);
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), image_.begin());
    showFromImage();
    loadedCopy_ = historyCopyAt(env_.app, "marten30", *path);
    return true;
}

std::vector<ComparedValue> CMarten30Page::comparedValues(DataSet set) const {
    std::vector<ComparedValue> values;
    if (set != DataSet::Tracking) return values;
    for (std::size_t i = 0; i < image_.size(); ++i)
        values.push_back({marten30ByteName(i), std::to_string(image_[i])});
    return values;
}

std::vector<std::string> CMarten30Page::ReportLines() {
    return marten30ReportLines(image_);
}

bool CMarten30Page::edit(Marten30Dialog& dialog) {
    if (!env_.ui.runDialog(dialog)) return false;
    dialog.apply(image_);
    return true;
}

bool CMarten30Page::EditSquelch() {
    return edit(*makeSquelchDialog(image_));
}

bool CMarten30Page::EditDeviation() {
    return edit(*makeDeviationDialog(image_));
}

bool CMarten30Page::EditPower() {
    return edit(*makePowerDialog(image_));
}

bool CMarten30Page::EditCloning() {
    return edit(*makeCloningDialog(image_));
}

bool CMarten30Page::EditCountry() {
    if (!edit(*makeCountryDialog(image_))) return false;
    controls_.setText(kCountry, countryText(countryOf(image_[m30::kIdentityByte])));
    return true;
}

std::vector<PageAction> CMarten30Page::actions() {
    std::vector<PageAction> list;
    PageAction status;
    status.step = "radio-status";
    status.help = "the Radio Status button (reads the radio like read-tracking)";
    status.run = [this](const std::vector<std::string>&) { return ReadTrackingFromRadio(); };
    status.button = kRadioStatusButton;
    list.push_back(status);

    // The edit windows write what the technician changed back to the radio.
    struct EditStep {
        const char* step;
        const char* help;
        const char* example;
        bool (CMarten30Page::*run)();
        int button, row, column;
    };
    const EditStep edits[] = {
        {"squelch", "Squelch Settings dialog: set boxes, OK", "1005=120 1006=130",
         &CMarten30Page::EditSquelch, kSquelchButton, 0, 1},
        {"deviation", "Transmitter Deviation dialog: set boxes, OK", "1012=90 1013=7",
         &CMarten30Page::EditDeviation, kDeviationButton, 1, 0},
        {"power", "Tx Power/Tx Frequency dialog: set boxes, OK", "1039=128 1005=200",
         &CMarten30Page::EditPower, kPowerButton, 1, 1},
        {"cloning", "Cloning Data dialog: 2075/2076=0|1, OK", "2075=1 2076=0",
         &CMarten30Page::EditCloning, kCloningButton, 2, 0},
        {"country", "Country dialog: country=0..3 or a name, OK", "country=Europe",
         &CMarten30Page::EditCountry, kCountryButton, 2, 1},
    };
    for (const auto& e : edits) {
        PageAction a;
        a.step = e.step;
        a.argsHelp = "[ID=VALUE ...]";
        a.help = e.help;
        a.argCount = PageAction::kAllAssignments;
        a.example = e.example;
        a.work = RadioWork::Write;
        a.button = e.button;
        a.row = e.row;
        a.column = e.column;
        auto member = e.run;
        a.run = [this, member](const std::vector<std::string>&) { return (this->*member)(); };
        a.dialogScript = [](const std::vector<std::string>& args) {
            DialogScript s;
            for (const auto& arg : args) {
                const auto eq = arg.find('=');
                s.settings.emplace_back(arg.substr(0, eq),
                                        eq == std::string::npos ? "" : arg.substr(eq + 1));
            }
            s.button = "OK";
            return s;
        };
        list.push_back(a);
    }
    return list;
}

}  // namespace tw::kvr
