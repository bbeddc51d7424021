#include "families/kvr/kvr_radio_type_dlg.h"

#include "config/profile.h"
#include "families/kvr/band_split_sample.h"
#include "history/read_history.h"
#include "link/memory_command.h"
#include "util/hex.h"
#include "util/text.h"

namespace tw::kvr {

namespace {

// Line number of a list from its text; -1 for none, -2 for text that is no line number.
int parseLine(const std::string& value) {
    if (value.empty()) return -1;
    for (char c : value)
        if (c < '0' || c > '9') return -2;
    return value.size() > 4 ? -2 : std::stoi(value);
}

// The three writes of the initial data block: 0x20 bytes at 0x0000 and at 0x0020, and the
// last 4 bytes at 0x0040.
struct WritePiece {
    std::uint8_t count;
    std::uint16_t address;
};
constexpr WritePiece kWritePieces[] = {{0x20, 0x0000}, {0x20, 0x0020}, {0x04, 0x0040}};

}  // namespace

CKvrRadioTypeDlg::CKvrRadioTypeDlg(Env& env, KvrLink& link, InitialData& data)
    : env_(env), link_(link), data_(data) {}

void CKvrRadioTypeDlg::OnInitDialog() {
    radioTypeLines_.assign(kRadioTypeNames.begin(), kRadioTypeNames.end());
    typeSel_ = data_.radioType;

    bandSplitLines_.clear();
    lineRecords_.clear();
    splitSel_ = -1;
    const std::string dir =
        env_.profile.getString(profile_keys::kDirectorySection, profile_keys::kTranslators, "");
    std::string source = bandSplitFilePath(dir);
    BandSplitLoad loaded = BandSplitLoad::NotFound;
    if (env_.app.simulated) {
        // A simulated radio's band splits are nowhere on disk; whatever the profile names
        // belongs to real radios and stays out of a simulated session.
        source = kSampleBandSplitSource;
        loaded = bandSplitRecordsOfFile(sampleBandSplitFile(), records_);
        env_.ui.detail("Simulated radio: the band splits come from " + source + ", not from " +
                       bandSplitFilePath(dir) + ".");
    } else {
        loaded = loadBandSplitRecords(source, records_);
    }
    switch (loaded) {
        case BandSplitLoad::NotFound:
            env_.ui.message(messages::kNoBandSplitFile);
            return;
        case BandSplitLoad::TooShort:
            env_.ui.message(messages::kBandSplitFileShort);
            return;
        case BandSplitLoad::Ok:
            break;
    }
    int implausible = 0;
    for (const auto& r : records_) {
        if (!r.present) continue;
        // Choosing such a line would write a band split no radio has.
        if (!plausibleBandSplit(r.edges)) {
            ++implausible;
            continue;
        }
        bandSplitLines_.push_back(bandSplitLine(r.edges));
        lineRecords_.push_back(r.number);
    }
    if (implausible > 0)
        env_.ui.detail(std::to_string(implausible) + " band-split record(s) of " + source +
                       " left out: a low edge above its high edge, or an edge outside 1 to "
                       "1000 MHz.");
    preselectBandSplit();
}

void CKvrRadioTypeDlg::preselectBandSplit() {
    // The radio's record is the first one with its edges, offered or not; when that record
    // is not offered, no line is selected.
    for (const auto& r : records_) {
        if (!(r.edges == data_.edges)) continue;
        for (std::size_t line = 0; line < lineRecords_.size(); ++line) {
            if (lineRecords_[line] == r.number) {
                splitSel_ = static_cast<int>(line);
                return;
            }
        }
        return;
    }
}

void CKvrRadioTypeDlg::OnDestroy() {
    if (!link_.isOpen()) return;
    env_.ui.message(messages::kActionCancelled);
    link_.close();
}

std::vector<std::string> CKvrRadioTypeDlg::describe() const {
    std::vector<std::string> out;
    out.push_back(format("Radio Type (%d):", kRadioTypeList));
    for (std::size_t i = 0; i < radioTypeLines_.size(); ++i)
        out.push_back(format("%c %zu  %s", static_cast<int>(i) == typeSel_ ? '*' : ' ', i,
                             radioTypeLines_[i].c_str()));
    out.push_back(format("Bandsplit Settings (%d):   Transmit Frequency    Receive Frequency",
                         kBandSplitList));
    for (std::size_t i = 0; i < bandSplitLines_.size(); ++i)
        out.push_back(format("%c %zu  %s", static_cast<int>(i) == splitSel_ ? '*' : ' ', i,
                             bandSplitLines_[i].c_str()));
    if (bandSplitLines_.empty()) out.push_back("  (no band split)");
    out.push_back(std::string("Buttons: ") + kWriteButton + (writeEnabled() ? "" : " (greyed)") +
                  ", Cancel");
    return out;
}

bool CKvrRadioTypeDlg::set(const std::string& control, const std::string& value) {
    const int line = parseLine(value);
    if (line == -2) return false;
    if (control == std::to_string(kRadioTypeList)) {
        if (line >= static_cast<int>(radioTypeLines_.size())) return false;
        typeSel_ = line;
        return true;
    }
    if (control == std::to_string(kBandSplitList)) {
        if (line >= static_cast<int>(bandSplitLines_.size())) return false;
        splitSel_ = line;
        return true;
    }
    return false;
}

bool CKvrRadioTypeDlg::press(const std::string& button, bool& accepted) {
    accepted = false;
    if (button == kWriteButton || button == "OK") {
        if (!writeEnabled() || !writeToRadio()) return false;
        accepted = !writeFailed_;
        return true;
    }
    return button == "Cancel";
}

// False keeps the dialog open (nothing was sent); true closes it after the write was tried.
bool CKvrRadioTypeDlg::writeToRadio() {
    if (typeSel_ < 0 || splitSel_ < 0) {
        env_.ui.message(messages::kChooseTypeAndSplit);
        return false;
    }
    const int record = lineRecords_[static_cast<std::size_t>(splitSel_)];
    std::uint8_t code = 0;
    if (auto known = bandSplitCodeOfRecord(record)) {
        code = *known;
    } else if (records_[static_cast<std::size_t>(record)].edges == data_.edges) {
        // A record without a code of its own may still be the radio's present band split;
        // then the radio keeps the code it has.
        code = data_.image[0] & 0x0F;
    } else {
        env_.ui.message(messages::kBandSplitHasNoCode);
        return false;
    }

    // The initial data as the radio holds it is kept before the first piece changes it. No
    // keeps the dialog open, nothing sent.
    const std::string held = hexEncode(data_.image.data(), data_.image.size());
    if (!keepBeforeWrite(env_, "kvr", "KVR", "idat",
                         std::vector<std::uint8_t>(held.begin(), held.end())))
        return false;
    const auto type = static_cast<std::uint8_t>(typeSel_);
    const std::string chars = encodeInitialData(data_.image, type, code);
    bool sent = true;
    std::size_t at = 0;
    for (const auto& piece : kWritePieces) {
        const std::size_t n = 2 * static_cast<std::size_t>(piece.count);
        // The radio stores whatever follows the command as the piece.
        SerialLink::WholeCommand whole(env_.link);
        sent = link_.send(memoryCommand(MemoryOp::Write, piece.count, piece.address)) &&
               link_.send(chars.substr(at, n));
        if (!sent) break;
        at += n;
    }
    writeFailed_ = !sent;
    if (sent) {
        data_ = decodeInitialData(chars);
        env_.ui.message(messages::kInitialDataWritten);
    } else {
        env_.ui.message(messages::kInitialDataWriteError);
        env_.ui.detail(
            "The initial data block may now hold part of the new data: choose the radio type and "
            "band split again and write them before the radio is used.");
    }
    link_.close();
    return true;
}

}  // namespace tw::kvr
