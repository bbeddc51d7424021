#include "families/hln/hln_image.h"

#include "families/hln/hln_messages.h"
#include "families/hln/radio_identity.h"
#include "ui/ui.h"
#include "util/text.h"

namespace tw::hln {
namespace {

// Shows "<format> = percent" whenever the whole percentage changes, and the progress mark
// with it, so the bar moves with the text and a stage of thousands of bytes makes about a
// hundred marks. The whole is marked only by finish(), once the stage has succeeded: the last
// byte can still be followed by a missing prompt or a mismatch.
class Progress {
  public:
    Progress(HlnLink& link, const char* text, long total)
        : link_(link), text_(text), total_(total) {
        link_.ui().progress(0, total_);
    }
    void show(long done) {
        const int percent = static_cast<int>(100 * done / total_);
        if (percent == shown_) return;
        shown_ = percent;
        link_.setStatus(format(text_, percent));
        if (done < total_) link_.ui().progress(done, total_);
    }
    void finish() { link_.ui().progress(total_, total_); }

  private:
    HlnLink& link_;
    const char* text_;
    long total_;
    int shown_ = 0;
};

bool sendImageCommand(HlnLink& link, const char* command, const char* failure) {
    if (link.writeText(command)) return true;
    link.message(failure);
    return false;
}

// Receives a fresh image into `out`.
bool receiveImage(HlnLink& link, std::uint8_t* out, std::size_t size) {
    Progress progress(link, messages::kStatusRead, static_cast<long>(size));
    for (std::size_t i = 0; i < size; ++i) {
        if (!HlnWaitChar(link)) {
            link.message(messages::kReadTimeout);
            return false;
        }
        out[i] = link.heldByte();
        progress.show(static_cast<long>(i + 1));
    }
    if (!hlnReceivePrompt(link)) return false;
    progress.finish();
    return true;
}

// Receives the image again and compares it byte by byte with `expected`; `done` counts
// the bytes received (the read verify) or the bytes before it (the write verify).
bool compareImage(HlnLink& link, const std::uint8_t* expected, std::size_t size,
                  const char* statusText, bool countReceived, const char* mismatch) {
    Progress progress(link, statusText, static_cast<long>(size));
    for (std::size_t i = 0; i < size; ++i) {
        if (!HlnWaitChar(link)) {
            link.message(messages::kReadTimeout);
            return false;
        }
        if (link.heldByte() != expected[i]) {
            link.message(mismatch);
            return false;
        }
        progress.show(static_cast<long>(countReceived ? i + 1 : i));
    }
    if (!hlnReceivePrompt(link)) return false;
    progress.finish();
    return true;
}

// A refused byte is sent again at once, a few times: the line may be momentarily full,
// but a port that keeps refusing must end the write instead of hanging the program.
bool sendByte(HlnLink& link, std::uint8_t byte) {
    for (int attempt = 0; attempt <= kHlnByteRetries; ++attempt)
        if (link.writeChar(byte)) return true;
    return false;
}

}  // namespace

bool HlnReadImage(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity) {
    const std::size_t size = identity.imageSize;
    if (image.buffer.size() < size) image.buffer.resize(size);
    HlnStatusScope status(link);
    if (!sendImageCommand(link, "GA", messages::kReadError)) return false;
    if (!receiveImage(link, image.buffer.data(), size)) return false;
    if (!sendImageCommand(link, "GA", messages::kReadError)) return false;
    return compareImage(link, image.buffer.data(), size, messages::kStatusVerifyRead, true,
                        messages::kVerifyFailed);
}

bool HlnWriteImage(HlnLink& link, PersonalityImage& image, const RadioIdentity& identity) {
    const std::size_t size = identity.imageSize;
    if (image.buffer.size() < size) {
        link.message(
            format("The image holds %zu bytes; the radio needs %zu.", image.buffer.size(), size));
        return false;
    }
    const int chunks = hlnImageChunks(identity.typeLetter());
    const std::size_t chunkSize = size / static_cast<std::size_t>(chunks);
    const std::uint8_t* data = image.buffer.data();

    HlnStatusScope status(link);
    Progress progress(link, messages::kStatusWrite, chunks);
    {
        // The radio takes the whole memory after "GB": an image cut short would be completed
        // with whatever the program sent next.
        SerialLink::WholeCommand whole(link.serial());
        if (!sendImageCommand(link, "GB", messages::kUnableToWrite)) return false;
        for (int k = 0; k < chunks; ++k) {
            progress.show(k);
            const std::size_t first = static_cast<std::size_t>(k) * chunkSize;
            for (std::size_t i = first; i < first + chunkSize; ++i) {
                if (!sendByte(link, data[i])) {
                    link.message(format("%s\nThe image write stopped at byte %zu of %zu.",
                                        messages::kUnableToWrite, i, size));
                    return false;
                }
            }
            // The radio stores a chunk before it takes the next.
            link.pause(6);
        }
    }
    if (!hlnReceivePrompt(link)) return false;
    progress.finish();
    if (!sendImageCommand(link, "GA", messages::kReadError)) return false;
    return compareImage(link, data, size, messages::kStatusVerify, false,
                        messages::kRadioFailedVerify);
}

}  // namespace tw::hln
