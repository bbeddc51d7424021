#include "plugin/transfer/personality_transfer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "families/hln/hln_connect.h"
#include "families/hln/hln_files.h"
#include "families/hln/hln_image.h"
#include "families/hln/hln_messages.h"
#include "families/hln/hln_table.h"
#include "families/hln/hln_transfers.h"
#include "history/read_history.h"
#include "plugin/codec/image_bounds.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/transfer/dump_files.h"
#include "plugin/transfer/image_file.h"
#include "plugin/transfer/link_parameters.h"
#include "plugin/transfer/watched_ui.h"
#include "util/file_io.h"
#include "util/hex.h"
#include "util/text.h"
#include "view/env.h"

namespace tw {
namespace {

using Outcome = TransferOutcome;

// The serial side of one transfer: port 1, whatever the application's current port, and
// every exit closes it.
class RadioSession {
  public:
    explicit RadioSession(Env& env, Ui& ui)
        : env_(env), link_(env.link, ui, [](PortSession& port) { return port.open(1, 9600); }) {}
    ~RadioSession() { link_.close(); }
    RadioSession(const RadioSession&) = delete;
    RadioSession& operator=(const RadioSession&) = delete;

    bool open() {
        if (link_.open()) return true;
        link_.message(hln::messages::kCommNotOpen);
        if (!env_.link.lastOpenError().empty()) link_.ui().detail(env_.link.lastOpenError());
        return false;
    }
    hln::HlnLink& link() { return link_; }

  private:
    Env& env_;
    hln::HlnLink link_;
};

// Puts the personality's type back on every exit: connecting rewrites it.
class TypeKeeper {
  public:
    explicit TypeKeeper(CPersonality& p) : p_(p), type_(p.radioType) {}
    ~TypeKeeper() {
        if (restore_) p_.radioType = type_;
    }
    TypeKeeper(const TypeKeeper&) = delete;
    TypeKeeper& operator=(const TypeKeeper&) = delete;
    std::uint16_t type() const { return type_; }
    void keepNew() { restore_ = false; }

  private:
    CPersonality& p_;
    std::uint16_t type_;
    bool restore_ = true;
};

// A file transfer needs a description letter the family knows and that matches the
// personality, else the image would be built or read for another radio.
bool checkFileLetter(const CPersonality& p, const RadioDescription& d, Ui& ui) {
    if (!isFileLetter(d[0])) {
        ui.message(format(pers_text::kUnknownLetter, d[0] >= 0x20 && d[0] < 0x7F ? d[0] : '?',
                          static_cast<unsigned>(d[0])));
        return false;
    }
    if (d[0] != p.radioType) {
        const auto shown = p.radioType >= 0x20 && p.radioType < 0x7F ? p.radioType : '?';
        ui.message(format(pers_text::kWrongLetter, d[0], static_cast<int>(shown)));
        return false;
    }
    return true;
}

int fileIdentity(const CPersonality& p, const RadioDescription& d, hln::RadioIdentity& identity,
                 Ui& ui) {
    applyLinkParameters(p, identity);
    const int band = bandCodeOf(p.bandLimits[0]);
    setFileRadioId(identity, d, band);
    ui.detail(format(pers_text::kBandDetail, band, p.bandLimits[0]));
    return band;
}

// A read before a write "failed" when it broke off; a radio that says it keeps no such
// record is fine, and the record then stays zero.
enum class PreRead { Read, None, Failed };

PreRead judge(bool ok, const std::vector<std::string>& shown,
              std::initializer_list<const char*> noneTexts) {
    if (ok) return PreRead::Read;
    for (const auto& text : shown) {
        bool none = false;
        for (const char* n : noneTexts) none = none || text == n;
        if (!none) return PreRead::Failed;
    }
    return PreRead::None;
}

// Judges one read before the write: false when it broke off. A record the radio keeps none
// of stays zero.
template <class Record>
bool preRead(bool ok, WatchedUi& ui, std::initializer_list<const char*> noneTexts, Record& record) {
    const PreRead read = judge(ok, ui.takeShown(), noneTexts);
    if (read == PreRead::None) record.fill(0);
    return read != PreRead::Failed;
}

// What the image's own directory says of the bytes read: its notes as details, and true
// when every section it places was read. `cutShort` words the refusal around the reason.
template <class CutShort>
bool wholeImage(const std::uint8_t* image, std::size_t size, std::size_t bytesRead, Ui& ui,
                CutShort cutShort) {
    const ImageBounds bounds = checkImageBounds({image, size}, bytesRead);
    for (const auto& note : bounds.notes) ui.detail(note);
    if (bounds.cutShort.empty()) return true;
    ui.message(cutShort(bounds.cutShort));
    return false;
}

using DataVersion = std::optional<std::pair<std::uint8_t, std::uint8_t>>;

// Reads what the encoder carries over from the radio: feature data, tracking data, the
// auxiliary block and the data version. Null when all came, else what broke off; the reads
// after it are not tried, each would only wait out its own time-out.
const char* readRadioData(hln::HlnLink& link, WatchedUi& ui, hln::PersonalityImage& image,
                          const hln::RadioIdentity& identity, DataVersion& version) {
    if (!preRead(hln::HlnTransferFeatureData(link, image, identity), ui, {hln::messages::kNoData},
                 image.feature))
        return "feature data";
    if (!preRead(hln::HlnTransferTrackingData(link, image, identity), ui,
                 {hln::messages::kNoTrackingData}, image.tracking))
        return "tracking data";
    if (!preRead(hln::HlnReadAuxiliaryBlock(link, image, identity), ui, {}, image.auxiliary))
        return "auxiliary block";
    hln::HlnTableEntry entry;
    std::uint8_t v[2] = {};
    if (!hln::hlnResolveBase(link, entry.base) ||
        !hln::hlnReadMemory(link, 2, static_cast<std::uint16_t>(entry.base + hln::kHlnVersionAt),
                            v))
        return "data version";
    version = std::make_pair(v[0], v[1]);
    return nullptr;
}

// The radio's own data for the write. These bytes carry no check and go back into the radio
// with the personality, where a line error would stay: they are read twice and must agree.
// False (message shown) when a read broke off or the two disagree.
bool readForWrite(hln::HlnLink& link, WatchedUi& ui, hln::PersonalityImage& image,
                  const hln::RadioIdentity& identity, DataVersion& version) {
    ui.takeShown();
    if (const char* broken = readRadioData(link, ui, image, identity, version)) {
        link.message(format(pers_text::kPreReadFailed, broken));
        return false;
    }
    hln::PersonalityImage again;
    DataVersion versionAgain;
    if (const char* broken = readRadioData(link, ui, again, identity, versionAgain)) {
        link.message(format(pers_text::kPreReadFailed, broken));
        return false;
    }
    const char* differs = again.feature != image.feature       ? "feature data"
                          : again.tracking != image.tracking   ? "tracking data"
                          : again.auxiliary != image.auxiliary ? "auxiliary block"
                          : versionAgain != version            ? "data version"
                                                               : nullptr;
    if (differs) link.message(format(pers_text::kPreReadDiffers, differs));
    return differs == nullptr;
}

// The tracking and feature records a personality write read from the radio, as the HLN
// page's files (.tk2, .fea) keep them; a record the radio holds none of is not kept.
bool keepAlignment(Env& env, const hln::PersonalityImage& image,
                   const hln::RadioIdentity& identity) {
    std::vector<HeldFile> files;
    const auto any = [](const auto& record) {
        return std::any_of(record.begin(), record.end(), [](std::uint8_t b) { return b != 0; });
    };
    if (any(image.tracking)) {
        hln::HlnTrackingBytes values{};
        std::copy_n(image.tracking.begin(), values.size(), values.begin());
        const std::string file = hln::encodeTk2(values);
        files.push_back({"tk2", std::vector<std::uint8_t>(file.begin(), file.end())});
    }
    if (any(image.feature)) {
        const std::string text = hexEncode(image.feature.data(), image.featureLength());
        files.push_back({"fea", std::vector<std::uint8_t>(text.begin(), text.end())});
    }
    return files.empty() ||
           keepBeforeWrite(env, hln::kHlnHistoryFamily, hln::historyRadioName(identity), files);
}

Outcome readFromRadio(Env& env, const TransferSettings& settings, CPersonality& p, Ui& ui) {
    TypeKeeper type(p);
    hln::RadioIdentity identity;
    applyLinkParameters(p, identity);
    RadioSession session(env, ui);
    if (!session.open()) return Outcome::Failed;
    if (!hln::HlnConnect(session.link(), static_cast<char>(p.radioType), identity))
        return Outcome::Failed;
    // The personality now names the radio that answered.
    p.radioType = static_cast<std::uint8_t>(identity.typeLetter());
    hln::PersonalityImage image;
    image.buffer.assign(kPersReadBufferSize, 0);
    if (!hln::HlnReadImage(session.link(), image, identity)) return Outcome::Failed;
    session.link().close();
    const std::size_t size = identity.imageSize;
    writeDump(settings.dumpFolder, "read.hex", image.buffer.data(), size, ui);
    keepRadioRead(env, hln::kHlnHistoryFamily, hln::historyRadioName(identity), "bin",
                  std::vector<std::uint8_t>(image.buffer.begin(), image.buffer.begin() + size));
    if (!wholeImage(image.buffer.data(), size, size, ui, [&](const std::string& why) {
            return format(pers_text::kRadioCutShort, size, why.c_str());
        }))
        return Outcome::Failed;
    if (decodePersonality(image.buffer.data(), size, p, identity, ui) != 1) return Outcome::Failed;
    // The personality now describes the radio it came from.
    type.keepNew();
    return Outcome::Done;
}

Outcome readFromFile(const TransferSettings& settings, CPersonality& p, const std::string& path,
                     const RadioDescription& d, Ui& ui) {
    if (!checkFileLetter(p, d, ui)) return Outcome::Refused;
    if (!hasBandLimits(p)) {
        ui.message(pers_text::kNoBandLimits);
        return Outcome::Refused;
    }
    hln::RadioIdentity identity;
    fileIdentity(p, d, identity, ui);
    const std::size_t size = identity.imageSize;
    auto read = readImageFile(path, size);
    if (auto* e = std::get_if<ImageFileError>(&read)) {
        ui.message(format(e->opened ? pers_text::kCannotRead : pers_text::kCannotOpen, path.c_str(),
                          e->reason.c_str()));
        return Outcome::Failed;
    }
    auto& file = std::get<ImageFileRead>(read);
    if (file.fileBytes > size) {
        ui.message(format(pers_text::kTooLong, path.c_str(), file.fileBytes,
                          static_cast<char>(identity.radioId[0]), static_cast<unsigned>(size)));
        return Outcome::Refused;
    }
    // A file written by a personality write ends with its CRC: the rest of the image is zero,
    // and the file's own directory tells a file that ends there from one cut short.
    std::vector<std::uint8_t> buffer(kPersReadBufferSize, 0);
    std::copy(file.bytes.begin(), file.bytes.end(), buffer.begin());
    if (!wholeImage(buffer.data(), size, file.bytes.size(), ui, [&](const std::string& why) {
            return format(pers_text::kFileCutShort, path.c_str(), file.bytes.size(), why.c_str());
        }))
        return Outcome::Refused;
    writeDump(settings.dumpFolder, "read.hex", buffer.data(), size, ui);
    if (decodePersonality(buffer.data(), size, p, identity, ui) != 1) return Outcome::Failed;
    return Outcome::Done;
}

Outcome writeToRadio(Env& env, const TransferSettings& settings, CPersonality& p,
                     unsigned idOverride, WatchedUi& ui) {
    TypeKeeper type(p);
    hln::RadioIdentity identity;
    applyLinkParameters(p, identity);
    RadioSession session(env, ui);
    if (!session.open()) return Outcome::Failed;
    hln::HlnLink& link = session.link();
    if (!hln::HlnConnect(link, static_cast<char>(p.radioType), identity)) return Outcome::Failed;
    p.radioType = static_cast<std::uint8_t>(identity.typeLetter());
    const char wanted = linkLetter(type.type());
    if (identity.typeLetter() != wanted &&
        !ui.askYesNo(format(pers_text::kOtherRadio, identity.typeLetter(), wanted)))
        return Outcome::Cancelled;

    hln::PersonalityImage image;
    image.buffer.assign(identity.imageSize, 0);
    image.idOverride = static_cast<std::uint16_t>(idOverride & 0xFFFF);
    identity.writeMode = 0;
    EncodeRequest request;
    request.idOverride = image.idOverride;
    request.toRadio = true;
    if (!readForWrite(link, ui, image, identity, request.radioVersion)) return Outcome::Failed;
    // The alignment the write carries over is what the radio must not lose: kept before the
    // image goes out, from the reads just made (the personality is the application's own).
    if (!keepAlignment(env, image, identity)) return Outcome::Cancelled;
    identity.writeMode = 1;
    // Encoded for the radio that answered: connecting set the personality's type to it.
    if (encodePersonality(image, p, request, identity, ui) != kEncodeDone) return Outcome::Refused;
    writeDump(settings.dumpFolder, "write.hex", image.buffer.data(), identity.imageSize, ui);
    const bool written = hln::HlnWriteImage(link, image, identity);
    identity.writeMode = 0;
    return written ? Outcome::Done : Outcome::Failed;
}

Outcome writeToFile(const TransferSettings& settings, const CPersonality& p, unsigned idOverride,
                    const std::string& path, const RadioDescription& d, Ui& ui) {
    if (!checkFileLetter(p, d, ui)) return Outcome::Refused;
    hln::RadioIdentity identity;
    fileIdentity(p, d, identity, ui);
    hln::PersonalityImage image;
    image.buffer.assign(identity.imageSize, 0);
    image.idOverride = static_cast<std::uint16_t>(idOverride & 0xFFFF);
    identity.writeMode = 1;
    EncodeRequest request;
    request.idOverride = image.idOverride;
    request.toRadio = false;
    if (encodePersonality(image, p, request, identity, ui) != kEncodeDone) return Outcome::Refused;
    writeDump(settings.dumpFolder, "write.hex", image.buffer.data(), identity.imageSize, ui);
    errno = 0;
    if (!saveFileAtomically(path, image.buffer.data(), image.endOfData)) {
        ui.message(format(pers_text::kCannotWrite, path.c_str(),
                          errno ? std::strerror(errno) : "the file system refused it"));
        return Outcome::Failed;
    }
    return Outcome::Done;
}

}  // namespace

TransferOutcome ReadPers(Env& env, const TransferSettings& settings, CPersonality& personality,
                         bool fromRadio, const std::string& path,
                         const RadioDescription& description) {
    BusyCursor busy(env.ui);
    if (fromRadio) return readFromRadio(env, settings, personality, env.ui);
    return readFromFile(settings, personality, path, description, env.ui);
}

TransferOutcome WritePers(Env& env, const TransferSettings& settings, CPersonality& personality,
                          unsigned idOverride, bool toRadio, const std::string& path,
                          const RadioDescription& description) {
    BusyCursor busy(env.ui);
    if (toRadio) {
        WatchedUi ui(env.ui);
        return writeToRadio(env, settings, personality, idOverride, ui);
    }
    return writeToFile(settings, personality, idOverride, path, description, env.ui);
}

}  // namespace tw
