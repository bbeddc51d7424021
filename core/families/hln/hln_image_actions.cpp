#include "families/hln/hln_connect.h"
#include "families/hln/hln_image.h"
#include "families/hln/hln_messages.h"
#include "families/hln/hln_page.h"
#include "families/hln/hln_page_ops.h"
#include "families/hln/personality_image.h"
#include "history/read_history.h"
#include "util/file_io.h"
#include "util/text.h"
#include "view/shared_messages.h"

namespace tw::hln {
namespace {

// Larger than the memory of any radio of the family, so an oversized file is noticed.
constexpr std::size_t kImageFileLimit = 65536;
constexpr const char* kPartialImageDetail =
    "The radio's memory may now hold part of the image: write a whole image to it again before "
    "the radio is used.";

// Opens the port and connects; on every exit of the caller's scope the port is closed.
class ImageSession {
  public:
    ImageSession(HlnLink& link, char type) : link_(link), type_(type) {}
    ~ImageSession() { link_.close(); }
    ImageSession(const ImageSession&) = delete;
    ImageSession& operator=(const ImageSession&) = delete;

    bool connect() {
        if (!HlnOpenPort(link_)) {
            link_.message(messages::kCommNotOpen);
            return false;
        }
        return HlnConnect(link_, type_, identity_);
    }
    const RadioIdentity& identity() const { return identity_; }

  private:
    HlnLink& link_;
    char type_;
    RadioIdentity identity_;
};

}  // namespace

bool CHlnmaintDlg::readImageToFile(const std::string& path) {
    const auto type = selectRadioType();
    if (!type) return false;
    BusyCursor busy(env_.ui);
    ImageSession session(link_, *type);
    if (!session.connect()) return false;
    PersonalityImage image;
    if (!HlnReadImage(link_, image, session.identity())) return false;
    const std::string bytes(image.buffer.begin(),
                            image.buffer.begin() + session.identity().imageSize);
    keepRadioRead(env_, kHlnHistoryFamily, historyRadioName(session.identity()), "bin",
                  std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!saveFileAtomically(path, bytes)) {
        env_.ui.message(shared_text::kCouldNotOpenFile);
        return false;
    }
    env_.ui.message(format("Image read successfully (%zu bytes).", bytes.size()));
    return true;
}

bool CHlnmaintDlg::writeImageFromFile(const std::string& path) {
    // The size comes from the file system: a file far too large is refused without reading it.
    const auto fileBytes = fileSize(path);
    if (!fileBytes) {
        env_.ui.message(shared_text::kCouldNotOpenFile);
        return false;
    }
    const auto type = selectRadioType();
    if (!type) return false;
    if (const auto expected = hlnRadioType(*type); expected && *fileBytes != expected->imageSize) {
        env_.ui.message(
            format("The image file holds %ju bytes; an image of radio type %s is %u "
                   "bytes.\nNothing was sent to the radio.",
                   static_cast<std::uintmax_t>(*fileBytes), expected->modelName,
                   static_cast<unsigned>(expected->imageSize)));
        return false;
    }
    if (!env_.ui.askYesNo("Write the image file to the radio?\nThis replaces the radio's whole "
                          "memory, its personality and alignment included."))
        return false;
    const auto bytes = readFilePrefix(path, kImageFileLimit + 1);
    if (!bytes) {
        env_.ui.message(shared_text::kCouldNotOpenFile);
        return false;
    }
    BusyCursor busy(env_.ui);
    ImageSession session(link_, *type);
    if (!session.connect()) return false;
    const std::size_t size = session.identity().imageSize;
    if (bytes->size() != size) {
        // Nothing is sent: a partial image would leave the radio unusable.
        env_.ui.message(format("The image file holds %zu bytes; this radio's image is %zu bytes.",
                               bytes->size(), size));
        return false;
    }
    // The image replaces everything, alignment included: its copy is the whole image the
    // radio holds, read as a read of the image reads it.
    lastRead_ = {};
    PersonalityImage held;
    HeldCopy copy;
    if (HlnReadImage(link_, held, session.identity()))
        copy = std::vector<std::uint8_t>(held.buffer.begin(), held.buffer.begin() + size);
    if (!keepBeforeWrite(env_, kHlnHistoryFamily, historyRadioName(session.identity()), "bin",
                         copy))
        return false;
    PersonalityImage image;
    image.buffer.assign(bytes->begin(), bytes->end());
    if (!HlnWriteImage(link_, image, session.identity())) {
        env_.ui.detail(kPartialImageDetail);
        return false;
    }
    env_.ui.message("Image written successfully.");
    return true;
}

std::vector<PageAction> CHlnmaintDlg::actions() {
    PageAction read;
    read.step = "read-image";
    read.argsHelp = "FILE";
    read.help = "read the radio's whole memory image into a raw file";
    read.argCount = 1;
    read.run = [this](const std::vector<std::string>& a) { return readImageToFile(a.at(0)); };
    read.example = "radio.img";

    PageAction write = read;
    write.step = "write-image";
    write.help = "write a raw memory image file to the radio";
    write.run = [this](const std::vector<std::string>& a) { return writeImageFromFile(a.at(0)); };
    write.work = RadioWork::Write;
    return {read, write};
}

}  // namespace tw::hln
